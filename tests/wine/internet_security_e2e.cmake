# The Internet and Security pages end to end, per emulated Windows version,
# on the registry a fresh install of that version has.
# Windows 10 stands for 8.1 to 11, which gate these pages as 7 does.
foreach(version nt40 win2k winxp win2003 vista win7 win10)
  varnox_wine_test(NAME internet_security_e2e WINVER ${version} SOURCES internet_security_e2e_test.cpp
                   driver/ui_driver.cpp registry_probe.cpp REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL
                   PRIVATE_DISPLAY)
endforeach()
