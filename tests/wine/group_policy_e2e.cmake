# "Save for Group Policy..." end to end, one run per version with Group
# Policy: the files saved through the shell's real folder dialog, then
# applied by apply_policy.exe, the stand-in for Group Policy's registry
# extension that any check of a policy file may run.
add_executable(apply_policy apply_policy.cpp)
target_compile_options(apply_policy PRIVATE ${VARNOX_WARNINGS})
target_link_libraries(apply_policy PRIVATE varnox_core)
foreach(version win2k winxp win7 win10)
  varnox_wine_test(NAME group_policy_e2e WINVER ${version}
                   SOURCES group_policy_e2e_test.cpp driver/ui_driver.cpp import_patch.cpp registry_probe.cpp
                           changed_pages.cpp registry_dump.cpp
                   REG fixtures/${version}.reg LIBS comctl32 shell32 NEEDS_CPL PRIVATE_DISPLAY
                   ENV VARNOX_APPLY_POLICY=$<TARGET_FILE:apply_policy>)
endforeach()
add_dependencies(wine_group_policy_e2e apply_policy)
