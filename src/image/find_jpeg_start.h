// A JPEG picture inside other data: where its start-of-image marker lies.
#pragma once

#include <cstdint>
#include <span>

namespace zk {

// The first offset from 0 to 256 where the bytes FF D8 begin; -1 when none.
int FindJpegStart(std::span<const uint8_t> buffer);

}  // namespace zk
