target_sources(zarvik_win_tests PRIVATE
  text/text_file_win_test.cpp
)
