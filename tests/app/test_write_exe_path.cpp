// The argument the window builds for the program's one command line, as it is read back.
#include <windows.h>
#include <shellapi.h>
#include "app/write_exe_path.h"
#include "framework/strings.h"
#include "tests/app/form_fixture.h"

namespace {

TEST(WriteExePath, TheArgumentReadsBackAsTheSystemSplitsItAndAsTheEntryParsesIt) {
  for (const std::wstring folder : {L"C:\\Program Files\\FS9", L"C:\\", L"C:\\a\\\\b\\\\", L"\\\\server\\share"}) {
    for (const TExePathForm form : {TExePathForm::Write, TExePathForm::Create}) {
      const std::wstring line = L"\"C:\\My Tools\\ostrimark.exe\" " + ExePathArgument(form, folder);
      int count = 0;
      LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
      const wchar_t* name = form == TExePathForm::Create ? L"/create-exe-path" : L"/write-exe-path";
      EXPECT_EQ((std::vector<std::wstring>{L"C:\\My Tools\\ostrimark.exe", name, folder}),
                std::vector<std::wstring>(argv, argv + count));
      LocalFree(argv);
      const std::optional<TExePathCommand> command = ParseExePathCommand(CommandLineArguments(line));
      ASSERT_TRUE(command) << WideToAnsi(line);
      EXPECT_EQ(folder, command->folder);
      EXPECT_EQ(form, command->form);
    }
  }
  // Malformed forms of the two switches are theirs (refused silently); other switches are not.
  EXPECT_TRUE(NamesExePathSwitch(L" /create-exe-path"));
  EXPECT_TRUE(NamesExePathSwitch(L"/write-exe-path C:\\FS9"));
  EXPECT_FALSE(NamesExePathSwitch(L"/write-exe-pathx \"C:\\FS9\""));
  EXPECT_FALSE(NamesExePathSwitch(L"/?"));
  EXPECT_TRUE(IsBlank(CommandLineArguments(L"\"C:\\a b\\o.exe\" \t")));
  EXPECT_TRUE(StartsWithSwitch(CommandLineArguments(L"o.exe  -x")));
  EXPECT_FALSE(StartsWithSwitch(CommandLineArguments(L"\"C:\\a b\\o.exe\" \"C:\\FS9\"")));  // a dropped folder
}

}  // namespace
