// Plain text out of document markup, as UTF-16 with CRLF line ends. Crude on
// purpose: tags are dropped, paragraph ends become line ends.
#pragma once

#include <string>
#include <string_view>

namespace xdoc {

// Office XML (WordprocessingML, SpreadsheetML shared strings, DrawingML
// slides, ODF content) in UTF-8.
std::wstring XmlToText(std::string_view xml);

// Rich Text Format; 8-bit text is read in the document's \ansicpg code page.
std::wstring RtfToText(std::string_view rtf);

}  // namespace xdoc
