#include "app/settings.h"

#include <cstdlib>
#include <limits>

#include "app/string_list.h"

namespace zk {

const char16_t kDefaultIsBinary[] =
    u".MOV,.FLV,.OGG,.MKV,.WAV,.MPG,.MPEG,.AVI,.SWF,.MP4,.HLP,.SUE,.PDF,.ISO,.COM";

namespace {

constexpr int kDefaultPixelsPerInch = 96;
constexpr int32_t kDefaultJpegQuality = 70;

// a * b / c rounded half away from zero, -1 when c is 0 or the result does not
// fit, as the platform's MulDiv does, so sizes match what the font dialog shows.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t num = static_cast<int64_t>(a) * b;
  const int64_t den = c;
  const bool negative = (num < 0) != (den < 0);
  const uint64_t n = static_cast<uint64_t>(num < 0 ? -num : num);
  const uint64_t d = static_cast<uint64_t>(den < 0 ? -den : den);
  const uint64_t q = (n + d / 2) / d;
  if (q > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return -1;
  return negative ? -static_cast<int32_t>(q) : static_cast<int32_t>(q);
}

int Ppi(int pixels_per_inch) { return pixels_per_inch > 0 ? pixels_per_inch : kDefaultPixelsPerInch; }

// Sections and keys of the settings file.
constexpr char16_t kWindow[] = u"Window";
constexpr char16_t kPrograms[] = u"Programs";
constexpr char16_t kView[] = u"View";
constexpr char16_t kText[] = u"Text";
constexpr char16_t kJpg[] = u"Jpg";
constexpr char16_t kFont[] = u"Font";

}  // namespace

int32_t FontSetting::Size(int pixels_per_inch) const {
  // A positive height is the cell height; its size is taken the same way.
  const int32_t h = height == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max()
                                                                   : std::abs(height);
  return MulDiv(h, 72, Ppi(pixels_per_inch));
}

void FontSetting::SetSize(int32_t points, int pixels_per_inch) {
  height = -MulDiv(points, Ppi(pixels_per_inch), 72);
}

Settings::Settings() : IsBinary(SplitCommaText(kDefaultIsBinary)) {}

void ReadSettings(const IniFile& ini, Settings& s, int pixels_per_inch) {
  s.wsMaximized = ini.ReadBool(kWindow, u"wsMaximized", s.wsMaximized);
  s.Top = ini.ReadInteger(kWindow, u"Top", s.Top);
  s.Left = ini.ReadInteger(kWindow, u"Left", s.Left);
  s.Width = ini.ReadInteger(kWindow, u"Width", s.Width);
  s.Height = ini.ReadInteger(kWindow, u"Height", s.Height);

  s.OutWClick = ini.ReadBool(kPrograms, u"OutWClick", s.OutWClick);
  s.OutTextEditor = ini.ReadString(kPrograms, u"OutTextEditor", s.OutTextEditor);
  s.OutTextDir = ini.ReadString(kPrograms, u"OutTextDir", s.OutTextDir);
  s.OutGEditor = ini.ReadString(kPrograms, u"OutGEditor", s.OutGEditor);
  s.OutGDir = ini.ReadString(kPrograms, u"OutGDir", s.OutGDir);

  s.TopMost = ini.ReadBool(kWindow, u"TopMost", s.TopMost);
  s.NotUsedInTray = ini.ReadBool(kWindow, u"NotUsedInTray", s.NotUsedInTray);
  s.HideToolBar = ini.ReadBool(kWindow, u"HideToolBar", s.HideToolBar);
  s.ActiveHotKey = static_cast<uint16_t>(ini.ReadInteger(kWindow, u"ActiveHotKey", s.ActiveHotKey) & 0xFFFF);
  s.EverythingPath = ini.ReadString(kPrograms, u"EverythingPath", s.EverythingPath);

  if (auto list = ini.Find(kView, u"IsBinary")) s.IsBinary = SplitCommaText(*list);
  s.ArcView = ini.ReadBool(kView, u"ArcView", s.ArcView);
  s.LinkView = ini.ReadBool(kView, u"LinkView", s.LinkView);
  s.Better = ini.ReadBool(kView, u"Better", s.Better);
  s.ShowID3Tag = ini.ReadBool(kView, u"ShowID3Tag", s.ShowID3Tag);
  s.ImageCenter = ini.ReadBool(kView, u"ImageCenter", s.ImageCenter);
  s.BackgroundColor = ini.ReadInteger(kView, u"BackgroundColor", s.BackgroundColor);
  s.ClearNoEverything = ini.ReadBool(kView, u"ClearNoEverything", s.ClearNoEverything);
  // A negative limit would refuse every file; it is taken as unset.
  const int64_t max_read = ini.ReadInt64(kView, u"MaxReadByte", s.MaxReadByte);
  if (max_read >= 0) s.MaxReadByte = max_read;
  s.ArkWrap = ini.ReadBool(kView, u"ArkWrap", s.ArkWrap);

  s.UsePreThread = ini.ReadBool(kText, u"UsePreThread", s.UsePreThread);
  s.CompressionQuality = ini.ReadInteger(kJpg, u"CompressionQuality", s.CompressionQuality);
  if (s.CompressionQuality <= 0 || s.CompressionQuality > 100) s.CompressionQuality = kDefaultJpegQuality;
  s.Progressive = ini.ReadBool(kJpg, u"Progressive", s.Progressive);

  // The size is applied after the height, so the stored size decides.
  FontSetting& f = s.Font;
  f.height = ini.ReadInteger(kFont, u"Height", f.height);
  f.name = ini.ReadString(kFont, u"Name", f.name);
  f.SetSize(ini.ReadInteger(kFont, u"Size", f.Size(pixels_per_inch)), pixels_per_inch);
  if (auto color = ini.Find(kFont, u"Color"))
    if (auto c = StringToColor(*color)) f.color = *c;
  f.style = static_cast<uint8_t>(ini.ReadInteger(kFont, u"Style", f.style) &
                                 (kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut));
  const int32_t pitch = ini.ReadInteger(kFont, u"Pitch", f.pitch);
  if (pitch >= 0 && pitch <= 2) f.pitch = pitch;

  s.CacheFolder = ini.ReadString(kView, u"CacheFolder", s.CacheFolder);
}

void WriteSettings(const Settings& s, IniFile& ini, int pixels_per_inch) {
  ini.WriteBool(kWindow, u"wsMaximized", s.wsMaximized);
  ini.WriteInteger(kWindow, u"Top", s.Top);
  ini.WriteInteger(kWindow, u"Left", s.Left);
  ini.WriteInteger(kWindow, u"Width", s.Width);
  ini.WriteInteger(kWindow, u"Height", s.Height);

  ini.WriteBool(kPrograms, u"OutWClick", s.OutWClick);
  ini.WriteString(kPrograms, u"OutTextEditor", s.OutTextEditor);
  ini.WriteString(kPrograms, u"OutGEditor", s.OutGEditor);
  ini.WriteString(kPrograms, u"OutTextDir", s.OutTextDir);
  ini.WriteString(kPrograms, u"OutGDir", s.OutGDir);

  ini.WriteBool(kWindow, u"TopMost", s.TopMost);
  ini.WriteBool(kWindow, u"NotUsedInTray", s.NotUsedInTray);
  ini.WriteBool(kWindow, u"HideToolBar", s.HideToolBar);
  ini.WriteInteger(kWindow, u"ActiveHotKey", s.ActiveHotKey);

  ini.WriteString(kPrograms, u"EverythingPath", s.EverythingPath);

  ini.WriteString(kView, u"IsBinary", JoinCommaText(s.IsBinary));
  ini.WriteBool(kView, u"ArcView", s.ArcView);
  ini.WriteBool(kView, u"LinkView", s.LinkView);
  ini.WriteBool(kView, u"Better", s.Better);
  ini.WriteBool(kView, u"ShowID3Tag", s.ShowID3Tag);
  ini.WriteBool(kView, u"ImageCenter", s.ImageCenter);
  ini.WriteInteger(kView, u"BackgroundColor", s.BackgroundColor);
  ini.WriteBool(kView, u"ClearNoEverything", s.ClearNoEverything);
  ini.WriteInteger(kView, u"MaxReadByte", s.MaxReadByte);
  ini.WriteBool(kView, u"ArkWrap", s.ArkWrap);

  ini.WriteBool(kText, u"UsePreThread", s.UsePreThread);

  ini.WriteInteger(kJpg, u"CompressionQuality", s.CompressionQuality);
  ini.WriteBool(kJpg, u"Progressive", s.Progressive);

  ini.WriteInteger(kFont, u"Height", s.Font.height);
  ini.WriteString(kFont, u"Name", s.Font.name);
  ini.WriteInteger(kFont, u"Size", s.Font.Size(pixels_per_inch));
  ini.WriteString(kFont, u"Color", ColorToString(s.Font.color));
  ini.WriteInteger(kFont, u"Style", s.Font.style);
  ini.WriteInteger(kFont, u"Pitch", s.Font.pitch);

  ini.WriteString(kView, u"CacheFolder", s.CacheFolder);
}

void PullBackIntoDesktop(Settings& s, int desktop_width, int desktop_height) {
  // 64-bit arithmetic: stored values may be anything a 32-bit integer holds.
  const auto off = [](int64_t pos, int64_t extent, int64_t desktop) {
    return pos > desktop - 10 || pos < 10 - extent;
  };
  if (off(s.Left, s.Width, desktop_width)) s.Left = 0;
  if (off(s.Top, s.Height, desktop_height)) s.Top = 0;
}

StartWindowState StartStateFor(bool ws_maximized, int show_command) {
  if (ws_maximized) return StartWindowState::kMaximized;
  switch (show_command) {
    case 2:  // SW_SHOWMINIMIZED
    case 6:  // SW_MINIMIZE
    case 7:  // SW_SHOWMINNOACTIVE
      return StartWindowState::kMinimized;
    case 3:  // SW_SHOWMAXIMIZED
      return StartWindowState::kMaximized;
    default:
      return StartWindowState::kNormal;
  }
}

}  // namespace zk
