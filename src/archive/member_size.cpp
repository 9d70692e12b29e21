#include "archive/member_size.h"

#include <windows.h>

#include "base/text.h"
#include "base/win_text.h"

namespace zk {
namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t buf[32] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 32);
  return n > 0 ? std::wstring(buf, static_cast<size_t>(n - 1)) : std::wstring();
}

UINT LocaleNumber(LCTYPE type, UINT fallback) {
  DWORD value = 0;
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type | LOCALE_RETURN_NUMBER, reinterpret_cast<wchar_t*>(&value),
                     sizeof(value) / sizeof(wchar_t)) > 0)
    return value;
  return fallback;
}

// "3;0" (groups of three all the way) is 3, "3;2;0" is 32, "3" (one group
// only) is 30, as the format structures count.
UINT GroupingNumber(const std::wstring& text) {
  UINT value = 0;
  bool repeat = false;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c < L'0' || c > L'9') continue;
    if (c == L'0' && i + 1 == text.size()) {
      repeat = true;
      break;
    }
    value = value * 10 + static_cast<UINT>(c - L'0');
  }
  return repeat || value == 0 ? value : value * 10;
}

}  // namespace

std::u16string FormatMemberSize(std::u16string_view decimal) {
  if (decimal.empty()) return {};
  // The locale's currency format, but without the sign itself: dropping the
  // first character only works where the sign comes first and is one letter.
  std::wstring decimal_sep = LocaleText(LOCALE_SMONDECIMALSEP);
  std::wstring thousand_sep = LocaleText(LOCALE_SMONTHOUSANDSEP);
  wchar_t no_sign[] = L"";
  CURRENCYFMTW fmt{};
  fmt.NumDigits = 0;
  fmt.LeadingZero = LocaleNumber(LOCALE_ILZERO, 1);
  fmt.Grouping = GroupingNumber(LocaleText(LOCALE_SMONGROUPING));
  fmt.lpDecimalSep = decimal_sep.data();
  fmt.lpThousandSep = thousand_sep.data();
  fmt.NegativeOrder = LocaleNumber(LOCALE_INEGCURR, 1);
  fmt.PositiveOrder = LocaleNumber(LOCALE_ICURRENCY, 0);
  fmt.lpCurrencySymbol = no_sign;

  std::wstring value = ToWide(decimal);
  wchar_t out[96];
  int n = GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &fmt, out, 96);
  if (n <= 0) return std::u16string(decimal);  // not a number the locale can format: as given
  return std::u16string(Trim(FromWide(std::wstring_view(out, static_cast<size_t>(n - 1)))));
}

std::u16string FormatMemberSize(int64_t size) { return FormatMemberSize(IntToText(size)); }

}  // namespace zk
