# The policies of the Group Policy templates, applied as the registry policy
# extension would, show in the window as they are: on the releases the
# templates' policies take effect on, one prefix each, every batch in turn.
# The x86 tree only: the policies do not depend on the word size.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  foreach(version win2k winxp win7 win10)
    varnox_wine_test(NAME policy_e2e WINVER ${version} SOURCES policy_e2e_test.cpp driver/ui_driver.cpp registry_probe.cpp
                     REG fixtures/${version}.reg LIBS comctl32 varnox_policy_templates NEEDS_CPL PRIVATE_DISPLAY
                     ENV VARNOX_APPLY_POLICY=$<TARGET_FILE:apply_policy>)
  endforeach()
  add_dependencies(wine_policy_e2e apply_policy)
endif()
