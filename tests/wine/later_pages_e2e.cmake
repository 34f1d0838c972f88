# The Explorer, Other and System tools pages end to end, per emulated Windows
# version, on the registry a fresh install of that version has.
# 8.1 still stores the SuperFetch value; 11 stands for 10 too (neither stores
# it, both keep the last-access value in the system-managed form).
foreach(version nt40 win2k winxp win2003 vista win7 win81 win11)
  varnox_wine_test(NAME later_pages_e2e WINVER ${version}
                   SOURCES later_pages_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp import_patch.cpp
                   REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
