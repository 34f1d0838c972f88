# The IDE/ATAPI page end to end: on the systems that show it, with each
# version's machine (its device map and controller keys); on Vista and 7,
# where the page is hidden, with the version's registry alone.
foreach(version nt40 win2k winxp win2003)
  varnox_wine_test(NAME ide_page_e2e WINVER ${version}
                   SOURCES ide_page_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                   REG fixtures/${version}.reg fixtures/hardware/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
foreach(version vista win7)
  varnox_wine_test(NAME ide_page_e2e WINVER ${version}
                   SOURCES ide_page_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                   REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
# A damaged device map: the load stops with the accessor's message.
varnox_wine_test(NAME ide_page_damaged_e2e WINVER winxp ENV VARNOX_DAMAGED_MAP=1
                 SOURCES ide_page_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                 REG fixtures/winxp.reg fixtures/hardware/winxp.reg fixtures/damaged/device_map_dma_as_text.reg
                 LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
