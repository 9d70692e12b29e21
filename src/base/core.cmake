target_sources(zarvik_core PRIVATE
  base/text.cpp
  base/paths.cpp
  base/dpi_sizes.cpp
)
