# The policies of the Group Policy templates, applied as the registry policy
# extension would, show in the window as they are: on the releases the
# templates' policies take effect on, one prefix each, every batch in turn.
foreach(version win2k winxp win7 win10)
  varnox_wine_test(NAME policy_e2e WINVER ${version} SOURCES policy_e2e_test.cpp driver/ui_driver.cpp
                   REG fixtures/${version}.reg LIBS comctl32 varnox_policy_templates NEEDS_CPL PRIVATE_DISPLAY)
endforeach()
