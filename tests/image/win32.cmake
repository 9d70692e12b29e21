target_sources(zarvik_win_tests PRIVATE
  image/dib_win_test.cpp
)
# Pictures made by ImageMagick and exiftool.
set(made_pictures_stamp ${CMAKE_BINARY_DIR}/bin/made-pictures/.made)
add_custom_command(OUTPUT ${made_pictures_stamp}
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/image/make_pictures.sh ${CMAKE_BINARY_DIR}/bin/made-pictures
  COMMAND ${CMAKE_COMMAND} -E touch ${made_pictures_stamp}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/image/make_pictures.sh
  COMMENT "Making test pictures")
add_custom_target(made_pictures DEPENDS ${made_pictures_stamp})
add_dependencies(zarvik_win_tests made_pictures)
