target_sources(zarvik_core PRIVATE
  base/text.cpp
  base/paths.cpp
)
