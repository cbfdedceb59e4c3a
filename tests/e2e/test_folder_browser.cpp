// The folder edit's browse button and its shortcut open the shell's folder browser; OK puts
// the chosen folder into the edit, Cancel leaves it alone.
#include "tests/e2e/e2e_fixture.h"

namespace {
void PressAltDown() {
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_MENU, VK_DOWN, VK_DOWN, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  keys[1].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  keys[2].ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(4, keys, sizeof(INPUT));
}

class FolderBrowserCase : public ProgramCase {};

TEST_F(FolderBrowserCase, TheBrowseButtonPutsTheChosenFolderIntoTheEdit) {
  ASSERT_TRUE(program_.SetFolderText(L"C:\\windows"));  // the browser starts at the edit's folder
  HWND browse = TProgram::FindChild(program_.Main(), L"...");
  ASSERT_NE(browse, nullptr);
  PostMessageW(browse, BM_CLICK, 0, 0);
  std::optional<TBox> browser = program_.WaitForBox();
  ASSERT_TRUE(browser.has_value());
  EXPECT_EQ(browser->text, L"Select FS9 folder...");
  SaveScreenshot(L"folder_browser", browser->window);
  ASSERT_TRUE(TProgram::Answer(*browser, L"OK"));
  EXPECT_TRUE(WaitFor([&] { return _wcsicmp(program_.FolderText().c_str(), L"C:\\windows") == 0; }, 3000))
      << Narrow(program_.FolderText());
}

TEST_F(FolderBrowserCase, AltDownOpensTheBrowserAndCancelKeepsTheText) {
  ASSERT_TRUE(program_.SetFolderText(L"C:\\OstriE2E"));
  SetForegroundWindow(program_.Main());
  // Tab order: the two path buttons, then the edit.
  for (int i = 0; i < 2; ++i) {
    INPUT tab[2] = {};
    tab[0].type = tab[1].type = INPUT_KEYBOARD;
    tab[0].ki.wVk = tab[1].ki.wVk = VK_TAB;
    tab[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, tab, sizeof(INPUT));
    Sleep(100);
  }
  ASSERT_TRUE(WaitFor([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(program_.Main(), nullptr), &info) &&
           info.hwndFocus == program_.FolderEdit();
  }, 3000));
  PressAltDown();
  std::optional<TBox> browser = program_.WaitForBox();
  ASSERT_TRUE(browser.has_value());
  EXPECT_EQ(browser->text, L"Select FS9 folder...");
  ASSERT_TRUE(TProgram::Answer(*browser, L"Cancel"));
  EXPECT_EQ(program_.FolderText(), L"C:\\OstriE2E");
}
}  // namespace
