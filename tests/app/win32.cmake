target_sources(zarvik_win_tests PRIVATE
  app/main_window_win_test.cpp
  app/program_win_test.cpp
  app/text_sources_win_test.cpp
  app/text_view_win_test.cpp
)

# The program itself is started by some tests.
add_dependencies(zarvik_win_tests zarvik)
