// The headers of Windows metafiles (with or without the placeable header)
// and enhanced metafiles: checked before the platform plays a file, and the
// picture size they promise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zk {

struct WindowsMetafileFacts {
  size_t data_offset = 0;  // where the metafile records begin (after the placeable header)
  size_t data_size = 0;    // the records' bytes, as the header counts them
  bool placeable = false;
  // Placeable files only: the bounding box in logical units and units per inch.
  int box_width = 0;
  int box_height = 0;
  int units_per_inch = 0;
};

// Nothing when the data is no sound metafile or is shorter than its header says.
std::optional<WindowsMetafileFacts> ReadWindowsMetafileHeader(std::span<const uint8_t> file);

struct EnhancedMetafileFacts {
  // The picture frame in hundredths of a millimetre.
  int frame_width = 0;
  int frame_height = 0;
  size_t size = 0;  // bytes the header counts
};

std::optional<EnhancedMetafileFacts> ReadEnhancedMetafileHeader(std::span<const uint8_t> file);

// Pixels for a length in hundredths of a millimetre, or in units at units per inch.
int HimetricToPixels(int64_t himetric, int dots_per_inch);
int UnitsToPixels(int64_t units, int units_per_inch, int dots_per_inch);

}  // namespace zk
