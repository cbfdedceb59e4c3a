// Writing as administrator: the program's one command line driven directly, and the window's
// offer after Windows refused its write. The key's access list makes the refusal real; Wine
// has no consent prompt, so "runas" starts the program at once with the same rights.
#include "tests/e2e/e2e_fixture.h"

namespace {
std::wstring Argument(const std::wstring& folder) { return L"/write-exe-path \"" + folder + L"\""; }
}  // namespace

class WriteExePathLine : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(TScratch::Prepare() && TFS9Key::Seed(TScratch::FS9())); }
  TFS9Key key_;
};

TEST_F(WriteExePathLine, TheDocumentedFormWritesAndExitsWithZeroOrTellsWhyNot) {
  const ULONGLONG before = TFS9Key::LastWriteTime();
  EXPECT_EQ(TProgram::Run(Argument(TScratch::Empty())), 0u);  // no fs9.exe needed: the user said yes to it
  EXPECT_EQ(TFS9Key::Value(), TScratch::Empty());
  EXPECT_NE(TFS9Key::LastWriteTime(), before) << "the write time shows no write";
  EXPECT_EQ(TProgram::Run(L"/write-exe-path \"C:\\\\\""), 0u);  // a trailing backslash doubled before the quote
  EXPECT_EQ(TFS9Key::Value(), L"C:\\");
  for (const DWORD rights : {DWORD{KEY_READ | KEY_SET_VALUE}, DWORD{KEY_READ}}) {  // it asks only to set values
    TKeyRights only(rights);
    ASSERT_TRUE(only.Applied());
    EXPECT_EQ(TProgram::Run(Argument(TScratch::Other())), rights == KEY_READ ? 5u : 0u);
  }
  EXPECT_EQ(TFS9Key::Value(), TScratch::Other());
  ASSERT_TRUE(TFS9Key::Remove());
  EXPECT_EQ(TProgram::Run(Argument(TScratch::Other())), 1u);
  EXPECT_FALSE(TFS9Key::Exists());
  // Only the create form makes the missing key; malformed, it makes nothing.
  EXPECT_EQ(TProgram::Run(L"/create-exe-path \"OstriE2E\""), 2u);
  EXPECT_FALSE(TFS9Key::Exists());
  EXPECT_EQ(TProgram::Run(L"/create-exe-path \"" + TScratch::FS9() + L"\""), 0u);
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(WriteExePathLine, EveryMalformedLineExitsWithTwoAndLeavesValueAndWriteTime) {
  const std::wstring folder = TScratch::Other();
  const std::wstring lines[] = {
      L"/write-exe-path " + folder,                                      // no quotes
      Argument(folder) + L" \"" + TScratch::Empty() + L"\"",             // two folders
      Argument(folder + std::wstring(1, L'\0') + L"x"),                  // a NUL: the line ends there
      Argument(folder + L"\nx"),                                         // a newline
      Argument(L"C:\\" + std::wstring(40000, L'x')),                     // 40,000 characters
      Argument(L"OstriE2E\\Other"),                                      // a relative path
      L"/create-exe-path" + std::wstring(L" ") + folder,                  // the create form unquoted
      Argument(folder) + L" " + Argument(folder),                        // the switch twice
  };
  const ULONGLONG before = TFS9Key::LastWriteTime();
  for (std::size_t i = 0; i < std::size(lines); ++i) {
    EXPECT_EQ(TProgram::Run(lines[i]), 2u) << "line " << i;
    EXPECT_EQ(TFS9Key::Value(), TScratch::FS9()) << "line " << i;
    EXPECT_EQ(TFS9Key::LastWriteTime(), before) << "line " << i;
  }
}

using WriteAsAdministrator = ProgramCase;

TEST_F(WriteAsAdministrator, YesStartsTheElevatedCopyAndWhatStillRefusesItIsSaid) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  TKeyRights readOnly(KEY_READ);
  ASSERT_TRUE(readOnly.Applied());
  ASSERT_TRUE(program_.SetFolderText(TScratch::Other()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", L"Are you sure you want to write this path to the registry?\r\n\r\n" +
                        TScratch::Other(), kYesCancel, L"&Yes"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"Nothing was written to the registry: Windows refused access to the FS9 registry key.\r\n"
                        L"Do you want to write it as administrator now?",
                        {L"&Yes", L"&No"}, L"&Yes", L"warning_write_denied_question"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"Nothing was written to the registry: Windows refused access to the FS9 registry key even to "
                        L"Ostrimark running as administrator.",
                        kOk, L"OK", L"warning_elevated_denied"));
  ExpectNoBox();  // the refresh reads the old, valid value
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}
