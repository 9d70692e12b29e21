#include "image/find_jpeg_start.h"

namespace zk {

int FindJpegStart(std::span<const uint8_t> buffer) {
  // Pictures kept by other programs carry at most a short header before the JPEG data.
  constexpr size_t kLastOffset = 256;
  for (size_t at = 0; at <= kLastOffset && at + 1 < buffer.size(); ++at)
    if (buffer[at] == 0xFF && buffer[at + 1] == 0xD8) return static_cast<int>(at);
  return -1;
}

}  // namespace zk
