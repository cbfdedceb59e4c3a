// "Get FS9 Path" and "Set FS9 Path" as a user meets them: the real boxes, answered by their
// buttons, and the registry value afterwards.
#include "tests/e2e/e2e_fixture.h"

namespace {
std::wstring Confirmation(const std::wstring& folder) {
  return L"Are you sure you want to write this path to the registry?\r\n\r\n" + folder;
}
const std::wstring kMissingExeQuestion =
    L"The FS9.exe is not in the path you have specified.\r\nDo you still want to write this path to the registry?";
}  // namespace

using GetPathCommand = ProgramCase;

TEST_F(GetPathCommand, MissingKeyWarnsBlankThenMissingExeAtTheDriveRoot) {
  ASSERT_TRUE(TFS9Key::Remove());
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", kEmptyPathWarning, kOk, L"OK", L"warning_empty_path"));
  ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(L""), kOk, L"OK", L"warning_missing_exe_blank"));
  ExpectNoBox();
}

TEST_F(GetPathCommand, FolderWithTheExecutableShowsNoBox) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ExpectNoBox();
}

TEST_F(GetPathCommand, FolderWithoutTheExecutableWarnsWithItsFullPath) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::Empty()));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(TScratch::Empty()), kOk, L"OK", L"warning_missing_exe"));
  ExpectNoBox();
}

TEST_F(GetPathCommand, ValueOfAnotherTypeIsReportedAndTheProgramGoesOn) {
  ASSERT_TRUE(TFS9Key::SeedDword(42));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Quarnel Ostrimark", L"Invalid data type for 'EXE Path'.", kOk, L"OK", L"error_invalid_type"));
  ExpectNoBox();
  // Still usable: a good value afterwards reads without a box.
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ExpectNoBox();
}

using SetPathCommand = ProgramCase;

TEST_F(SetPathCommand, BlankEditOnlyNotices) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.SetFolderText(L""));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Information", L"The registry path box is blank!", kOk, L"OK", L"information_blank_edit"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(SetPathCommand, StoredFolderOnlyNotices) {
  // No executable there: a refresh would show its warning, so none may follow.
  ASSERT_TRUE(TFS9Key::Seed(TScratch::Empty()));
  ASSERT_TRUE(program_.SetFolderText(TScratch::Empty()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Information", L"This path is already in the registry!", kOk, L"OK", L"information_unchanged"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::Empty());
}

TEST_F(SetPathCommand, YesWritesAFolderWithTheExecutable) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::Other()));
  ASSERT_TRUE(program_.SetFolderText(TScratch::FS9()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", Confirmation(TScratch::FS9()), kYesCancel, L"&Yes", L"confirm_write"));
  ExpectNoBox();  // executable there: no question, and the refresh finds it
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(SetPathCommand, OtherSpellingOfTheStoredFolderIsAskedAndCancelWritesNothing) {
  // The comparison is exact: a trailing backslash makes it another path.
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  const std::wstring spelling = TScratch::FS9() + L"\\";
  ASSERT_TRUE(program_.SetFolderText(spelling));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", Confirmation(spelling), kYesCancel, L"Cancel"));
  ExpectNoBox();  // the refresh reads the untouched, valid value
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(SetPathCommand, FolderWithoutTheExecutableCancelledAtTheQuestionWritesNothing) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.SetFolderText(TScratch::Empty()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", Confirmation(TScratch::Empty()), kYesCancel, L"&Yes"));
  ASSERT_TRUE(ExpectBox(L"Warning", kMissingExeQuestion, kYesCancel, L"Cancel", L"warning_missing_exe_question"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(SetPathCommand, FolderWithoutTheExecutableConfirmedTwiceIsWrittenAndThenWarnedAbout) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.SetFolderText(TScratch::Empty()));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Confirm", Confirmation(TScratch::Empty()), kYesCancel, L"&Yes"));
  ASSERT_TRUE(ExpectBox(L"Warning", kMissingExeQuestion, kYesCancel, L"&Yes"));
  ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(TScratch::Empty()), kOk, L"OK"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::Empty());
}

TEST_F(SetPathCommand, FolderTheCodePageCannotHoldIsRefused) {
  const std::wstring folder = TScratch::Root() + L"\\\x03A9mega";  // a Greek capital omega
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, nullptr, 0, nullptr, &lossy);
  if (!lossy) GTEST_SKIP() << "this prefix's code page " << GetACP() << " holds the name";
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  ASSERT_TRUE(program_.SetFolderText(folder));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  std::optional<TBox> confirm = program_.WaitForBox();
  ASSERT_TRUE(confirm);
  EXPECT_EQ(confirm->caption, L"Confirm");
  ASSERT_TRUE(TProgram::Answer(*confirm, L"&Yes"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"This path contains characters that the registry entry cannot hold in this system's code "
                        L"page.\r\nNothing was written to the registry. Please choose a folder whose name uses only "
                        L"those characters.",
                        kOk, L"OK", L"warning_code_page"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}
