// The program's one command line: the argument the window builds, and the elevated entry
// that reads it, against the fake.
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
  EXPECT_FALSE(IsBlank(CommandLineArguments(L"o.exe \"\"")));
}

TEST(WriteExePath, TheEntryOpensTheKeyOnlyToSetTheValueAndTellsHowItWent) {
  const std::string open = "RegOpenKey HKLM SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\ 0x202";
  TFakeSystem written, denied, missing, failing;
  denied.canWrite = false;
  missing.keyPresent = false;
  failing.writeFails = true;
  const std::wstring line = L" /write-exe-path  \"C:\\FS9\" ";
  EXPECT_EQ(DWORD{weWritten}, RunWriteExePath(written, line));
  EXPECT_EQ(DWORD{weDenied}, RunWriteExePath(denied, line));
  EXPECT_EQ(DWORD{weFailed}, RunWriteExePath(missing, line));
  EXPECT_EQ(DWORD{weFailed}, RunWriteExePath(failing, line));
  EXPECT_EQ((TCalls{open, "RegWriteString EXE Path = C:\\FS9", "RegCloseKey"}), written.calls);
  EXPECT_EQ((TCalls{open, "RegCloseKey"}), denied.calls);
  EXPECT_EQ(failing.calls, written.calls);  // and closed although the write raised
}

// What a command line started by hand cannot carry, and the limits around the form.
TEST(WriteExePath, TheEntryRefusesEveryOtherLineWithoutTouchingTheRegistry) {
  const std::wstring longest = L"C:\\" + std::wstring(kMaxFolderLength - 3, L'x');
  const std::wstring lines[] = {
      std::wstring(L"/write-exe-path \"C:\\FS9\0x\"", 26), L"/write-exe-path \"C:\\FS9\x85x\"",
      L"/write-exe-path \"" + longest + L"x\"", L"/write-exe-path \"C:FS9\"", L"/write-exe-path \"\\FS9\"",
      L"/WRITE-EXE-PATH \"C:\\FS9\"", L"/write-exe-path\"C:\\FS9\"", L"/write-exe-path \"\"",
      L"/write-exe-path \"C:\\FS9\\\"", L"/write-exe-path \"C:\\FS9", L"/write-exe-path \"C:\\\u4E2D\u6587\""};
  ASSERT_FALSE(FitsAnsiCodePage(L"\u4E2D\u6587")) << "the test needs a code page without these characters";
  for (const std::wstring& line : lines) {
    TFakeSystem fake;
    EXPECT_EQ(DWORD{weRefused}, RunWriteExePath(fake, line)) << WideToAnsi(line.substr(0, 40));
    EXPECT_TRUE(fake.calls.empty());
  }
  EXPECT_EQ(longest, ParseWriteExePath(L"/write-exe-path \"" + longest + L"\""));
}

}  // namespace
