// An archive link file read as the viewer reads it and repaired: the file's
// first line is replaced by the chosen path. Read back, the first line is that
// path; a second repair with the same path changes nothing. The member named
// on line 2 is only ever shown from inside the work folder.
#include "app/model/archive_browsing.h"
#include "app/model/link_target.h"
#include "base/text.h"
#include "text/outline_document.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Latin1Codec ansi;
  fuzz::FuzzInput in(data, size);
  const std::u16string target = Utf8ToUtf16(in.Text());
  const std::string file = in.Rest();
  LinkTargetFilter(target);
  const std::string repaired = ReplaceFirstLine(file, target, ansi);
  const std::vector<std::u16string> lines = ReadTextLines(repaired, ansi);
  fuzz::Require((lines.empty() ? std::u16string() : lines.front()) == OneLine(target), "first line is not the target");
  fuzz::Require(ReplaceFirstLine(repaired, target, ansi) == repaired, "a second repair changes the file");

  const std::optional<ArcLink> link = ReadArcLink(ReadTextLines(file, ansi));
  if (!link) return 0;
  ArcLinkSize(link->size_text);
  const std::u16string work = u"C:\\work";
  const std::u16string shown = MemberViewFile(work, link->member);
  fuzz::Require(shown.empty() || (shown.rfind(work + u"\\", 0) == 0 &&
                                  shown.find_first_of(u"\\/:", work.size() + 1) == std::u16string::npos),
                "a member shown from outside the work folder");
  return 0;
}
