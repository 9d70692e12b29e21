target_sources(zarvik_core_tests PRIVATE support/picture_encoders.cpp support/picture_files.cpp)
