# Stand-ins for the outside programs, each with its own list.
include(${CMAKE_CURRENT_LIST_DIR}/xdoc2txt.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/search_window.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/outside_viewer.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/picture_plugins.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/archivers.cmake)
