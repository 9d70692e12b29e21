#include "app/model/settings.h"

#include <cstdlib>
#include <limits>
#include <type_traits>
#include <variant>

#include "base/string_list.h"

namespace zk {

const char16_t kDefaultIsBinary[] =
    u".MOV,.FLV,.OGG,.MKV,.WAV,.MPG,.MPEG,.AVI,.SWF,.MP4,.HLP,.SUE,.PDF,.ISO,.COM";

namespace {

constexpr int kDefaultPixelsPerInch = 96;

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

// Sections of the settings file.
constexpr char16_t kWindow[] = u"Window";
constexpr char16_t kPrograms[] = u"Programs";
constexpr char16_t kView[] = u"View";
constexpr char16_t kText[] = u"Text";
constexpr char16_t kJpg[] = u"Jpg";
constexpr char16_t kFont[] = u"Font";
constexpr char16_t kArchive[] = u"Archive";

struct SettingKey;

// How a key's member gets its default, is read from the file and is written
// to it. Reading leaves the member as it is when the key is missing or its
// value does not parse.
struct KeyType {
  void (*set_default)(const SettingKey& key, Settings& s);
  void (*read)(const SettingKey& key, const IniFile& ini, Settings& s, int pixels_per_inch);
  void (*write)(const SettingKey& key, const Settings& s, IniFile& ini, int pixels_per_inch);
};

// None for a key whose value follows from other keys.
using KeyDefault = std::variant<std::monostate, bool, int64_t, const char16_t*>;

struct SettingKey {
  const char16_t* section;
  const char16_t* name;
  KeyType type;
  KeyDefault def;
};

template <class>
struct MemberOf;
template <class Owner, class Value>
struct MemberOf<Value Owner::*> {
  using OwnerType = Owner;
  using ValueType = Value;
};

// The member M of the settings, or of their font.
template <auto M, class S>
auto& At(S& s) {
  if constexpr (std::is_same_v<typename MemberOf<decltype(M)>::OwnerType, FontSetting>) return s.Font.*M;
  else return s.*M;
}

template <auto M>
using ValueOf = typename MemberOf<decltype(M)>::ValueType;

template <auto M>
void SetNumberDefault(const SettingKey& key, Settings& s) {
  At<M>(s) = static_cast<ValueOf<M>>(std::get<int64_t>(key.def));
}

template <auto M>
void WriteNumber(const SettingKey& key, const Settings& s, IniFile& ini, int) {
  ini.WriteInteger(key.section, key.name, At<M>(s));
}

template <auto M>
constexpr KeyType kFlag{
    [](const SettingKey& key, Settings& s) { At<M>(s) = std::get<bool>(key.def); },
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      At<M>(s) = ini.ReadBool(key.section, key.name, At<M>(s));
    },
    [](const SettingKey& key, const Settings& s, IniFile& ini, int) { ini.WriteBool(key.section, key.name, At<M>(s)); },
};

// A 32- or 64-bit integer, as the member holds.
template <auto M>
constexpr KeyType kNumber{
    SetNumberDefault<M>,
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      auto& value = At<M>(s);
      if constexpr (sizeof(ValueOf<M>) == sizeof(int64_t)) value = ini.ReadInt64(key.section, key.name, value);
      else value = ini.ReadInteger(key.section, key.name, value);
    },
    WriteNumber<M>,
};

// An integer of which only the bits in Mask are kept.
template <auto M, unsigned Mask>
constexpr KeyType kBits{
    SetNumberDefault<M>,
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      auto& value = At<M>(s);
      value = static_cast<ValueOf<M>>(ini.ReadInteger(key.section, key.name, value) & Mask);
    },
    WriteNumber<M>,
};

// An integer in [Low, High]; a stored value outside it is not taken.
template <auto M, int32_t Low, int32_t High>
constexpr KeyType kBounded{
    SetNumberDefault<M>,
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      auto& value = At<M>(s);
      const int32_t stored = ini.ReadInteger(key.section, key.name, value);
      if (stored >= Low && stored <= High) value = stored;
    },
    WriteNumber<M>,
};

template <auto M>
constexpr KeyType kString{
    [](const SettingKey& key, Settings& s) { At<M>(s) = std::get<const char16_t*>(key.def); },
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      At<M>(s) = ini.ReadString(key.section, key.name, At<M>(s));
    },
    [](const SettingKey& key, const Settings& s, IniFile& ini, int) {
      ini.WriteString(key.section, key.name, At<M>(s));
    },
};

// A list stored as comma text; an empty value is an empty list.
template <auto M>
constexpr KeyType kList{
    [](const SettingKey& key, Settings& s) { At<M>(s) = SplitCommaText(std::get<const char16_t*>(key.def)); },
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      if (auto text = ini.Find(key.section, key.name)) At<M>(s) = SplitCommaText(*text);
    },
    [](const SettingKey& key, const Settings& s, IniFile& ini, int) {
      ini.WriteString(key.section, key.name, JoinCommaText(At<M>(s)));
    },
};

// A colour stored by its name ("clWindowText") or as "$" and hexadecimal digits.
template <auto M>
constexpr KeyType kColorName{
    SetNumberDefault<M>,
    [](const SettingKey& key, const IniFile& ini, Settings& s, int) {
      if (auto text = ini.Find(key.section, key.name))
        if (auto color = StringToColor(*text)) At<M>(s) = *color;
    },
    [](const SettingKey& key, const Settings& s, IniFile& ini, int) {
      ini.WriteString(key.section, key.name, ColorToString(At<M>(s)));
    },
};

// The font's point size, kept as its height: read after the height, so that
// the stored size decides.
constexpr KeyType kFontSize{
    [](const SettingKey&, Settings&) {},
    [](const SettingKey& key, const IniFile& ini, Settings& s, int ppi) {
      s.Font.SetSize(ini.ReadInteger(key.section, key.name, s.Font.Size(ppi)), ppi);
    },
    [](const SettingKey& key, const Settings& s, IniFile& ini, int ppi) {
      ini.WriteInteger(key.section, key.name, s.Font.Size(ppi));
    },
};

// Every key of the settings file, in the order in which a new file gets them.
constexpr SettingKey kSettingKeys[] = {
    {kWindow, u"wsMaximized", kFlag<&Settings::wsMaximized>, false},
    {kWindow, u"Top", kNumber<&Settings::Top>, 0},
    {kWindow, u"Left", kNumber<&Settings::Left>, 0},
    {kWindow, u"Width", kNumber<&Settings::Width>, 0},
    {kWindow, u"Height", kNumber<&Settings::Height>, 0},
    {kPrograms, u"OutWClick", kFlag<&Settings::OutWClick>, false},
    {kPrograms, u"OutTextEditor", kString<&Settings::OutTextEditor>, u""},
    {kPrograms, u"OutGEditor", kString<&Settings::OutGEditor>, u""},
    {kPrograms, u"OutTextDir", kString<&Settings::OutTextDir>, u""},
    {kPrograms, u"OutGDir", kString<&Settings::OutGDir>, u""},
    {kWindow, u"TopMost", kFlag<&Settings::TopMost>, false},
    {kWindow, u"NotUsedInTray", kFlag<&Settings::NotUsedInTray>, false},
    {kWindow, u"HideToolBar", kFlag<&Settings::HideToolBar>, false},
    {kWindow, u"ActiveHotKey", kBits<&Settings::ActiveHotKey, 0xFFFF>, 0},
    {kPrograms, u"EverythingPath", kString<&Settings::EverythingPath>, u""},
    {kView, u"IsBinary", kList<&Settings::IsBinary>, kDefaultIsBinary},
    {kView, u"ArcView", kFlag<&Settings::ArcView>, false},
    {kView, u"LinkView", kFlag<&Settings::LinkView>, true},
    {kView, u"Better", kFlag<&Settings::Better>, false},
    {kView, u"ShowID3Tag", kFlag<&Settings::ShowID3Tag>, true},
    {kView, u"ImageCenter", kFlag<&Settings::ImageCenter>, true},
    {kView, u"BackgroundColor", kNumber<&Settings::BackgroundColor>, clBtnFace},
    {kView, u"ClearNoEverything", kFlag<&Settings::ClearNoEverything>, false},
    {kView, u"MaxReadByte", kNumber<&Settings::MaxReadByte>, 20000000},
    {kView, u"ArkWrap", kFlag<&Settings::ArkWrap>, true},
    {kText, u"UsePreThread", kFlag<&Settings::UsePreThread>, false},
    {kJpg, u"CompressionQuality", kBounded<&Settings::CompressionQuality, 1, 100>, 70},
    {kJpg, u"Progressive", kFlag<&Settings::Progressive>, false},
    {kFont, u"Height", kNumber<&FontSetting::height>, -15},
    {kFont, u"Name", kString<&FontSetting::name>, u"ＭＳ Ｐゴシック"},
    {kFont, u"Size", kFontSize, {}},
    {kFont, u"Color", kColorName<&FontSetting::color>, clWindowText},
    {kFont, u"Style", kBits<&FontSetting::style, kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut>, 0},
    {kFont, u"Pitch", kBounded<&FontSetting::pitch, 0, 2>, 0},
    {kView, u"CacheFolder", kString<&Settings::CacheFolder>, u""},
    {kArchive, u"BuiltIn", kFlag<&Settings::ArchiveBuiltIn>, true},
};

}  // namespace

int32_t FontSetting::Size(int pixels_per_inch) const {
  // A positive height is the cell height; its size is taken the same way.
  const int32_t h = height == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max()
                                                                   : std::abs(height);
  return MulDiv(h, 72, Ppi(pixels_per_inch));
}

void FontSetting::SetSize(int32_t points, int pixels_per_inch) {
  // Sizes are written without a sign; a negative one (edited by hand) is read
  // as its magnitude, so the height it gives is written back as the same size.
  const int32_t magnitude = points == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max()
                                                                          : std::abs(points);
  height = -MulDiv(magnitude, Ppi(pixels_per_inch), 72);
}

Settings::Settings() {
  for (const SettingKey& key : kSettingKeys) key.type.set_default(key, *this);
}

void ReadSettings(const IniFile& ini, Settings& s, int pixels_per_inch) {
  for (const SettingKey& key : kSettingKeys) key.type.read(key, ini, s, pixels_per_inch);
}

void WriteSettings(const Settings& s, IniFile& ini, int pixels_per_inch) {
  for (const SettingKey& key : kSettingKeys) key.type.write(key, s, ini, pixels_per_inch);
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
