// The option set of one archive operation. Each letter names the archiver
// switch of the same letters; the drivers decide which ones they read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

// A text option that is not set. Distinct from the empty text: a set but
// empty option still puts its switch on the command line.
inline constexpr std::string_view kUnsetOption{"\0", 1};
inline bool IsUnset(std::string_view value) { return value == kUnsetOption; }

enum TPackFilter : uint8_t { pfArchiver, pfComponent };

enum TResFileUse : uint8_t { ruOnPack, ruOnUnpack, ruOnRemoveItem, ruOnUpdate };
// A set of TResFileUse, one bit each.
using TResFileUsage = uint8_t;
constexpr TResFileUsage ResFileUse(TResFileUse use) { return static_cast<TResFileUsage>(1u << use); }
constexpr bool Holds(TResFileUsage usage, TResFileUse use) { return (usage & ResFileUse(use)) != 0; }

class TArchiverOptions {
 public:
  // Small integers: -1 is unset. Texts: bytes in the ANSI code page.
  int8_t a, c, e, f, h, i, l, m, n, o, p, r, s, t, u;
  std::string w;
  int8_t x, y, z, jc, jd, je, jf, jh, ji, jm, jn;
  std::string jo, job;
  int8_t jp, jr, jsb, jsc, jsd, jse, jsf, jsl, jso, jss, jst, jsv, jsz, jw;
  std::vector<std::string> jx;  // exclusion patterns, one per entry
  int8_t jyc, jyd, jyk, jyn, jyo;
  std::string jz;
  int8_t ga, gd, ge, gf, gj, gm, gn, go, gp;
  std::string gr;
  int8_t gs, gu, gw, gya, gyc;
  std::string gyd, gye;
  int8_t gyo, gyq, gys;
  std::string gyt, gyw;
  int8_t gyx;

  std::string UserOptions;   // appended verbatim to every command line
  std::string UserFileList;  // appended verbatim after the file list
  TPackFilter PackFilter;    // kept and copied; nothing reads it
  std::u16string ResFileName;
  TResFileUsage ResFileUsage;
  bool IncludeExtraStreams = true;
  std::string StreamSeparator = ";#";

  TArchiverOptions() { Reset(); }

  // Every property back to its default, except IncludeExtraStreams and
  // StreamSeparator, which keep their values.
  void Reset();
  void Assign(const TArchiverOptions& source) { *this = source; }
};

// The options in declaration order, by switch name, so that a builder can
// walk them the way the archivers expect them.
enum class OptionKind : uint8_t { kNumber, kText, kList };
struct OptionField {
  std::string_view name;
  OptionKind kind;
  int8_t TArchiverOptions::*number;
  std::string TArchiverOptions::*text;
};
const std::vector<OptionField>& OptionFields();

}  // namespace zk
