#include "soak/process_figures.h"

#include <psapi.h>
#include <winternl.h>

namespace zk::soak {
namespace {

// The system-wide handle list (SystemHandleInformation), as the system fills it.
struct HandleEntry {
  USHORT pid;
  USHORT creator_back_trace;
  UCHAR object_type;
  UCHAR attributes;
  USHORT value;
  PVOID object;
  ULONG granted_access;
};
struct HandleList {
  ULONG count;
  HandleEntry entries[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

Figure Handles(HANDLE process, DWORD pid) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count > 0) return {count, L"GetProcessHandleCount"};
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                            &length)) == kInfoLengthMismatch &&
         buffer.size() < (size_t{256} << 20))
    buffer.resize(buffer.size() * 2);
  if (status != 0) return {std::nullopt, L"GetProcessHandleCount, system handle list"};
  const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
  int64_t own = 0;
  for (ULONG i = 0; i < list->count; ++i)
    if (list->entries[i].pid == static_cast<USHORT>(pid)) ++own;
  return {own, L"system handle list"};
}

// The GDI handle table the process maps for itself (its PEB names it); a
// live entry has a type. Windows answers GetGuiResources, so this is read
// only where it does not.
Figure GdiObjectsFromTable(HANDLE process) {
  struct TableEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG user;
  };
  static_assert(sizeof(TableEntry) == 24);
  constexpr size_t kEntries = 0x10000, kTableOffsetInPeb = 0xF8;
  PROCESS_BASIC_INFORMATION basic{};
  ULONGLONG table = 0;
  SIZE_T got = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0 ||
      !ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableOffsetInPeb, &table,
                         sizeof(table), &got) ||
      table == 0)
    return {std::nullopt, L"GetGuiResources"};
  std::vector<TableEntry> entries(kEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), kEntries * sizeof(TableEntry),
                         &got) ||
      got != kEntries * sizeof(TableEntry))
    return {std::nullopt, L"GetGuiResources"};
  int64_t live = 0;
  for (const TableEntry& e : entries)
    if (e.type != 0) ++live;
  return {live, L"its GDI handle table"};
}

Figure GuiObjects(HANDLE process, DWORD kind) {
  SetLastError(0);
  const DWORD n = GetGuiResources(process, kind);
  if (n > 0) return {n, L"GetGuiResources"};  // a process with windows never has none
  if (kind == GR_GDIOBJECTS) return GdiObjectsFromTable(process);
  return {std::nullopt, L"GetGuiResources"};
}

Figure Windows(DWORD pid) {
  struct Count {
    DWORD pid;
    int64_t n;
  } count{pid, 0};
  EnumWindows(
      [](HWND top, LPARAM p) -> BOOL {
        auto& c = *reinterpret_cast<Count*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(top, &owner);
        if (owner != c.pid) return TRUE;
        ++c.n;
        EnumChildWindows(
            top, [](HWND, LPARAM q) -> BOOL { return ++*reinterpret_cast<int64_t*>(q), TRUE; },
            reinterpret_cast<LPARAM>(&c.n));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return {count.n, L"EnumWindows"};
}

// Committed private pages, walked region by region: what PrivateUsage counts.
Figure PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)) &&
      counters.PrivateUsage > 0)
    return {static_cast<int64_t>(counters.PrivateUsage), L"PrivateUsage"};
  int64_t committed = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* at = nullptr;
  while (VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += static_cast<int64_t>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  if (committed == 0) return {std::nullopt, L"PrivateUsage"};
  return {committed, L"committed private regions"};
}

}  // namespace

ProcessFigures MeasureProcess(HANDLE process, DWORD pid) {
  return {Handles(process, pid), GuiObjects(process, GR_GDIOBJECTS), GuiObjects(process, GR_USEROBJECTS),
          Windows(pid), PrivateBytes(process)};
}

const std::vector<Limit>& Limits() {
  static const std::vector<Limit> limits = {
      {L"handles", &ProcessFigures::handles, 16},
      {L"GDI objects", &ProcessFigures::gdi_objects, 16},
      {L"USER objects", &ProcessFigures::user_objects, 16},
      {L"windows", &ProcessFigures::windows, 16},
      {L"private bytes", &ProcessFigures::private_bytes, int64_t{8} << 20},
  };
  return limits;
}

}  // namespace zk::soak
