target_sources(zarvik_core_tests PRIVATE
  base/text_test.cpp
)
