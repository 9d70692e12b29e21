target_sources(zarvik_win_tests PRIVATE
  image/dib_win_test.cpp
)
# JPEGs with each EXIF orientation, set by exiftool.
set(oriented_jpegs_stamp ${CMAKE_BINARY_DIR}/bin/oriented-jpegs/.made)
add_custom_command(OUTPUT ${oriented_jpegs_stamp}
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/image/make_oriented_jpegs.sh ${CMAKE_BINARY_DIR}/bin/oriented-jpegs
  COMMAND ${CMAKE_COMMAND} -E touch ${oriented_jpegs_stamp}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/image/make_oriented_jpegs.sh
  COMMENT "Making JPEGs with each EXIF orientation")
add_custom_target(oriented_jpegs DEPENDS ${oriented_jpegs_stamp})
add_dependencies(zarvik_win_tests oriented_jpegs)
