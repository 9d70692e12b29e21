target_sources(zarvik_win_tests PRIVATE
  app/commands_win_test.cpp
  app/toolbar_win_test.cpp
  app/about_form_win_test.cpp
  app/archive_browser_win_test.cpp
  app/report_win_test.cpp
  app/main_window_win_test.cpp
  app/main_window_dpi_win_test.cpp
  app/options_form_win_test.cpp
  app/outside_viewer_win_test.cpp
  app/picture_codecs_win_test.cpp
  app/picture_plugins_win_test.cpp
  app/picture_save_win_test.cpp
  app/picture_view_win_test.cpp
  app/program_win_test.cpp
  app/release_package_win_test.cpp
  app/text_sources_win_test.cpp
  app/text_view_win_test.cpp
)

# The program itself is started by some tests.
add_dependencies(zarvik_win_tests zarvik)

# A library whose version resource has names but no version fields.
add_library(version_partial SHARED app/version_dll/version_partial.c app/version_dll/version_partial.rc)
set_target_properties(version_partial PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(zarvik_win_tests version_partial)
