target_sources(zarvik_core_tests PRIVATE
  image/picture_formats_test.cpp
  image/fit_image_test.cpp
  image/smooth_resize_test.cpp
  image/zoom_test.cpp
  image/exif_orientation_test.cpp
  image/webp_decoder_test.cpp
  image/avif_decoder_test.cpp
)
# Pictures made by avifenc beside their sources.
zarvik_made_test_files(made_avif image/make_avif.sh made-avif "Making AVIF test pictures" zarvik_core_tests)
target_compile_definitions(zarvik_core_tests PRIVATE ZARVIK_MADE_AVIF="${CMAKE_BINARY_DIR}/bin/made-avif")
target_sources(zarvik_core_tests PRIVATE
  image/dib_hostile_test.cpp
  image/dib_read_test.cpp
  image/dib_write_test.cpp
)
target_sources(zarvik_core_tests PRIVATE
  image/decoder_hostile_test.cpp
  image/gif_decoder_test.cpp
  image/jpeg_decoder_test.cpp
  image/png_decoder_test.cpp
  image/picture_writers_test.cpp
  image/save_rules_test.cpp
)
target_sources(zarvik_core_tests PRIVATE
  image/spi_rules_test.cpp
)
