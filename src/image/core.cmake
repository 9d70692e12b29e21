target_sources(zarvik_core PRIVATE
  image/dib/dib_bitfields.cpp
  image/dib/dib_expand.cpp
  image/dib/dib_reader.cpp
  image/dib/nk_dib.cpp
  image/dib/pixel_memory.cpp
  image/dib/true_color_palette.cpp
)
target_sources(zarvik_core PRIVATE
  image/exif_orientation.cpp
  image/fit_image.cpp
  image/smooth_resize.cpp
  image/smooth_resize_cells.cpp
  image/zoom.cpp
)
# The resampler's row loops rely on the vectoriser, which -O2 keeps to trivial loops.
set_source_files_properties(image/smooth_resize.cpp PROPERTIES COMPILE_OPTIONS -O3)
target_sources(zarvik_core PRIVATE
  image/find_jpeg_start.cpp
  image/formats/avif_container.cpp
  image/formats/bitmap_file_check.cpp
  image/formats/icon_directory.cpp
  image/formats/metafile_headers.cpp
  image/picture_format_registry.cpp
)
target_sources(zarvik_core PRIVATE
  image/decoders/avif_decoder.cpp
  image/decoders/gif_decoder.cpp
  image/decoders/webp_decoder.cpp
  image/decoders/jpeg_decoder.cpp
  image/decoders/png_decoder.cpp
  image/encoders/bitmap_writer.cpp
  image/encoders/jpeg_writer.cpp
  image/encoders/png_writer.cpp
  image/save_rules.cpp
)
target_sources(zarvik_core PRIVATE
  image/plugins/spi_bitmap.cpp
  image/plugins/spi_rules.cpp
)
