// The argument the window builds for the program's one command line, as it is read back.
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
  EXPECT_TRUE(StartsWithSwitch(CommandLineArguments(L"o.exe  -x")));
  EXPECT_FALSE(StartsWithSwitch(CommandLineArguments(L"\"C:\\a b\\o.exe\" \"C:\\FS9\"")));  // a dropped folder
}

}  // namespace
