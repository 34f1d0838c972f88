# Every caption of the window whole, on every page of every version and in
# the options panel, in the font Wine gives the window; at 96 dots per inch
# and at 120 and 144 (125 % and 150 %). Windows 11 stands for 8.1 and 10,
# whose pages are its own.
foreach(version nt40 win2k winxp win2003 vista win7 win11)
  foreach(dpi 96 120 144)
    set(density)
    if(NOT dpi EQUAL 96)
      set(density DPI ${dpi})
    endif()
    varnox_wine_test(NAME layout_e2e WINVER ${version} ${density} SOURCES layout_e2e_test.cpp driver/ui_driver.cpp
                     REG fixtures/${version}.reg LIBS comctl32 gdi32 NEEDS_CPL PRIVATE_DISPLAY)
  endforeach()
endforeach()
