# The Control Panel protocol of the real library.
foreach(version nt40 winxp win7)
  # The registry of that version, so that the window opens without a load error to report.
  varnox_wine_test(NAME applet_protocol WINVER ${version} SOURCES applet_protocol_test.cpp REG fixtures/${version}.reg
                   NEEDS_CPL)
endforeach()
