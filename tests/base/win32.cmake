target_sources(zarvik_win_tests PRIVATE
  base/process_win_test.cpp
  base/ui_win_test.cpp
)
