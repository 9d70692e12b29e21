target_sources(zarvik_core_tests PRIVATE
  image/fit_image_test.cpp
  image/smooth_resize_test.cpp
  image/zoom_test.cpp
)
target_sources(zarvik_core_tests PRIVATE
  image/dib_hostile_test.cpp
  image/dib_read_test.cpp
  image/dib_write_test.cpp
)
