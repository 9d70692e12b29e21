target_sources(zarvik_win_tests PRIVATE archive/work_folder_win_test.cpp)
# The archiver tests run against the stand-in DLLs, built for the 64-bit target only.
if(ZARVIK_TRIPLET STREQUAL "x86_64-w64-mingw32")
  target_sources(zarvik_win_tests PRIVATE archive/archive_samples.cpp archive/archiver_dll_win_test.cpp archive/archive_file_win_test.cpp
    app/archive_view_win_test.cpp)
  target_include_directories(zarvik_win_tests PRIVATE ${ZARVIK_DEPS_PREFIX}/include)
  target_compile_definitions(zarvik_win_tests PRIVATE LIBARCHIVE_STATIC)
  target_link_libraries(zarvik_win_tests PRIVATE ${ZARVIK_DEPS_PREFIX}/lib/libarchive_static.a
    ${ZARVIK_DEPS_PREFIX}/lib/libbz2.a ${ZARVIK_DEPS_PREFIX}/lib/liblzma.a ${ZARVIK_DEPS_PREFIX}/lib/libzstd.a
    ${ZARVIK_DEPS_PREFIX}/lib/liblz4.a /usr/${ZARVIK_TRIPLET}/lib/libz.a bcrypt)
  # Archives made by the real archivers (Info-ZIP, 7-Zip, gcab, bsdtar) for the built-in engine's cases.
  zarvik_made_test_files(real_archives archive/make_real_archives.sh real-archives "Making archives with the real archivers" zarvik_win_tests)
endif()
