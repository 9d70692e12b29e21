target_sources(zarvik_win PRIVATE
  base/file_byte_source.cpp
  base/win_files.cpp
  base/win_text.cpp
)
