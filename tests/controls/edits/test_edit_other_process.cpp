// Another process reads the edit's text with WM_GETTEXT, as screen readers and automation do.
// This test executable is that other process too: started again with the window's handle.
#include "edit_fixture.h"
#include <string>

namespace {
const wchar_t kWindowVar[] = L"OSTRI_EDIT_WINDOW";
const std::wstring kPath = L"C:\\Program Files\\Microsoft Games\\Flight Simulator 9";
}  // namespace

TEST(EditReader, ReadsTheTextOfAnEditInAnotherProcess) {
  wchar_t value[32] = L"";
  if (!GetEnvironmentVariableW(kWindowVar, value, 32)) GTEST_SKIP() << "started by the test below";
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(value)));
  ASSERT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(kPath.size()));
  wchar_t text[256] = L"";
  EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text)), static_cast<LRESULT>(kPath.size()));
  EXPECT_EQ(text, kPath);
  wchar_t cut[8] = L"";
  EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(cut)), 7);
  EXPECT_EQ(std::wstring(cut), kPath.substr(0, 7));
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, AnotherProcessReadsTheText) {
  edit->SetText(kPath);
  edit->SetReadOnly(true);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  SetEnvironmentVariableW(kWindowVar, std::to_wstring(reinterpret_cast<INT_PTR>(Window())).c_str());
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_brief=1 --gtest_filter=EditReader.*";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                      &startup, &process);
  SetEnvironmentVariableW(kWindowVar, nullptr);
  ASSERT_TRUE(started);
  // Keep answering messages: the reader's requests are served by this thread.
  const DWORD until = GetTickCount() + 60000;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u);
}
