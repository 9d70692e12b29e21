target_sources(zarvik_core_tests PRIVATE
  image/dib_hostile_test.cpp
  image/dib_read_test.cpp
  image/dib_write_test.cpp
)
