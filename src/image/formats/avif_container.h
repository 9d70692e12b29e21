// The AVIF file around the AV1 data: the primary image item (one coded
// picture or a grid of tiles), its alpha item, its size, colour description
// and turns; for an image sequence without a primary item, the first sample
// of its first track.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zk {

// An "ftyp" box naming the AVIF brands ("avif" or "avis").
bool LooksLikeAvif(std::span<const uint8_t> bytes);

// The colour description of an "nclx" colour box.
struct AvifNclx {
  int primaries = 2, transfer = 2, matrix = 2;
  bool full_range = false;
};

struct AvifLayout {
  int width = 0, height = 0;  // the picture as the file declares it (a grid's output size)
  int grid_rows = 1, grid_columns = 1;
  // The AV1 data of each coded picture: one, or a grid's tiles row by row.
  std::vector<std::span<const uint8_t>> color;
  std::vector<std::span<const uint8_t>> alpha;  // empty without alpha; laid out as `color`
  bool alpha_premultiplied = false;
  std::optional<AvifNclx> nclx;
  // Extents of an item the file keeps in several pieces, joined; the spans
  // above may point here.
  std::vector<std::vector<uint8_t>> storage;
  // The turn and mirror of "irot"/"imir" as the matching EXIF orientation 1..8.
  int orientation = 1;
};

// Reads the layout of an AVIF file, whose bytes the spans point into. Throws
// PictureDecodeError for a damaged or unsupported file (truncated boxes, data
// outside the file, no AV1 picture) and for a size the file cannot justify.
AvifLayout ReadAvifLayout(std::span<const uint8_t> file);

// The EXIF orientation of an anticlockwise turn by `quarter_turns` x 90
// degrees followed by a mirroring (-1 none, 0 top-to-bottom, 1 left-to-right).
int AvifTurnToOrientation(int quarter_turns, int mirror);

}  // namespace zk
