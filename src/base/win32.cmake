target_sources(zarvik_win PRIVATE
  base/file_byte_source.cpp
  base/win_files.cpp
  base/win_process.cpp
  base/win_text.cpp
  base/ui/dialog_font.cpp
  base/ui/dialog_scale.cpp
  base/ui/dpi.cpp
  base/ui/modal_dialog.cpp
  base/ui/window_base.cpp
)
