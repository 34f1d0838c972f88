# Values real machines hold that no control shows as they are, end to end:
# XP with its device map and a real profile's end-task timeout.
varnox_wine_test(NAME unusual_values_e2e WINVER winxp
                 SOURCES unusual_values_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                 REG fixtures/winxp.reg fixtures/hardware/winxp.reg fixtures/damaged/hung_app_timeout_40000.reg
                 LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY)
