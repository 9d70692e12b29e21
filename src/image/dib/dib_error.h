// The errors of the DIB container. Every one carries the exact text the user
// or the log of a failed decode sees; the loaders catch the whole family and
// fall back to other decoders.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

class ENkDIBError : public std::runtime_error {
 public:
  explicit ENkDIBError(const char* message) : std::runtime_error(message) {}
  // The message as program text (the messages are ASCII).
  std::u16string Message() const {
    std::string_view text = what();
    return std::u16string(text.begin(), text.end());
  }
};

// The data is not a bitmap this container reads (file type, headers, sizes).
class ENkDIBInvalidFile : public ENkDIBError {
  using ENkDIBError::ENkDIBError;
};
// The storage holds a combination of bit count and compression it cannot use.
class ENkDIBInvalidDIB : public ENkDIBError {
  using ENkDIBError::ENkDIBError;
};
// The operation needs another pixel format.
class ENkDIBBadDIBType : public ENkDIBError {
  using ENkDIBError::ENkDIBError;
};
class ENkDIBInvalidParameters : public ENkDIBError {
  using ENkDIBError::ENkDIBError;
};
// Pixel memory or a memory block could not be had.
class ENkDIBOutOfResources : public ENkDIBError {
  using ENkDIBError::ENkDIBError;
};

namespace dib_messages {
inline constexpr char kFileTypeInvalid[] = "TNkInternalDIB.LoadFromFile: File type is invalid";
inline constexpr char kOffBitsTooSmall[] = "TNkInternalDIB.LoadFromFile: bfOffBits is too small";
inline constexpr char kInvalidBitCount40[] = "TNkInternalDIB.LoadFromStream: Invalid BitCout";
inline constexpr char kInvalidBitCount12[] = "TNkInternalDIB.LoadFromStream: Invalid BitCount";
inline constexpr char kInvalidHeaderSize[] = "TNkInternalDIB.LoadFromStream: Invalid Bitmap Header Size";
inline constexpr char kInvalidWidthOrHeight[] = "TNkInternalDIB.LoadFromStream: Invalid Width or Height";
inline constexpr char kInvalidMasks[] = "TNkInternalDIB.LoadFromStream: Invalid Masks";
// The data ends before the part its headers announce.
inline constexpr char kDataTruncated[] = "TNkInternalDIB.LoadFromStream: Data is truncated";
inline constexpr char kCannotOpenFile[] = "TNkInternalDIB.LoadFromFile: Cannot open the file";
// The platform would not hand out a bitmap's pixels.
inline constexpr char kBitmapUnreadable[] = "TNkDIB.Assign: Cannot read the bitmap";
inline constexpr char kBitmapNotMade[] = "TNkDIB.AssignTo: Cannot make the bitmap";
inline constexpr char kCreateInvalidParameters[] = "TNkInternalDIB.CreateDIB: Invalid Parameters";
inline constexpr char kInvalid1Bit[] = "TNkInternalDIB.GetPixelFormat: Invalid DIB(1Bit)";
inline constexpr char kInvalid4Bit[] = "TNkInternalDIB.GetPixelFormat: Invalid DIB(4Bit)";
inline constexpr char kInvalid8Bit[] = "TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)";
inline constexpr char kInvalid24Bit[] = "TNkInternalDIB.GetPixelFormat: Invalid DIB(24Bit)";
inline constexpr char kIllegalBitCount[] = "TNkInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)";
inline constexpr char kNoMappingObject[] = "GetMemory: Cannot Make File Mapping Object";
inline constexpr char kNoMapView[] = "GetMemory: Cannot Make View of File Map";
inline constexpr char kHeapExhausted[] = "GetMemory: Out Of Memory";
inline constexpr char kClipboardOutOfMemory[] = "TNkInternalDIB.SaveToClipboardFormat: Out Of Memory";
inline constexpr char kClipboardNoData[] = "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data";
inline constexpr char kClipboardInvalidData[] = "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
inline constexpr char kBadTrueColorType[] = "TNkInternalDIB.CreateTrueColorPalette: Bad DIB Type";
}  // namespace dib_messages

}  // namespace zk
