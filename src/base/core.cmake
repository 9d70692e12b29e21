target_sources(zarvik_core PRIVATE
  base/text.cpp
  base/paths.cpp
  base/dpi_sizes.cpp
)
target_sources(zarvik_core PRIVATE
  base/colors.cpp
  base/command_line.cpp
  base/ini_file.cpp
  base/string_list.cpp
  base/text_file_codec.cpp
)
