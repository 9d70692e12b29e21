target_sources(zarvik_win_tests PRIVATE
  app/main_window_win_test.cpp
  app/text_view_win_test.cpp
)
