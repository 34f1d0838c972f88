# The version labels under the real hosts: Wine's Control Panel and rundll32.exe.
varnox_wine_test(NAME host_version WINVER winxp SOURCES host_version_test.cpp driver/ui_driver.cpp
                 REG fixtures/winxp.reg LIBS comctl32 version NEEDS_CPL PRIVATE_DISPLAY)
