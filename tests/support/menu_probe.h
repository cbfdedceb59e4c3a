// Menus run modally: a timer finds the menu's own window while it is up, notes where it is,
// lets the test look at the program then, and closes the menu.
#pragma once
#include <functional>
#include <windows.h>

namespace menu_probe {
inline RECT seen;
inline std::function<void()> look;

// A timer procedure is called with the system's convention: a named function, not a lambda.
inline void CALLBACK Probe(HWND, UINT, UINT_PTR, DWORD) {
  HWND window = FindWindowW(L"#32768", nullptr);
  if (!window || !IsWindowVisible(window)) return;
  GetWindowRect(window, &seen);
  if (look) look();
  EndMenu();
}
}  // namespace menu_probe

// A one-shot timer procedure that closes whatever menu is up.
inline void CALLBACK CloseMenuOnce(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Runs `open`, which shows a menu; the menu window's screen rectangle, empty when none showed.
inline RECT MenuShownBy(const std::function<void()>& open, std::function<void()> whileOpen = {}) {
  menu_probe::seen = {};
  menu_probe::look = std::move(whileOpen);
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, menu_probe::Probe);
  open();
  KillTimer(nullptr, timer);
  menu_probe::look = nullptr;
  return menu_probe::seen;
}
