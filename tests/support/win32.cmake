target_sources(zarvik_win_tests PRIVATE
  support/picture_encoders.cpp
  support/picture_files.cpp
  support/picture_metafiles.cpp
  support/test_files.cpp
)
