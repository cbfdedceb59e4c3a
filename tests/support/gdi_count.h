// The number of live GDI objects of this process, for leak checks.
// Wine answers 0 to GetGuiResources; there the objects are counted in the process's GDI
// handle table, which the process environment block points to (24-byte entries, the type
// byte at offset 14, 0 for a free entry).
#pragma once
#include <windows.h>
#include <winternl.h>
#include <cstdint>

namespace gdi_count {

inline const unsigned char* HandleTable() {
  using TQuery = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) return nullptr;
  const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
  const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // GdiSharedHandleTable
  return *reinterpret_cast<const unsigned char* const*>(peb + offset);
}

inline long CountTableEntries() {
  const unsigned char* table = HandleTable();
  if (!table) return -1;
  long live = 0;
  for (size_t i = 0; i < 0x10000; ++i)
    if (table[i * 24 + 14] != 0) ++live;
  return live;
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
