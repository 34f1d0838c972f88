# OK and values another program changed while the window was open, end to
# end on NT 4.0 (REGEDIT4, binary scrolling flag), XP and 7.
foreach(version nt40 winxp win7)
  varnox_wine_test(NAME external_change_e2e WINVER ${version} SOURCES external_change_e2e_test.cpp driver/ui_driver.cpp
                   registry_probe.cpp REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
