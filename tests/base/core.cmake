target_sources(zarvik_core_tests PRIVATE
  base/text_test.cpp
  base/dpi_sizes_test.cpp
)
