target_sources(zarvik_core_tests PRIVATE
  app/toolbar_layout_test.cpp
  app/about_texts_test.cpp
  app/archive_browsing_test.cpp
  app/state_report_test.cpp
  app/wheel_rules_test.cpp
  app/actions_test.cpp
  app/command_states_test.cpp
  app/dispatch_test.cpp
  app/existence_cache_test.cpp
  app/options_form_rules_test.cpp
  app/outside_viewer_test.cpp
  app/settings_test.cpp
)
