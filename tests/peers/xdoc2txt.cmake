# Stand-in for the outside console converter, in a folder of its own so that
# tests choose whether it is found (on PATH or by full path).
add_executable(xdoc2txt_standin
  ${CMAKE_CURRENT_LIST_DIR}/xdoc2txt/xdoc2txt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xdoc2txt/markup_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xdoc2txt/zip_reader.cpp
)
target_link_libraries(xdoc2txt_standin PRIVATE z)
target_link_options(xdoc2txt_standin PRIVATE -municode)
set_target_properties(xdoc2txt_standin PROPERTIES
  OUTPUT_NAME xdoc2txt
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/peers/xdoc2txt)

add_dependencies(zarvik_win_tests xdoc2txt_standin)
target_sources(zarvik_win_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/xdoc2txt_win_test.cpp)
target_link_libraries(zarvik_win_tests PRIVATE z)
