# The version labels under the real hosts: Wine's Control Panel and rundll32.exe,
# in a prefix of the library's own word size and, for the 32-bit library, in
# a 64-bit one too.
set(host_version_args NAME host_version WINVER winxp SOURCES host_version_test.cpp driver/ui_driver.cpp
                      REG fixtures/winxp.reg LIBS comctl32 version NEEDS_CPL PRIVATE_DISPLAY)
varnox_wine_test(${host_version_args})
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  varnox_wine_test(${host_version_args} ON_64_BIT)
endif()
