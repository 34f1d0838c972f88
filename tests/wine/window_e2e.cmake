# The configuration window end to end, per emulated Windows version, on the
# registry a fresh install of that version has.
set(VARNOX_DRIVER_SOURCES driver/ui_driver.cpp)
foreach(version nt40 win2k winxp win2003 vista win7 win81 win10 win11)
  varnox_wine_test(NAME window_e2e WINVER ${version} SOURCES window_e2e_test.cpp ${VARNOX_DRIVER_SOURCES}
                   REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
varnox_wine_test(NAME window_e2e WINVER win98 SOURCES window_e2e_test.cpp ${VARNOX_DRIVER_SOURCES} LIBS comctl32
                 NEEDS_CPL PRIVATE_DISPLAY)
