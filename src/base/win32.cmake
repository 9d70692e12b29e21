target_sources(zarvik_win PRIVATE
  base/win_files.cpp
  base/win_process.cpp
  base/win_text.cpp
)
