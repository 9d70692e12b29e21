target_sources(zarvik_core PRIVATE
  app/model/about_texts.cpp
  app/model/archive_browsing.cpp
  app/model/state_report.cpp
  app/model/version_strings.cpp
  app/model/actions.cpp
  app/model/commands.cpp
  app/model/command_states.cpp
  app/model/dispatch.cpp
  app/model/existence_cache.cpp
  app/model/link_target.cpp
  app/model/outside_viewer.cpp
  app/model/options_form_rules.cpp
  app/model/settings.cpp
  app/model/toolbar_layout.cpp
  app/model/wheel_rules.cpp
)
