# The version labels under the real hosts: Wine's Control Panel and rundll32.exe,
# in a prefix of the library's own word size and, for the 32-bit library, in
# a 64-bit one too.
# As Windows 11 too, where the hosts hear 6.2 from GetVersionEx and the
# applet must still name the true release.
foreach(version winxp win11)
  set(host_version_args NAME host_version WINVER ${version} SOURCES host_version_test.cpp driver/ui_driver.cpp
                        REG fixtures/${version}.reg LIBS comctl32 version NEEDS_CPL PRIVATE_DISPLAY)
  varnox_wine_test(${host_version_args})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    varnox_wine_test(${host_version_args} ON_64_BIT)
  endif()
endforeach()
