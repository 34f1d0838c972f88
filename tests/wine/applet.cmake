# The Control Panel protocol of the real library.
foreach(version nt40 winxp win7)
  varnox_wine_test(NAME applet_protocol WINVER ${version} SOURCES applet_protocol_test.cpp NEEDS_CPL)
endforeach()
