target_sources(zarvik_win PRIVATE
  image/dib_section.cpp
  image/gif_picture.cpp
  image/webp_picture.cpp
  image/image_control.cpp
  image/picture.cpp
  image/picture_clipboard.cpp
  image/picture_loader.cpp
  image/wic_decoder.cpp
  image/dib/nk_dib_win.cpp
  image/dib/win_pixel_memory.cpp
)
target_sources(zarvik_win PRIVATE
  image/plugins/spi.cpp
  image/plugins/spi_graphic.cpp
  image/plugins/spi_host.cpp
)
