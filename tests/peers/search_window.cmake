# Stand-in for the outside search window, and a small tool that closes
# windows as a user does (used by the demonstration and the benchmark).
add_executable(search_window_peer WIN32 ${CMAKE_CURRENT_LIST_DIR}/search_window_peer.cpp)
target_link_libraries(search_window_peer PRIVATE comctl32)
target_link_options(search_window_peer PRIVATE -municode)

add_executable(post_close ${CMAKE_CURRENT_LIST_DIR}/post_close.cpp)
target_link_options(post_close PRIVATE -municode)

# Timing of the watcher beside the stand-in (scripts/bench.sh runs it).
add_executable(watch_bench ${CMAKE_CURRENT_LIST_DIR}/watch_bench.cpp)
target_link_libraries(watch_bench PRIVATE zarvik_win)
target_link_options(watch_bench PRIVATE -municode)

set_target_properties(search_window_peer post_close watch_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(zarvik_win_tests search_window_peer post_close)
