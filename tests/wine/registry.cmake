# The registry contract against the real registry, under the oldest and a
# newer Windows version.
foreach(winver IN ITEMS nt40 winxp win7)
  varnox_wine_test(NAME registry_contract WINVER ${winver}
                   SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/registry_contract_main.cpp ${VARNOX_CONTRACT_SOURCES}
                   LIBS varnox_win32 varnox_test_support)
endforeach()
