// Waiting for another process on the GUI thread: the window paints and answers meanwhile, but
// takes no input, neither then nor afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "framework/modal_wait.h"

namespace {
std::vector<UINT> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT || message == WM_APP || message == WM_APP + 1 || message == WM_KEYDOWN || message == WM_LBUTTONDOWN)
    received.push_back(message);
  return message == WM_APP + 1 ? 42 : DefWindowProcW(window, message, wParam, lParam);
}

TEST(ModalWait, PaintsAndAnswersButDropsInputUntilTheObjectIsSignalled) {
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
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LRESULT answer = 0;
  BOOL enabledMeanwhile = TRUE;
  std::thread other([&] {
    Sleep(200);
    enabledMeanwhile = IsWindowEnabled(window);
    answer = SendMessageW(window, WM_APP + 1, 0, 0);
    SetEvent(done);
  });
  EXPECT_TRUE(WaitKeepingWindowsPainted(done));
  other.join();
  EXPECT_EQ((std::vector<UINT>{WM_APP, WM_PAINT, WM_APP + 1}), received);
  EXPECT_EQ(42, answer);
  EXPECT_FALSE(enabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_FALSE(PeekMessageW(&msg, window, WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE)) << "input left for later";
  CloseHandle(done);
  DestroyWindow(window);
}
}  // namespace
