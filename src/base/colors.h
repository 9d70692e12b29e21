// Colours as the settings file stores them: 0x00BBGGRR for plain colours and
// 0xFF000000 plus the system colour index for system colours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

using Color = int32_t;

constexpr Color kSystemColorFlag = static_cast<Color>(0xFF000000);
constexpr Color SystemColor(int index) { return kSystemColorFlag | index; }

constexpr Color clBlack = 0x000000;
constexpr Color clRed = 0x0000FF;
constexpr Color clLime = 0x00FF00;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clWindow = SystemColor(5);
constexpr Color clWindowText = SystemColor(8);
constexpr Color clBtnFace = SystemColor(15);  // written as -16777201
constexpr Color clMenuBar = SystemColor(30);

bool IsSystemColor(Color c);
int SystemColorIndex(Color c);

// "clWindowText", "clRed" ... for colours with a standard identifier, else "$"
// and eight hexadecimal digits.
std::u16string ColorToString(Color c);
// An identifier (any letter case), "$" or "0x" hexadecimal, or a decimal integer.
std::optional<Color> StringToColor(std::u16string_view text);

}  // namespace zk
