// Windows path helpers on UTF-16 text. Both "\\" and "/" count as delimiters;
// a drive colon ends the folder part.
#pragma once

#include <string>
#include <string_view>

namespace zk {

// The extension of the last path component from its last ".", the dot included;
// empty when that component has no dot.
std::u16string ExtractFileExt(std::u16string_view path);
// The last path component.
std::u16string ExtractFileName(std::u16string_view path);
// Everything before the last component, the trailing delimiter included.
std::u16string ExtractFilePath(std::u16string_view path);
// The path with its extension (as ExtractFileExt sees it) replaced by ext.
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext);
// The path with one trailing "\\" (added when missing; an empty path stays empty).
std::u16string IncludeTrailingDelimiter(std::u16string_view path);
std::u16string ExcludeTrailingDelimiter(std::u16string_view path);

// The text in double quotes: a leading quote is kept, a closing one added when
// missing; an empty text gives two quotes.
std::u16string QuotePath(std::u16string_view s);

}  // namespace zk
