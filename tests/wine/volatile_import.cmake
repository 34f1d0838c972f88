# The rig's import of keys under HKEY_LOCAL_MACHINE\HARDWARE, which Wine
# takes only as volatile keys, beside ordinary ones from the same file.
varnox_wine_test(NAME volatile_import WINVER winxp SOURCES volatile_import_test.cpp registry_probe.cpp
                 REG tests/wine/rig/base.reg tests/wine/rig/hardware.reg)
