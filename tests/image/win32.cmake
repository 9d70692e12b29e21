target_sources(zarvik_win_tests PRIVATE
  image/dib_win_test.cpp
)
# Pictures made by ImageMagick, exiftool, cwebp, img2webp and avifenc.
zarvik_made_test_files(made_pictures image/make_pictures.sh made-pictures "Making test pictures" zarvik_win_tests)
zarvik_made_test_files(made_avif image/make_avif.sh made-avif "Making AVIF test pictures" zarvik_win_tests)
