// Waiting for another process on the GUI thread: the window paints and gets what is posted to
// it meanwhile, but no input, neither then nor afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "framework/modal_wait.h"

namespace {
std::vector<UINT> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT || message == WM_APP || message == WM_KEYDOWN || message == WM_LBUTTONDOWN)
    received.push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ModalWait, PaintsAndDispatchesButDropsInputUntilTheObjectIsSignalled) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = L"OstriModalWaitTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  received.clear();
  PostMessageW(window, WM_KEYDOWN, 'A', 1);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(window, WM_APP, 0, 0);
  InvalidateRect(window, nullptr, FALSE);
  HANDLE timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  LARGE_INTEGER due;
  due.QuadPart = -2000000;  // 200 ms from now
  SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
  EXPECT_TRUE(WaitKeepingWindowsPainted(timer));
  EXPECT_EQ((std::vector<UINT>{WM_APP, WM_PAINT}), received);
  EXPECT_FALSE(PeekMessageW(&msg, window, WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE)) << "input left for later";
  EXPECT_TRUE(IsWindowEnabled(window));
  CloseHandle(timer);
  DestroyWindow(window);
}
}  // namespace
