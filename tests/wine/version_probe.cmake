# The emulated Windows version, as each test program sees it: major.minor and platform (1 Windows 9x, 2 NT).
foreach(case "nt40;4.0 2" "win2k;5.0 2" "winxp;5.1 2" "win2003;5.2 2" "vista;6.0 2" "win7;6.1 2" "win98;4.10 1"
             # GetVersionExA from 8.1 on, for a program that does not declare them
             "win81;6.2 2" "win10;6.2 2" "win11;6.2 2")
  list(GET case 0 version)
  list(GET case 1 expected)
  varnox_wine_test(NAME version_probe WINVER ${version} SOURCES version_probe.cpp
                   ENV "VARNOX_EXPECTED_VERSION=${expected}")
endforeach()
