# The window and the command line apply one baseline alike, per version: the
# window's run writes its registry down for the command line's run.
set(agreement_versions nt40 winxp win7 win10)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(agreement_versions winxp win7 win10)
endif()
foreach(version IN LISTS agreement_versions)
  set(dump ${CMAKE_BINARY_DIR}/cli_agreement/${version}-window.txt)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/cli_agreement)
  foreach(role window cli)
    varnox_wine_test(NAME cli_agreement_e2e WINVER ${version} SUFFIX _${role}
                     SOURCES cli_agreement_e2e_test.cpp driver/ui_driver.cpp import_patch.cpp registry_probe.cpp
                             registry_dump.cpp
                     REG fixtures/${version}.reg LIBS comctl32 NEEDS_CPL NEEDS_EXE PRIVATE_DISPLAY
                     ENV VARNOX_AGREEMENT_ROLE=${role} VARNOX_AGREEMENT_DUMP=${dump})
  endforeach()
  set_tests_properties(wine_cli_agreement_e2e_${version}_window PROPERTIES FIXTURES_SETUP cli_agreement_${version})
  set_tests_properties(wine_cli_agreement_e2e_${version}_cli PROPERTIES FIXTURES_REQUIRED cli_agreement_${version})
endforeach()
