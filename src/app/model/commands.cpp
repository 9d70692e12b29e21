#include "app/model/commands.h"

namespace zk {
namespace {

#define ZK_WIDEN(text) u##text
#define ZK_NAME(id) ZK_WIDEN(#id)
#define ZK_COMMAND_INFO(id, caption, hint, keys, tag, category) \
  CommandInfo{CommandId::id, ZK_NAME(id), caption, hint, keys, tag, category},
constexpr CommandInfo kTable[] = {ZK_COMMAND_TABLE(ZK_COMMAND_INFO)};
#undef ZK_COMMAND_INFO
#undef ZK_NAME
#undef ZK_WIDEN

static_assert(std::size(kTable) == kCommandCount);
static_assert([] {
  for (size_t i = 0; i < kCommandCount; ++i)
    if (static_cast<size_t>(kTable[i].id) != i) return false;
  return true;
}());

}  // namespace

std::span<const CommandInfo> CommandTable() { return kTable; }

const CommandInfo& InfoOf(CommandId id) { return kTable[static_cast<size_t>(id)]; }

std::optional<CommandId> CommandByName(std::u16string_view name) {
  for (const CommandInfo& c : kTable)
    if (c.name == name) return c.id;
  return std::nullopt;
}

}  // namespace zk
