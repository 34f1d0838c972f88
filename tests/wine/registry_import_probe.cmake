# The rig's registry import: two files, the second overriding the first.
varnox_wine_test(NAME registry_import_probe WINVER winxp SOURCES registry_import_probe.cpp
                 REG tests/wine/rig/base.reg tests/wine/rig/override.reg)
