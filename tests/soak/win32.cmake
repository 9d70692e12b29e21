# The soak run: a program of its own (scripts/soak.sh runs it for 1,000
# rounds), built with the tests since it starts their stand-ins.
add_executable(zarvik_soak
  ${CMAKE_CURRENT_LIST_DIR}/soak_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soak_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_figures.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/picture_files.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/picture_metafiles.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/test_files.cpp)
target_include_directories(zarvik_soak PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zarvik_soak PRIVATE zarvik_win psapi ntdll ole32 uuid z)
target_link_options(zarvik_soak PRIVATE -municode)
set_target_properties(zarvik_soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The test program depends on every stand-in (archivers, converter, plug-ins).
add_dependencies(zarvik_soak zarvik zarvik_win_tests)

# Two rounds in the test command (about 20 s): enough to catch a kind of
# file that leaks each time it is shown.
add_test(NAME soak_smoke COMMAND zarvik_soak --rounds 2 --samples Z:${CMAKE_SOURCE_DIR}/samples)
set_tests_properties(soak_smoke PROPERTIES ENVIRONMENT "ZARVIK_WINEPREFIX=${ZARVIK_WINEPREFIX}" TIMEOUT 300)
