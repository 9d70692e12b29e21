# Stand-in for an outside viewer program chosen in the settings.
add_executable(outside_viewer_peer WIN32 ${CMAKE_CURRENT_LIST_DIR}/outside_viewer_peer.cpp)
target_link_options(outside_viewer_peer PRIVATE -municode)
set_target_properties(outside_viewer_peer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(zarvik_win_tests outside_viewer_peer)
