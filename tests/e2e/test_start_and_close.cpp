// The built program as a user meets it: the window appears centred at its size and closes cleanly.
#include <gtest/gtest.h>
#include "tests/e2e/program.h"

TEST(StartAndClose, WindowAppearsCentredAndExitEndsTheProcessWithZero) {
  TProgram program;
  ASSERT_TRUE(program.Started());
  HWND window = program.WaitForWindow(L"Quarnel - Ostrimark");
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 599);
  EXPECT_EQ(rect.bottom - rect.top, 447);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 599) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 447) / 2);
  HWND exitButton = TProgram::FindChild(window, L"Exit");
  ASSERT_NE(exitButton, nullptr);
  SendMessageW(exitButton, BM_CLICK, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(StartAndClose, SystemCloseEndsTheProcessWithZero) {
  TProgram program;
  HWND window = program.WaitForWindow(L"Quarnel - Ostrimark");
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}
