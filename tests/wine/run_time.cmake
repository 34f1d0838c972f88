# The library's replacements for the C++ run-time's error raisers, linked into
# a program the same way as into the library, and driven through the standard
# containers that call them.
varnox_wine_test(NAME run_time_exceptions WINVER winxp SOURCES run_time_exceptions_test.cpp
                 ${PROJECT_SOURCE_DIR}/src/applet/run_time_exceptions.cpp LIBS varnox_core)
