target_sources(zarvik_win PRIVATE
  image/image_control.cpp
  image/dib/nk_dib_win.cpp
  image/dib/win_pixel_memory.cpp
)
