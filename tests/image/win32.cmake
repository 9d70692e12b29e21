target_sources(zarvik_win_tests PRIVATE
  image/dib_win_test.cpp
)
# Pictures made by ImageMagick, exiftool, cwebp and img2webp.
zarvik_made_test_files(made_pictures image/make_pictures.sh made-pictures "Making test pictures")
