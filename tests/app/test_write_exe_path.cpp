// The program's one command line: the argument the window builds and the entry that reads it.
#include <windows.h>
#include <shellapi.h>
#include "app/write_exe_path.h"
#include "framework/strings.h"
#include "tests/app/form_fixture.h"

namespace {

TEST(WriteExePath, TheArgumentReadsBackAsTheSystemSplitsItAndAsTheEntryParsesIt) {
  for (const std::wstring folder : {L"C:\\Program Files\\FS9", L"C:\\", L"C:\\a\\\\b\\\\", L"\\\\server\\share"}) {
    const std::wstring line = L"\"C:\\My Tools\\ostrimark.exe\" " + WriteExePathArgument(folder);
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\My Tools\\ostrimark.exe", L"/write-exe-path", folder}),
              std::vector<std::wstring>(argv, argv + count));
    LocalFree(argv);
    EXPECT_EQ(folder, ParseWriteExePath(CommandLineArguments(line))) << WideToAnsi(line);
  }
  EXPECT_TRUE(IsBlank(CommandLineArguments(L"\"C:\\a b\\o.exe\" \t")));
}

// The end-to-end run tries the malformed lines a person might type; these are the limits.
TEST(WriteExePath, TheEntryRefusesWhatLiesJustOutsideTheFormWithoutTouchingTheRegistry) {
  const std::wstring longest = L"C:\\" + std::wstring(kMaxFolderLength - 3, L'x');
  EXPECT_EQ(longest, ParseWriteExePath(L"/write-exe-path \"" + longest + L"\""));
  ASSERT_FALSE(FitsAnsiCodePage(L"\u4E2D")) << "the test needs a code page without this character";
  for (const std::wstring& line : {L"/write-exe-path \"" + longest + L"x\"", std::wstring(L"/write-exe-path \"C:FS9\""),
                                   std::wstring(L"/write-exe-path \"C:\\FS9\\\""), std::wstring(L"/write-exe-path \"C:\\\u4E2D\"")}) {
    TFakeSystem fake;
    EXPECT_EQ(DWORD{weRefused}, RunWriteExePath(fake, line)) << WideToAnsi(line.substr(0, 40));
    EXPECT_TRUE(fake.calls.empty());
  }
}

}  // namespace
