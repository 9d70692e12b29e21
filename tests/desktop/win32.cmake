target_sources(zarvik_win_tests PRIVATE
  desktop/file_operation_win_test.cpp
  desktop/single_instance_win_test.cpp
  desktop/task_tray_win_test.cpp
)

# A stand-in for a first copy of the program, started by the single-instance tests.
add_executable(zarvik_app_window_peer desktop/app_window_peer.cpp)
target_link_libraries(zarvik_app_window_peer PRIVATE zarvik_win)
set_target_properties(zarvik_app_window_peer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(zarvik_win_tests zarvik_app_window_peer)
