// The region a window has, as the system reports it: its rectangles, empty when it has none.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/graphics.h"

inline std::vector<RECT> WindowRects(HWND window) {
  TGdiHandle<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return {};
  std::vector<unsigned char> data(GetRegionData(region.Get(), 0, nullptr));
  GetRegionData(region.Get(), static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
  const auto* rgn = reinterpret_cast<const RGNDATA*>(data.data());
  const auto* first = reinterpret_cast<const RECT*>(rgn->Buffer);
  return {first, first + rgn->rdh.nCount};
}

inline bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!EqualRect(&a[i], &b[i])) return false;
  return true;
}
