# Stand-in picture plug-ins, built into the program folder of the tests with
# the 64-bit plug-in extension.
function(zarvik_plugin_standin target name kind)
  add_library(${target} SHARED ${CMAKE_CURRENT_LIST_DIR}/picture_plugins/plugin_standin.cpp)
  target_compile_definitions(${target} PRIVATE STANDIN_${kind} ${ARGN})
  target_link_libraries(${target} PRIVATE zarvik_core)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ".sph"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(zarvik_win_tests ${target})
endfunction()

zarvik_plugin_standin(spi_ppm ppm PPM)
zarvik_plugin_standin(spi_content content CONTENT)
zarvik_plugin_standin(spi_failing failing FAILING)
zarvik_plugin_standin(spi_liar liar LIAR)
zarvik_plugin_standin(spi_archive archive ARCHIVE)
zarvik_plugin_standin(spi_noinfo noinfo NOINFO)
# Found but never kept: a hidden file, and a name the viewer refuses.
zarvik_plugin_standin(spi_hidden .hidden PPM STANDIN_PATTERN="*.hid")
zarvik_plugin_standin(spi_ifbmp IFBMP PPM STANDIN_PATTERN="*.ifb")
