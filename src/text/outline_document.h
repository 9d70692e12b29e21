// Outline documents (".nna"): a tree of chapters whose bodies are rich-text
// lines framed by tag lines. The viewer shows the first chapter: its title as
// the first line, then its body as rich text without tag lines and pictures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/ansi_codec.h"

namespace zk {

struct OutlineChapter {
  // Something to put on the text page; when false the caller tries the other
  // views.
  bool showed = false;
  // The first chapter's title; it goes in as the first line of the page.
  std::u16string title;
  // The chapter body, lines joined by CR LF, in the ANSI code page, for the
  // rich-edit control's rich-text stream loading (which takes text that is no
  // rich text as plain text). Empty when the page shows the title alone.
  std::string rich_text;
};

// The lines of a text file: a byte-order mark selects UTF-8 or UTF-16 (either
// byte order), anything else is read in the ANSI code page. Lines end at
// CR LF, LF or CR; a break at the very end starts no further line.
std::vector<std::u16string> ReadTextLines(std::string_view bytes, const AnsiCodec& ansi);

// The first chapter of an outline document held in bytes.
OutlineChapter ReadOutlineDocument(std::string_view bytes, const AnsiCodec& ansi);

}  // namespace zk
