# The window from the keyboard alone, with real key presses, and the names
# assistive tools give its fields, per emulated Windows version.
foreach(version nt40 winxp win7)
  varnox_wine_test(NAME keyboard_e2e WINVER ${version}
                   SOURCES keyboard_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                   REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
