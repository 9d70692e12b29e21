target_sources(zarvik_core PRIVATE
  app/about_texts.cpp
  app/state_report.cpp
  app/version_strings.cpp
  app/actions.cpp
  app/commands.cpp
  app/colors.cpp
  app/command_line.cpp
  app/dispatch.cpp
  app/ini_file.cpp
  app/link_target.cpp
  app/outside_viewer.cpp
  app/options_form_rules.cpp
  app/settings.cpp
  app/string_list.cpp
  app/toolbar_layout.cpp
  app/wheel_rules.cpp
)
