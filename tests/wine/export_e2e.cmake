# The options panel's registry files end to end, on the versions whose files
# differ (REGEDIT4 on NT 4.0, Unicode after it): the ok run writes the
# registry it left, its changes file and what its window showed, for the
# import run of the same version to compare with and to open.
foreach(version nt40 win2k winxp win7)
  set(dump ${CMAKE_BINARY_DIR}/export_e2e/${version}-ok.txt)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/export_e2e)
  foreach(role ok import)
    varnox_wine_test(NAME export_e2e WINVER ${version} SUFFIX _${role}
                     SOURCES export_e2e_test.cpp driver/ui_driver.cpp import_patch.cpp registry_probe.cpp
                             changed_pages.cpp registry_dump.cpp
                     REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL PRIVATE_DISPLAY
                     ENV VARNOX_EXPORT_ROLE=${role} VARNOX_EXPORT_DUMP=${dump})
  endforeach()
  set_tests_properties(wine_export_e2e_${version}_ok PROPERTIES FIXTURES_SETUP export_e2e_${version})
  set_tests_properties(wine_export_e2e_${version}_import PROPERTIES FIXTURES_REQUIRED export_e2e_${version})
endforeach()
