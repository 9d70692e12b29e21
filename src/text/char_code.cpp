#include "text/char_code.h"

namespace zk {

namespace {

constexpr std::u16string_view kNames[kCharCodeCount] = {
    u"", u"[S-JIS]", u"[Unicode]", u"[Big Endian]", u"[UTF8(BOM)]", u"[UTF7]", u"[UTF8]", u"[EUC]", u"[JIS]",
};

}  // namespace

std::u16string_view CharCodeName(CharCode id) {
  auto i = static_cast<unsigned>(id);
  return i < kCharCodeCount ? kNames[i] : std::u16string_view();
}

}  // namespace zk
