// The number of windows, top-level and child, that a process has: the USER objects a program
// makes most of, counted directly because Wine's GetGuiResources answers 0.
#pragma once
#include <windows.h>

namespace window_count {

struct TTally {
  DWORD processId;
  long count;
};

inline BOOL CALLBACK CountChild(HWND, LPARAM tally) {
  ++reinterpret_cast<TTally*>(tally)->count;
  return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
  auto* tally = reinterpret_cast<TTally*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != tally->processId) return TRUE;
  ++tally->count;
  EnumChildWindows(window, CountChild, data);
  return TRUE;
}

inline long WindowsOf(DWORD processId) {
  TTally tally{processId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  return tally.count;
}

}  // namespace window_count
