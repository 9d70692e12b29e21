target_sources(zarvik_core PRIVATE
  app/actions.cpp
  app/colors.cpp
  app/command_line.cpp
  app/dispatch.cpp
  app/ini_file.cpp
  app/settings.cpp
  app/string_list.cpp
)
