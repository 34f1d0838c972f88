# The Windows Installer package of this tree's library (scripts/package): its
# tables, read without Wine, and its life in a fresh prefix of its word size
# (tests/package/install-cycle): install, Control Panel's listing, the window
# from the installed file, upgrade, refused downgrade, uninstall.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(package_arch x64)
  # A backup the user saved in the install folder stays, and the folder with it.
  set(package_cycle_args --user-file)
else()
  set(package_arch x86)
  set(package_cycle_args)
endif()

add_executable(wine_package_listing package_listing_test.cpp)
target_compile_options(wine_package_listing PRIVATE ${VARNOX_WARNINGS})
target_link_libraries(wine_package_listing PRIVATE gtest gtest_main msi version)

add_test(NAME package_tables
         COMMAND ${PROJECT_SOURCE_DIR}/tests/package/check-tables --arch ${package_arch} --cpl $<TARGET_FILE:varnox_cpl>)
set_tests_properties(package_tables PROPERTIES LABELS package)

set(package_cycle_command
    ${PROJECT_SOURCE_DIR}/tests/package/install-cycle --arch ${package_arch} --cpl $<TARGET_FILE:varnox_cpl>
    --strip ${CMAKE_STRIP} --listing $<TARGET_FILE:wine_package_listing> --window $<TARGET_FILE:wine_window_e2e>
    --pages $<TARGET_FILE:wine_pages_e2e> --reg ${PROJECT_SOURCE_DIR}/fixtures/win7.reg ${package_cycle_args})
set(package_cycle_environment VARNOX_WINE_DIR=${CMAKE_BINARY_DIR}/wine
                              VARNOX_VOLATILE_IMPORT=$<TARGET_FILE:volatile_import>
                              VARNOX_START_DESKTOP=$<TARGET_FILE:start_desktop>)
add_dependencies(wine_package_listing varnox_cpl volatile_import start_desktop)
add_test(NAME wine_package_cycle_win7 COMMAND ${package_cycle_command})
set_tests_properties(wine_package_cycle_win7 PROPERTIES TIMEOUT 600 LABELS "wine;package"
                     ENVIRONMENT "${package_cycle_environment}")
# The x86 package on 64-bit Windows: Program Files (x86), the 32-bit view.
if(package_arch STREQUAL "x86")
  add_test(NAME wine_package_cycle_win7_on64 COMMAND ${package_cycle_command})
  set_tests_properties(wine_package_cycle_win7_on64 PROPERTIES TIMEOUT 600 LABELS "wine;package"
                       ENVIRONMENT "${package_cycle_environment};VARNOX_PREFIX_ARCH=win64")
endif()
