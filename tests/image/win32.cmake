target_sources(zarvik_win_tests PRIVATE
  image/dib_win_test.cpp
)
