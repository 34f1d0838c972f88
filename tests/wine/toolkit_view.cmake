# The Win32 view of the control model: small model forms shown through the
# real view, acted on as a user would. An English locale, so that Russian
# texts prove the wide calls. Hints follow the mouse, so a screen of its own.
foreach(version nt40 winxp win7)
  varnox_wine_test(NAME toolkit_view WINVER ${version}
                   SOURCES toolkit_view_support.cpp toolkit_view_controls_test.cpp toolkit_view_form_test.cpp
                   LIBS varnox_toolkit_win32 varnox_core
                   ENV LANG=en_US.UTF-8 PRIVATE_DISPLAY)
endforeach()
