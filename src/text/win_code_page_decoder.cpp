#include "text/win_code_page_decoder.h"

#include <windows.h>

#include <climits>

namespace zk {

std::u16string WinCodePageDecoder::Decode(unsigned code_page, std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  // One unit per input byte is always enough for these code pages.
  std::u16string out(bytes.size(), u'\0');
  int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                              reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

}  // namespace zk
