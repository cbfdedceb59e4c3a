// "FS2004" starts the simulator the registry names; the window's own minimise and close
// pictures stand in for the caption bar it lacks.
#include "tests/e2e/e2e_fixture.h"

namespace {
bool FileThere(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Window-less pictures: the form routes the click to them by position.
void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
}  // namespace

using Launch = ProgramCase;

TEST_F(Launch, StartsTheExecutableInTheStoredFolderWithoutABox) {
  const std::wstring marker = TScratch::FS9() + L"\\started.txt";
  DeleteFileW(marker.c_str());
  ASSERT_FALSE(FileThere(marker));
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.Click(L"FS2004"));
  EXPECT_TRUE(WaitFor([&] { return FileThere(marker); }, 5000)) << "the stand-in left no marker";
  ExpectNoBox();
  // The stand-in inherited the quiet setting through the program: it shows nothing and ends.
  HWND standinBox = FindWindowW(nullptr, L"FS9 stand-in");
  EXPECT_EQ(standinBox, nullptr);
  if (standinBox) PostMessageW(standinBox, WM_CLOSE, 0, 0);
}

TEST_F(Launch, MissingKeyDoesNothingVisible) {
  const std::wstring marker = TScratch::FS9() + L"\\started.txt";
  DeleteFileW(marker.c_str());
  ASSERT_TRUE(TFS9Key::Remove());
  ASSERT_TRUE(program_.Click(L"FS2004"));
  ExpectNoBox(1500);
  EXPECT_FALSE(FileThere(marker));
}

using WindowCommands = ProgramCase;

TEST_F(WindowCommands, MinimiseHidesTheWindowAndTheTaskBarButtonBringsItBack) {
  HWND main = program_.Main();
  HWND owner = GetWindow(main, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  wchar_t title[64] = L"";
  GetWindowTextW(owner, title, 64);
  EXPECT_STREQ(title, L"Quarnel Ostrimark");  // the task bar button's text
  ClickAt(main, 450, 18);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(owner) && !IsWindowVisible(main); }, 3000))
      << "iconic " << IsIconic(owner) << ", main visible " << IsWindowVisible(main);
  PostMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(owner) && IsWindowVisible(main) && !IsIconic(main); }, 3000))
      << "iconic " << IsIconic(owner) << ", main visible " << IsWindowVisible(main);
  ExpectNoBox(300);
}

TEST_F(WindowCommands, CloseImageEndsTheProcessWithZero) {
  ClickAt(program_.Main(), 476, 18);
  EXPECT_EQ(program_.WaitForExit(5000), 0u);
}

// A value no file path can be made of (the soak's 5,000 characters) is shown and warned about,
// and "FS2004" then starts nothing and keeps the program alive.
TEST_F(Launch, OverlongValueIsShownAndStartsNothing) {
  const std::wstring folder = L"C:\\" + std::wstring(5000, L'x');
  ASSERT_TRUE(TFS9Key::Seed(folder));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"The path your registry is reporting is:\r\n\r\n" + folder +
                            L"\\fs9.exe\r\n\r\nThis may not be correct, the fs9.exe file was not found there!",
                        kOk, L"OK", L"warning_overlong_path"));
  ExpectNoBox();
  ASSERT_TRUE(program_.Click(L"FS2004"));
  ExpectNoBox(1500);
  EXPECT_EQ(program_.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

// Without a mouse: Alt+F4 closes, and the system menu's Minimize (Alt+Space) minimises as the
// picture does.
TEST_F(WindowCommands, AltF4EndsTheProcessWithZero) {
  PostMessageW(program_.Main(), WM_SYSKEYDOWN, VK_F4, 0x20000001 | (MapVirtualKeyW(VK_F4, 0) << 16));
  EXPECT_EQ(program_.WaitForExit(5000), 0u);
}

TEST_F(WindowCommands, SystemMenuMinimizeHidesTheWindowBehindTheTaskBarButton) {
  HWND main = program_.Main();
  HWND owner = GetWindow(main, GW_OWNER);
  EXPECT_NE(GetWindowLongPtrW(main, GWL_STYLE) & WS_SYSMENU, 0);  // Alt+Space has a menu to open
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(owner) && !IsWindowVisible(main); }, 3000))
      << "iconic " << IsIconic(owner) << ", main visible " << IsWindowVisible(main);
  PostMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); }, 3000));
}
