// Menus run modally: a timer finds the menu's own window while it is up, notes where it is,
// lets the test look at the program then, and closes the menu.
#pragma once
#include <functional>
#include <windows.h>

// Runs `open`, which shows a menu; the menu window's screen rectangle, empty when none showed.
inline RECT MenuShownBy(const std::function<void()>& open, std::function<void()> whileOpen = {}) {
  static RECT seen;
  static std::function<void()> look;
  seen = {};
  look = std::move(whileOpen);
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowW(L"#32768", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    GetWindowRect(window, &seen);
    if (look) look();
    EndMenu();
  });
  open();
  KillTimer(nullptr, timer);
  look = nullptr;
  return seen;
}
