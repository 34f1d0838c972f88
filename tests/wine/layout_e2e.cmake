# Every caption of the window whole, on every page of every version and in
# the options panel, in the font Wine gives the window.
foreach(version nt40 win2k winxp win2003 vista win7)
  varnox_wine_test(NAME layout_e2e WINVER ${version} SOURCES layout_e2e_test.cpp driver/ui_driver.cpp
                   REG fixtures/${version}.reg LIBS comctl32 gdi32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
