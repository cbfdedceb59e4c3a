// The visual-styles loader: the application switch, its listeners, and a real theme handle.
#include <gtest/gtest.h>
#include <windows.h>
#include "framework/themes.h"

TEST(Themes, SwitchTurnsThemesOffAndTellsListenersOncePerChange) {
  int calls = 0;
  const int key = AddThemeSwitchListener([&] { ++calls; });
  SetThemesWanted(false);
  EXPECT_FALSE(ThemesInUse());
  SetThemesWanted(false);  // no change, no call
  SetThemesWanted(true);
  RemoveThemeSwitchListener(key);
  SetThemesWanted(false);
  SetThemesWanted(true);
  EXPECT_EQ(calls, 2);
}

TEST(Themes, OpenHandleDrawsAButtonFaceOnlyWhenThemesAreInUse) {
  ASSERT_TRUE(ThemeLibraryLoaded());  // Wine ships the library
  if (!ThemesInUse()) GTEST_SKIP() << "the prefix has no active theme";
  HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
  TThemeData theme(window, L"BUTTON");
  ASSERT_TRUE(theme);
  TThemeData moved(std::move(theme));
  EXPECT_FALSE(theme);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 20);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT r{0, 0, 40, 20};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(moved.DrawBackground(dc, 1, 1, r));  // push button, normal
  EXPECT_NE(GetPixel(dc, 20, 10), RGB(0, 0, 0));
  EXPECT_TRUE(moved.IsPartDefined(1, 0));
  EXPECT_FALSE(TThemeData().DrawBackground(dc, 1, 1, r));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  DestroyWindow(window);
}
