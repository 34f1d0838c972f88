# The command line's program end to end on the oldest Windows, the ones
# whose registry files differ, and today's; the x64 program from XP x64 on.
set(cli_versions nt40 winxp win7 win10)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(cli_versions winxp win7 win10)
endif()
foreach(version IN LISTS cli_versions)
  varnox_wine_test(NAME cli_e2e WINVER ${version}
                   SOURCES cli_e2e_test.cpp registry_probe.cpp registry_dump.cpp
                   REG fixtures/${version}.reg LIBS varnox_core varnox_header_libraries NEEDS_CPL NEEDS_EXE)
endforeach()
# The 32-bit program on 64-bit Windows reads the 64-bit view, as the x64
# program does: its report against that view.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  varnox_wine_test(NAME cli_e2e WINVER win7 ON_64_BIT
                   SOURCES cli_e2e_test.cpp registry_probe.cpp registry_dump.cpp
                   REG fixtures/win7.reg LIBS varnox_core varnox_header_libraries NEEDS_CPL NEEDS_EXE
                   ENV VARNOX_CLI_REPORT_ONLY=1)
endif()
