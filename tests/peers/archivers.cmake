# Stand-in archiver DLLs over libarchive, one source built under each DLL's name
# and entry prefix, into a folder of their own beside the tests (the archive
# tests add it to the DLL search; other tests must not find them). Only the
# tested 64-bit target runs them. The benchmarks include this list too, so the
# targets are made once.
if(ZARVIK_TRIPLET STREQUAL "x86_64-w64-mingw32" AND NOT TARGET arc_unzip32)
  function(zarvik_archiver_standin target file prefix)
    add_library(${target} SHARED ${CMAKE_CURRENT_LIST_DIR}/archivers/archiver_standin.cpp)
    target_compile_definitions(${target} PRIVATE STANDIN_PREFIX=${prefix} LIBARCHIVE_STATIC ${ARGN})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${ZARVIK_DEPS_PREFIX}/include)
    target_link_libraries(${target} PRIVATE ${ZARVIK_DEPS_PREFIX}/lib/libarchive_static.a
      ${ZARVIK_DEPS_PREFIX}/lib/libbz2.a ${ZARVIK_DEPS_PREFIX}/lib/liblzma.a
      ${ZARVIK_DEPS_PREFIX}/lib/libzstd.a ${ZARVIK_DEPS_PREFIX}/lib/liblz4.a
      /usr/${ZARVIK_TRIPLET}/lib/libz.a bcrypt)
    string(REGEX REPLACE "\\.[^.]*$" "" base ${file})
    string(REGEX MATCH "\\.[^.]*$" suffix ${file})
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/archivers)
    if(TARGET zarvik_win_tests)
      add_dependencies(zarvik_win_tests ${target})
    endif()
  endfunction()

  zarvik_archiver_standin(arc_unlha32 UNLHA32.DLL Unlha STANDIN_LHA)
  zarvik_archiver_standin(arc_unzip32 UNZIP32.DLL UnZip STANDIN_ZIP STANDIN_UNZIP32)
  zarvik_archiver_standin(arc_zip32j ZIP32J.DLL Zip STANDIN_ZIP)
  zarvik_archiver_standin(arc_lmzip32 LMZIP32.DLL Unzip STANDIN_ZIP)
  zarvik_archiver_standin(arc_cab32 CAB32.DLL Cab STANDIN_CAB)
  zarvik_archiver_standin(arc_tar32 TAR32.DLL Tar STANDIN_TAR)
  zarvik_archiver_standin(arc_unrar32 UNRAR32.DLL Unrar STANDIN_RAR)
  zarvik_archiver_standin(arc_bga32 BGA32.DLL Bga STANDIN_ZIP)
  zarvik_archiver_standin(arc_yyz32 YYZ32.DLL Yz1 STANDIN_ZIP)
  zarvik_archiver_standin(arc_yz1 YZ1.DLL Yz1 STANDIN_ZIP)
  zarvik_archiver_standin(arc_7zip32 7-zip32.dll SevenZip STANDIN_7Z)

  # libarchive's own small test archives for the formats it only reads, kept
  # uuencoded as they come; the tests decode them.
  set(zarvik_archive_samples
    test_read_format_lha_bugfix_0.lzh.uu test_read_format_cab_1.cab.uu test_read_format_rar.rar.uu
    test_read_format_rar5_compressed.rar.uu test_read_format_cab_3.cab.uu test_read_format_lha_lh7.lzh.uu)
  foreach(sample IN LISTS zarvik_archive_samples)
    configure_file(${ZARVIK_DEPS}/src/libarchive/libarchive/test/${sample}
      ${CMAKE_BINARY_DIR}/bin/archive-samples/${sample} COPYONLY)
  endforeach()
endif()
