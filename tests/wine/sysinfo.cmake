# System information through the real Windows calls, under each emulated Windows version.
foreach(version nt40 win2k winxp win2003 vista win7 win81 win10 win11 win98)
  varnox_wine_test(NAME sysinfo WINVER ${version} SOURCES sysinfo_test.cpp LIBS varnox_win32 varnox_test_support)
endforeach()
