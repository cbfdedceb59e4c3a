// The number of live GDI objects of this process, for leak checks.
// Wine answers 0 to GetGuiResources; there the objects are counted in the process's GDI
// handle table, which the process environment block points to (24-byte entries, the type
// byte at offset 14, 0 for a free entry).
#pragma once
#include <windows.h>
#include <winternl.h>
#include <array>
#include <cstdint>
#include <vector>

namespace gdi_count {

constexpr size_t kTableEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;

// Where the process's GDI handle table lies (in that process), or nullptr.
inline const unsigned char* HandleTable(HANDLE process = GetCurrentProcess()) {
  using TQuery = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  if (!query || query(process, ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) return nullptr;
  const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
  const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // GdiSharedHandleTable
  const unsigned char* table = nullptr;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, peb + offset, &table, sizeof(table), &read) || read != sizeof(table)) return nullptr;
  BOOL wow64 = FALSE;
  if (!table && sizeof(void*) == 4 && IsWow64Process(process, &wow64) && wow64) {
    // A WoW64 Wine fills in only the 64-bit block's field, a 32-bit address; that block lies one
    // page below the 32-bit one.
    UINT32 low = 0;
    if (ReadProcessMemory(process, peb - 0x1000 + 0xF8, &low, sizeof(low), &read) && read == sizeof(low))
      table = reinterpret_cast<const unsigned char*>(static_cast<UINT_PTR>(low));
  }
  return table;
}

inline long CountEntries(const unsigned char* table) {
  long live = 0;
  for (size_t i = 0; i < kTableEntries; ++i)
    if (table[i * kEntrySize + kTypeOffset] != 0) ++live;
  return live;
}

inline long CountTableEntries() {
  const unsigned char* table = HandleTable();
  return table ? CountEntries(table) : -1;
}

// Another process's table (the soak's program), read across; empty if unreadable.
inline std::vector<unsigned char> TableOf(HANDLE process) {
  const unsigned char* table = HandleTable(process);
  std::vector<unsigned char> copy(table ? kTableEntries * kEntrySize : 0);
  SIZE_T read = 0;
  if (table && (!ReadProcessMemory(process, table, copy.data(), copy.size(), &read) || read != copy.size())) copy.clear();
  return copy;
}

// Live objects by kind: the entry's type byte (Wine keeps the kind's low five bits, so pens
// and brushes share one).
using TKinds = std::array<long, 32>;
inline TKinds KindsOf(const std::vector<unsigned char>& table) {
  TKinds kinds{};
  for (size_t i = 0; i < table.size() / kEntrySize; ++i)
    if (const unsigned char type = table[i * kEntrySize + kTypeOffset]) ++kinds[type & 31];
  return kinds;
}

inline const char* KindName(size_t type) {
  switch (type) {
    case 0x01: return "DC";
    case 0x04: return "region";
    case 0x05: return "surface";
    case 0x08: return "palette";
    case 0x09: return "bitmap";
    case 0x0a: return "font";
    case 0x10: return "brush or pen";
    default: return "other";
  }
}

// -1 when neither way gives an answer we can trust.
inline long LiveObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(n);
  return CountTableEntries();
}

// True when LiveObjects follows objects being made and freed.
inline bool Works() {
  const long before = LiveObjects();
  if (before < 0) return false;
  HRGN regions[5];
  for (HRGN& r : regions) r = CreateRectRgn(0, 0, 1, 1);
  const long during = LiveObjects();
  for (HRGN r : regions) DeleteObject(r);
  return during == before + 5 && LiveObjects() == before;
}

}  // namespace gdi_count
