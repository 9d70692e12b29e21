target_sources(zarvik_core_tests PRIVATE
  base/text_test.cpp
  base/dpi_sizes_test.cpp
  base/colors_test.cpp
  base/command_line_test.cpp
  base/ini_file_test.cpp
  base/string_list_test.cpp
)
