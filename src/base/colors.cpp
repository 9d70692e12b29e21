#include "base/colors.h"

#include <array>
#include <cstdio>

#include "base/text.h"

namespace zk {
namespace {

struct NamedColor {
  Color value;
  std::u16string_view name;
};

// The standard colour identifiers, as the settings file has always spelt them.
constexpr std::array<NamedColor, 52> kNamedColors = {{
    {0x000000, u"clBlack"},
    {0x000080, u"clMaroon"},
    {0x008000, u"clGreen"},
    {0x008080, u"clOlive"},
    {0x800000, u"clNavy"},
    {0x800080, u"clPurple"},
    {0x808000, u"clTeal"},
    {0x808080, u"clGray"},
    {0xC0C0C0, u"clSilver"},
    {0x0000FF, u"clRed"},
    {0x00FF00, u"clLime"},
    {0x00FFFF, u"clYellow"},
    {0xFF0000, u"clBlue"},
    {0xFF00FF, u"clFuchsia"},
    {0xFFFF00, u"clAqua"},
    {0xFFFFFF, u"clWhite"},
    {0xC0DCC0, u"clMoneyGreen"},
    {0xF0CAA6, u"clSkyBlue"},
    {0xF0FBFF, u"clCream"},
    {0xA4A0A0, u"clMedGray"},
    {SystemColor(0), u"clScrollBar"},
    {SystemColor(1), u"clBackground"},
    {SystemColor(2), u"clActiveCaption"},
    {SystemColor(3), u"clInactiveCaption"},
    {SystemColor(4), u"clMenu"},
    {SystemColor(5), u"clWindow"},
    {SystemColor(6), u"clWindowFrame"},
    {SystemColor(7), u"clMenuText"},
    {SystemColor(8), u"clWindowText"},
    {SystemColor(9), u"clCaptionText"},
    {SystemColor(10), u"clActiveBorder"},
    {SystemColor(11), u"clInactiveBorder"},
    {SystemColor(12), u"clAppWorkSpace"},
    {SystemColor(13), u"clHighlight"},
    {SystemColor(14), u"clHighlightText"},
    {SystemColor(15), u"clBtnFace"},
    {SystemColor(16), u"clBtnShadow"},
    {SystemColor(17), u"clGrayText"},
    {SystemColor(18), u"clBtnText"},
    {SystemColor(19), u"clInactiveCaptionText"},
    {SystemColor(20), u"clBtnHighlight"},
    {SystemColor(21), u"cl3DDkShadow"},
    {SystemColor(22), u"cl3DLight"},
    {SystemColor(23), u"clInfoText"},
    {SystemColor(24), u"clInfoBk"},
    {SystemColor(26), u"clHotLight"},
    {SystemColor(27), u"clGradientActiveCaption"},
    {SystemColor(28), u"clGradientInactiveCaption"},
    {SystemColor(29), u"clMenuHighlight"},
    {SystemColor(30), u"clMenuBar"},
    {0x1FFFFFFF, u"clNone"},
    {0x20000000, u"clDefault"},
}};

}  // namespace

bool IsSystemColor(Color c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }

int SystemColorIndex(Color c) { return IsSystemColor(c) ? static_cast<int>(c & 0xFF) : -1; }

std::u16string ColorToString(Color c) {
  for (const auto& named : kNamedColors)
    if (named.value == c) return std::u16string(named.name);
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(static_cast<uint32_t>(c)));
  return Ascii(buf);
}

std::optional<Color> StringToColor(std::u16string_view text) {
  const std::u16string_view t = Trim(text);
  for (const auto& named : kNamedColors)
    if (EqualsIgnoreCase(named.name, t)) return named.value;
  return ParseInt32(t);
}

}  // namespace zk
