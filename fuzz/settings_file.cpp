// The settings file as the program treats it at start and exit: read over the
// defaults, written back into the same file, read again at the next start.
// The second read must give the same settings as the first.
#include "app/model/settings.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

// Settings have no comparison of their own; their file text in a new file is one.
std::string Written(const Settings& s, const AnsiCodec& ansi) {
  IniFile ini;
  WriteSettings(s, ini);
  return ini.Serialize(ansi);
}

Settings ReadOver(std::string_view bytes, const AnsiCodec& ansi) {
  Settings s;
  s.Width = 870;  // the window's designed size, as the window fills it in
  s.Height = 642;
  ReadSettings(IniFile::Parse(bytes, ansi), s, 96);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Latin1Codec ansi;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Settings first = ReadOver(bytes, ansi);
  IniFile ini = IniFile::Parse(bytes, ansi);
  WriteSettings(first, ini, 96);
  const std::string saved = ini.Serialize(ansi);
  const Settings second = ReadOver(saved, ansi);
  fuzz::Require(Written(first, ansi) == Written(second, ansi), "settings read back differ");
  // The file itself is stable once written.
  fuzz::Require(IniFile::Parse(saved, ansi).Serialize(ansi) == saved, "settings file changes on a second save");
  return 0;
}
