#include "base/paths.h"

namespace zk {
namespace {

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/' || c == u':'; }

// Index just past the last delimiter, i.e. where the last component starts.
size_t NameStart(std::u16string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsDelimiter(path[i - 1])) --i;
  return i;
}

// Index of the extension's dot inside the last component, or npos.
size_t ExtStart(std::u16string_view path) {
  size_t start = NameStart(path);
  size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || dot < start) return std::u16string_view::npos;
  return dot;
}

}  // namespace

std::u16string ExtractFileExt(std::u16string_view path) {
  size_t dot = ExtStart(path);
  return dot == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(dot));
}

std::u16string ExtractFileName(std::u16string_view path) {
  return std::u16string(path.substr(NameStart(path)));
}

std::u16string ExtractFilePath(std::u16string_view path) {
  return std::u16string(path.substr(0, NameStart(path)));
}

std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext) {
  size_t dot = ExtStart(path);
  std::u16string out(path.substr(0, dot == std::u16string_view::npos ? path.size() : dot));
  out += ext;
  return out;
}

std::u16string IncludeTrailingDelimiter(std::u16string_view path) {
  std::u16string out(path);
  if (!out.empty() && out.back() != u'\\' && out.back() != u'/') out += u'\\';
  return out;
}

std::u16string ExcludeTrailingDelimiter(std::u16string_view path) {
  std::u16string out(path);
  while (out.size() > 1 && (out.back() == u'\\' || out.back() == u'/') &&
         out[out.size() - 2] != u':')
    out.pop_back();
  return out;
}

std::u16string QuotePath(std::u16string_view s) {
  std::u16string out(s);
  if (out.empty() || out.front() != u'"') out.insert(out.begin(), u'"');
  if (out.size() < 2 || out.back() != u'"') out += u'"';
  return out;
}

}  // namespace zk
