target_sources(zarvik_win_tests PRIVATE
  watcher/follow_win_test.cpp
  watcher/search_window_win_test.cpp
)
