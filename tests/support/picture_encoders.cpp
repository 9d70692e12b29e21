#include "support/picture_encoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace zk::test {

Bytes EncodeJpeg(const JpegRecipe& recipe) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);  // the test data is sound: errors may exit
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
  cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
  cinfo.input_components = recipe.components;
  cinfo.in_color_space = recipe.components == 1 ? JCS_GRAYSCALE : recipe.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (recipe.components == 4) jpeg_set_colorspace(&cinfo, recipe.ycck ? JCS_YCCK : JCS_CMYK);
  jpeg_set_quality(&cinfo, recipe.quality, TRUE);
  // Full-resolution chroma keeps flat test colours exact.
  if (recipe.full_chroma) {
    for (int c = 0; c < cinfo.num_components; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  }
  if (recipe.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const size_t stride = size_t(recipe.width) * recipe.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(recipe.samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes bytes(out, out + size);
  std::free(out);
  return bytes;
}

namespace {

void PngWrite(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void PngFlush(png_structp) {}

int Channels(int color_type) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
  }
}

// One row of samples packed as the file stores them (big-endian, high bits first).
std::vector<uint8_t> PackRow(const PngRecipe& recipe, int y) {
  const int n = recipe.width * Channels(recipe.color_type);
  const uint16_t* s = recipe.samples.data() + size_t(y) * n;
  std::vector<uint8_t> row((size_t(n) * recipe.bit_depth + 7) / 8);
  for (int i = 0; i < n; ++i) {
    if (recipe.bit_depth == 16) {
      row[2 * i] = uint8_t(s[i] >> 8);
      row[2 * i + 1] = uint8_t(s[i]);
    } else {
      const int bit = i * recipe.bit_depth;
      row[bit / 8] |= uint8_t(s[i] << (8 - recipe.bit_depth - bit % 8));
    }
  }
  return row;
}

}  // namespace

Bytes EncodePng(const PngRecipe& recipe) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("PNG encoding failed");
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_compression_level(png, recipe.compression_level);
  png_set_IHDR(png, info, png_uint_32(recipe.width), png_uint_32(recipe.height), recipe.bit_depth, recipe.color_type,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (const Rgb& c : recipe.palette) palette.push_back({c.r, c.g, c.b});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  png_color_16 colour{};
  if (!recipe.palette_alpha.empty()) {
    png_set_tRNS(png, info, recipe.palette_alpha.data(), int(recipe.palette_alpha.size()), nullptr);
  } else if (recipe.transparent_grey >= 0) {
    colour.gray = png_uint_16(recipe.transparent_grey);
    png_set_tRNS(png, info, nullptr, 0, &colour);
  } else if (recipe.transparent_rgb[0] >= 0) {
    colour.red = png_uint_16(recipe.transparent_rgb[0]);
    colour.green = png_uint_16(recipe.transparent_rgb[1]);
    colour.blue = png_uint_16(recipe.transparent_rgb[2]);
    png_set_tRNS(png, info, nullptr, 0, &colour);
  }
  png_write_info(png, info);
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_bytep> pointers;
  for (int y = 0; y < recipe.height; ++y) rows.push_back(PackRow(recipe, y));
  for (auto& r : rows) pointers.push_back(r.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

int GifWrite(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

ColorMapObject* MakeMap(const std::vector<Rgb>& colours) {
  if (colours.empty()) return nullptr;
  std::vector<GifColorType> c;
  for (const Rgb& rgb : colours) c.push_back({rgb.r, rgb.g, rgb.b});
  return GifMakeMapObject(int(c.size()), c.data());
}

void Check(int result) {
  if (result == GIF_ERROR) throw std::runtime_error("GIF encoding failed");
}

}  // namespace

Bytes EncodeGif(const GifRecipe& recipe) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, GifWrite, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MakeMap(recipe.global_colours);
  Check(EGifPutScreenDesc(gif, recipe.width, recipe.height, 8, 0, global));
  GifFreeMapObject(global);
  if (recipe.loops >= 0) {
    const GifByteType repeat[3] = {1, GifByteType(recipe.loops & 0xFF), GifByteType(recipe.loops >> 8)};
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
    Check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"));
    Check(EGifPutExtensionBlock(gif, 3, repeat));
    Check(EGifPutExtensionTrailer(gif));
  }
  for (const GifFrameRecipe& f : recipe.frames) {
    if (f.control) {
      const GifByteType gcb[4] = {GifByteType((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)),
                                  GifByteType(f.delay & 0xFF), GifByteType(f.delay >> 8),
                                  GifByteType(f.transparent >= 0 ? f.transparent : 0)};
      Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gcb));
    }
    ColorMapObject* local = MakeMap(f.local_colours);
    if (!local && gif->Image.ColorMap) {
      // giflib forgets, without freeing it, the previous frame's table here.
      GifFreeMapObject(gif->Image.ColorMap);
      gif->Image.ColorMap = nullptr;
    }
    Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local));
    GifFreeMapObject(local);
    std::vector<int> order;  // stored row order
    if (f.interlaced) {
      const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int y = starts[p]; y < f.height; y += steps[p]) order.push_back(y);
    } else {
      for (int y = 0; y < f.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      std::vector<GifPixelType> line(f.indices.begin() + size_t(y) * f.width,
                                     f.indices.begin() + size_t(y + 1) * f.width);
      Check(EGifPutLine(gif, line.data(), f.width));
    }
  }
  Check(EGifCloseFile(gif, &error));
  return out;
}

}  // namespace zk::test
