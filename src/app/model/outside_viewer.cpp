#include "app/model/outside_viewer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/paths.h"
#include "base/text.h"

namespace zk {
namespace {

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

std::u16string ProgramFolder(const std::u16string& program, OutViewHost& host) {
  std::u16string_view p = program;
  // A program set in quotes (it may carry arguments) names its folder inside them.
  if (!p.empty() && p.front() == u'"') p.remove_prefix(1);
  for (size_t n = p.size(); n > 0; --n) {
    if (!IsDelimiter(p[n - 1])) continue;
    std::u16string_view candidate = p.substr(0, n);
    // Only delimiters left ("\", "\\"): the root of whatever drive is current
    // says nothing about the program.
    if (std::all_of(candidate.begin(), candidate.end(), IsDelimiter)) break;
    std::u16string folder(candidate);
    if (host.FolderExists(folder)) return folder;
  }
  return {};
}

std::u16string FollowShortcuts(const std::u16string& shortcut, OutViewHost& host) {
  std::vector<std::u16string> seen{shortcut};
  std::u16string current = shortcut;
  for (int step = 0; step < kMaxShortcutSteps; ++step) {
    std::u16string target = host.ResolveShortcut(current);
    if (target.empty()) return {};
    // An unreadable shortcut, and one pointing at itself, is the file at the end.
    if (EqualsIgnoreCase(target, current)) return current;
    const bool again = std::any_of(seen.begin(), seen.end(),
                                   [&](const std::u16string& s) { return EqualsIgnoreCase(s, target); });
    if (again) return shortcut;
    if (!EqualsIgnoreCase(ExtractFileExt(target), u".lnk")) return target;
    seen.push_back(target);
    current = std::move(target);
  }
  return shortcut;
}

std::optional<OutViewPlan> PlanOutView(const OutViewInput& in, OutViewHost& host) {
  const bool text = in.source == OutViewSource::kTextControl;
  if (!text && in.view != vfImage) return std::nullopt;

  OutViewPlan plan;
  plan.program = text ? in.text_program : in.picture_program;
  if (plan.program.empty()) return std::nullopt;
  plan.folder = text ? in.text_folder : in.picture_folder;
  if (plan.folder.empty()) plan.folder = ProgramFolder(plan.program, host);

  // A member on view was extracted into the work folder; that copy is opened.
  plan.file = in.member.empty() ? in.selected : in.member;
  if (EqualsIgnoreCase(ExtractFileExt(plan.file), u".lnk")) {
    plan.file = FollowShortcuts(plan.file, host);
    plan.missing_target = plan.file.empty();
  }
  if (plan.folder.empty()) plan.folder = ExtractFilePath(plan.file);
  plan.command_line = plan.program + u" \"" + plan.file + u"\"";
  return plan;
}

}  // namespace zk
