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

class FolderBrowserCase : public ProgramCase {
protected:
  static HWND Focus(const TProgram& program) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(program.Main(), nullptr), &info) ? info.hwndFocus : nullptr;
  }
  // Tab order: the two path buttons, then the edit.
  static bool FocusFolderEdit(const TProgram& program) {
    SetForegroundWindow(program.Main());
    for (int i = 0; i < 8 && Focus(program) != program.FolderEdit(); ++i) {
      INPUT tab[2] = {};
      tab[0].type = tab[1].type = INPUT_KEYBOARD;
      tab[0].ki.wVk = tab[1].ki.wVk = VK_TAB;
      tab[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, tab, sizeof(INPUT));
      Sleep(100);
    }
    return WaitFor([&] { return Focus(program) == program.FolderEdit(); }, 3000);
  }
};

TEST_F(FolderBrowserCase, TheBrowseButtonPutsTheChosenFolderIntoTheEdit) {
  ASSERT_TRUE(program_.SetFolderText(L"C:\\windows"));  // the browser starts at the edit's folder
  ASSERT_TRUE(program_.ClickFolderButton());
  std::optional<TBox> browser = program_.WaitForBox();
  ASSERT_TRUE(browser.has_value());
  EXPECT_EQ(browser->caption, L"Select FS9 folder...");
  SaveScreenshot(L"folder_browser", browser->window);
  ASSERT_TRUE(TProgram::Answer(*browser, L"OK"));
  EXPECT_TRUE(WaitFor([&] { return _wcsicmp(program_.FolderText().c_str(), L"C:\\windows") == 0; }, 3000))
      << Narrow(program_.FolderText());
}

// OK soon after the browser shows gives the folder it shows selected, not the desktop, every
// time: each run is a fresh program, whose first browser fills the shell's caches.
TEST_F(FolderBrowserCase, OkRightAfterAltDownGivesTheEditsFolderTwentyTimes) {
  for (int run = 0; run < 20; ++run) {
    TProgram program;
    ASSERT_NE(program.WaitForMain(), nullptr);
    ASSERT_TRUE(program.SetFolderText(L"C:\\windows"));
    ASSERT_TRUE(FocusFolderEdit(program));
    PressAltDown();
    std::optional<TBox> browser = program.WaitForBox();
    ASSERT_TRUE(browser.has_value()) << run;
    Sleep(run % 2 ? 500 : 50);
    ASSERT_TRUE(TProgram::Answer(*browser, L"OK"));
    EXPECT_TRUE(WaitFor([&] { return _wcsicmp(program.FolderText().c_str(), L"C:\\windows") == 0; }, 3000))
        << run << ": " << Narrow(program.FolderText());
    ASSERT_TRUE(program.Click(L"Exit"));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
  }
}

TEST_F(FolderBrowserCase, AltDownOpensTheBrowserAndCancelKeepsTheText) {
  ASSERT_TRUE(program_.SetFolderText(L"C:\\OstriE2E"));
  ASSERT_TRUE(FocusFolderEdit(program_));
  PressAltDown();
  std::optional<TBox> browser = program_.WaitForBox();
  ASSERT_TRUE(browser.has_value());
  EXPECT_EQ(browser->caption, L"Select FS9 folder...");
  ASSERT_TRUE(TProgram::Answer(*browser, L"Cancel"));
  EXPECT_EQ(program_.FolderText(), L"C:\\OstriE2E");
}
}  // namespace

namespace {
const std::wstring kInCodePage = TScratch::Root() + L"\\Vol \u00e9t\u00e9";
const std::wstring kOutsideCodePage = TScratch::Root() + L"\\\u03a9\u03bc\u03ad\u03b3\u03b1";
// Made before any case starts the program: Wine's browser does not show folders made later.
const bool kFoldersMade = [] {
  for (const std::wstring& folder : {TScratch::Root(), kInCodePage, kOutsideCodePage})
    CreateDirectoryW(folder.c_str(), nullptr);
  return true;
}();

// The browser opens on the folder typed in another spelling; OK gives the shell's own spelling
// back, so the text is the browser's and not the one typed. Names outside the code page too.
TEST_F(FolderBrowserCase, OkTakesNonAsciiFoldersWhileTheWindowIsDisabledAndSetPathWritesOne) {
  const std::wstring& inCodePage = kInCodePage;
  ASSERT_TRUE(kFoldersMade);
  for (const std::wstring& folder : {kOutsideCodePage, kInCodePage}) {
    std::wstring typed = folder;
    CharLowerW(typed.data());
    ASSERT_TRUE(program_.SetFolderText(typed));
    ASSERT_TRUE(program_.ClickFolderButton());
    std::optional<TBox> browser = program_.WaitForBox();
    ASSERT_TRUE(browser.has_value());
    EXPECT_FALSE(IsWindowEnabled(program_.Main()));
    ASSERT_TRUE(program_.ClickFolderButton());  // a second click while it is open opens nothing
    Sleep(300);
    EXPECT_EQ(program_.OpenBoxes().size(), 1u);
    ASSERT_TRUE(TProgram::Answer(*browser, L"OK"));
    EXPECT_TRUE(WaitFor([&] { return program_.FolderText() == folder; }, 3000)) << Narrow(program_.FolderText());
    EXPECT_TRUE(IsWindowEnabled(program_.Main()));
  }
  ASSERT_TRUE(CopyFileW((TScratch::FS9() + L"\\fs9.exe").c_str(), (inCodePage + L"\\fs9.exe").c_str(), FALSE));
  ASSERT_TRUE(TFS9Key::Seed(TScratch::Other()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", L"Are you sure you want to write this path to the registry?\r\n\r\n" + inCodePage,
                        kYesCancel, L"&Yes"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), inCodePage);
}
}  // namespace

// The shell's browser leaves nothing behind that keeps the process from ending.
TEST_F(FolderBrowserCase, ExitAfterTheBrowserEndsTheProcessPromptly) {
  ASSERT_TRUE(program_.ClickFolderButton());
  std::optional<TBox> browser = program_.WaitForBox();
  ASSERT_TRUE(browser.has_value());
  ASSERT_TRUE(TProgram::Answer(*browser, L"Cancel"));
  const DWORD start = GetTickCount();
  ASSERT_TRUE(program_.Click(L"Exit"));
  EXPECT_EQ(program_.WaitForExit(10000), 0u);
  EXPECT_LT(GetTickCount() - start, 2000u);
}
