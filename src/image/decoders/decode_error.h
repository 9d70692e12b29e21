// The one error the picture decoders raise. Every failure of a decoder (damaged
// or hostile data, a picture too large for its file, memory the library could
// not get) arrives as PictureDecodeError with a short English reason. The only
// other exception that leaves a decoder is whatever the caller's PixelSink
// throws from Allocate, which passes through unchanged.
#pragma once

#include <stdexcept>
#include <string>

namespace zk {

class PictureDecodeError : public std::runtime_error {
 public:
  explicit PictureDecodeError(const std::string& reason) : std::runtime_error(reason) {}
  explicit PictureDecodeError(const char* reason) : std::runtime_error(reason) {}
};

}  // namespace zk
