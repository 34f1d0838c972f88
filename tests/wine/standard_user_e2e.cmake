# The window for an account that may read but not change the local machine's
# keys, per emulated Windows version: the elevated restart of 2000 and later
# and what NT 4.0 says instead.
foreach(version nt40 win2k winxp win7)
  varnox_wine_test(NAME standard_user_e2e WINVER ${version}
                   SOURCES standard_user_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp import_patch.cpp
                   REG fixtures/${version}.reg NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
