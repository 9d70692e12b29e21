target_sources(zarvik_win PRIVATE
  text/binary_view.cpp
  text/command_line_unit.cpp
  text/text_file.cpp
  text/win_code_page_decoder.cpp
  text/read_text_thread.cpp
  text/rich_edit_url.cpp
)
