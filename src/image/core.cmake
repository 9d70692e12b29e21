target_sources(zarvik_core PRIVATE
  image/dib/dib_bitfields.cpp
  image/dib/dib_expand.cpp
  image/dib/dib_reader.cpp
  image/dib/nk_dib.cpp
  image/dib/pixel_memory.cpp
  image/dib/true_color_palette.cpp
)
