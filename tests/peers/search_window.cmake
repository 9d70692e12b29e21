# Stand-in for the outside search window, and a small tool that closes
# windows as a user does (used by the demonstration). The benchmarks include
# this list too, so the targets are made once.
if(NOT TARGET search_window_peer)
  add_executable(search_window_peer WIN32 ${CMAKE_CURRENT_LIST_DIR}/search_window_peer.cpp)
  target_link_libraries(search_window_peer PRIVATE comctl32)
  target_link_options(search_window_peer PRIVATE -municode)

  add_executable(post_close ${CMAKE_CURRENT_LIST_DIR}/post_close.cpp)
  target_link_options(post_close PRIVATE -municode)

  set_target_properties(search_window_peer post_close PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
if(TARGET zarvik_win_tests)
  add_dependencies(zarvik_win_tests search_window_peer post_close)
endif()
