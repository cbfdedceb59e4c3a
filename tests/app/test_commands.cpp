// The Get and Set commands and GetFS9Path against the scripted fake: exact system calls,
// exact box texts, and the two captions afterwards.
#include <functional>
#include "app/fs9_entry.h"
#include "app/texts.h"
#include "framework/strings.h"
#include "tests/app/form_fixture.h"

namespace {

const std::string kKeyCaption =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\ (Entry = EXE Path)";
const std::string kBefore1 = "(caption before)", kBefore5 = "(key caption before)";

const TCalls kRead = {kReadOpen, "RegReadString EXE Path", "RegCloseKey"};
const TCalls kReadNoKey = {kReadOpen, "RegCloseKey"};
// An empty value has the 64-bit view looked at, on 64-bit Windows only.


std::string EmptyBox() {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK},
                 "It appears the registry entry is blank or does not exist!\r\n"
                 "(Please also check that you have administrative access)");
}
std::string MissingExeBox(const std::string& folder) {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK},
                 "The path your registry is reporting is:\r\n\r\n" + folder +
                     "\\fs9.exe\r\n\r\nThis may not be correct, the fs9.exe file was not found there!");
}
std::string ConfirmBox(const std::string& folder) {
  return BoxLine(TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel},
                 "Are you sure you want to write this path to the registry?\r\n\r\n" + folder);
}
std::string QuestionBox() {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel},
                 "The FS9.exe is not in the path you have specified.\r\n"
                 "Do you still want to write this path to the registry?");
}
std::string DeniedBox() {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo},
                 "Nothing was written to the registry: Windows refused access to the FS9 registry key.\r\n"
                 "Do you want to write it as administrator now?");
}
// An empty value warns twice, then has the 64-bit view looked at (on 64-bit Windows only).
TCalls BlankBoxes() { return {EmptyBox(), "FileExists \\fs9.exe", MissingExeBox(""), "Is64BitWindows"}; }
std::string MissingKeyBox(const std::string& folder) {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo},
                 texts::kMissingKeyHead + folder + texts::kMissingKeyTail);
}
std::string Warning(const std::string& text) { return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, text); }
std::string InfoBox(const std::string& text) { return BoxLine(TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, text); }
std::string Write(const std::string& folder) { return "RegWriteString EXE Path = " + folder; }

using TScript = std::function<void(TFakeSystem&)>;

// The registry as most cases find it: a valid folder with the simulator in it.
void Installed(TFakeSystem& f) {
  f.value = "C:\\FS9";
  f.files = {"C:\\FS9\\fs9.exe", "E:\\FS9\\fs9.exe"};
}

class CommandTest : public FormTest {
protected:
  void MarkCaptions() {
    form->OmLabel1->SetCaption(kBefore1);
    form->OmLabel5->SetCaption(kBefore5);
  }
};

// ---- Get ----

struct TGetCase {
  const char* name;
  TScript script;
  TCalls calls;
  std::string caption;
};

const TGetCase kGetCases[] = {
    {"MissingKey", [](TFakeSystem& f) { f.keyPresent = false; }, Join({kReadNoKey, BlankBoxes(), kNoCopies}), ""},
    {"ValueAbsent", [](TFakeSystem& f) { f.value.reset(); }, Join({kRead, BlankBoxes(), kNoCopies}), ""},
    {"ValueBlank", [](TFakeSystem& f) { f.value = ""; }, Join({kRead, BlankBoxes(), kNoCopies}), ""},
    {"ValidWithExecutable", Installed, Join({kRead, {"FileExists C:\\FS9\\fs9.exe"}, kNoCopies}), "C:\\FS9"},
    {"FolderWithoutExecutable", [](TFakeSystem& f) { f.value = "D:\\Games\\FS9"; },
     Join({kRead, {"FileExists D:\\Games\\FS9\\fs9.exe", MissingExeBox("D:\\Games\\FS9")}, kNoCopies}),
     "D:\\Games\\FS9"},
};

class GetCommandTest : public CommandTest, public ::testing::WithParamInterface<TGetCase> {};

TEST_P(GetCommandTest, CallsAndCaptions) {
  const TGetCase& c = GetParam();
  c.script(fake);
  MarkCaptions();
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(c.calls, fake.calls);
  EXPECT_EQ(c.caption, form->OmLabel1->Caption());
  EXPECT_EQ(kKeyCaption, form->OmLabel5->Caption());
  EXPECT_EQ(c.caption, FS9Path);
}

INSTANTIATE_TEST_SUITE_P(Registry, GetCommandTest, ::testing::ValuesIn(kGetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandTest, GetWithWrongValueTypeRaisesAndLeavesCaptions) {
  Installed(fake);
  fake.valueWrongType = true;
  MarkCaptions();
  try {
    form->btnGetRegPathClick(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ("Invalid data type for 'EXE Path'", e.Message());
  }
  EXPECT_EQ(kRead, fake.calls);  // closed although the read raised
  EXPECT_EQ(kBefore1, form->OmLabel1->Caption());
  EXPECT_EQ(kBefore5, form->OmLabel5->Caption());
}

// ---- Set ----

struct TSetCase {
  const char* name;
  TScript script;
  std::wstring edit;
  std::deque<int> answers;
  TCalls calls;
  bool refreshed;              // the captions show the registry afterwards
  std::string caption;         // OmLabel1 when refreshed
  std::optional<std::string> value;  // the stored value afterwards
};

const TCalls kRefreshInstalled = Join({kRead, {"FileExists C:\\FS9\\fs9.exe"}, kNoCopies});

// Refused, then Yes to writing as administrator: the elevated start and how it ended.
const TCalls kDeniedYes = Join({kRead, {ConfirmBox("E:\\FS9"), "FileExists E:\\FS9\\fs9.exe", kWriteOpen, "RegCloseKey",
                                        DeniedBox(), "ProgramFile"}});
const std::string kElevate =
    "ShellStartWide runas C:\\Tools\\ostrimark.exe /write-exe-path \"E:\\FS9\" mask 0x440 show 0 owner Quarnel - Ostrimark";
const TCalls kElevated = {kElevate, "WaitForProcessExit process", "CloseHandle process"};
TScript Refused(DWORD startError, std::optional<DWORD> exit) {
  return [=](TFakeSystem& f) {
    Installed(f);
    f.canWrite = false;
    f.startError = startError;
    f.childExit = exit;
  };
}

void NoKey(TFakeSystem& f) {
  Installed(f);
  f.keyPresent = false;
  f.value.reset();
}
const TCalls kMissingKeyAsked = Join({kReadNoKey, {ConfirmBox("E:\\FS9"), "FileExists E:\\FS9\\fs9.exe", kWriteOpen,
                                                   "RegCloseKey", MissingKeyBox("E:\\FS9")}});

const TSetCase kSetCases[] = {
    {"BlankEdit", Installed, L"", {}, {InfoBox("The registry path box is blank!")}, false, "", "C:\\FS9"},
    {"Unchanged", Installed, L"C:\\FS9", {},
     Join({kRead, {InfoBox("This path is already in the registry!")}}), false, "", "C:\\FS9"},
    // Only an exact match counts as unchanged; these go on to the question and are cancelled there.
    {"CaseDifferenceCancelled", Installed, L"c:\\fs9", {mrCancel},
     Join({kRead, {ConfirmBox("c:\\fs9")}, kRefreshInstalled}), true, "C:\\FS9", "C:\\FS9"},
    {"TrailingBackslashCancelled", Installed, L"C:\\FS9\\", {mrCancel},
     Join({kRead, {ConfirmBox("C:\\FS9\\")}, kRefreshInstalled}), true, "C:\\FS9", "C:\\FS9"},
    {"NewFolderWithExecutable", Installed, L"E:\\FS9", {mrYes},
     Join({kRead, {ConfirmBox("E:\\FS9"), "FileExists E:\\FS9\\fs9.exe", kWriteOpen, Write("E:\\FS9"), "RegCloseKey"},
           kRead, {"FileExists E:\\FS9\\fs9.exe"}, kNoCopies}),
     true, "E:\\FS9", "E:\\FS9"},
    {"NoExecutableCancelled", Installed, L"E:\\Empty", {mrYes, mrCancel},
     Join({kRead, {ConfirmBox("E:\\Empty"), "FileExists E:\\Empty\\fs9.exe", QuestionBox()}, kRefreshInstalled}),
     true, "C:\\FS9", "C:\\FS9"},
    // A box ended without an answer (the program quitting) is no consent to write.
    {"NoExecutableUnanswered", Installed, L"E:\\Empty", {mrYes, mrNone},
     Join({kRead, {ConfirmBox("E:\\Empty"), "FileExists E:\\Empty\\fs9.exe", QuestionBox()}, kRefreshInstalled}),
     true, "C:\\FS9", "C:\\FS9"},
    {"NoExecutableWrittenAnyway", Installed, L"E:\\Empty", {mrYes, mrYes},
     Join({kRead,
           {ConfirmBox("E:\\Empty"), "FileExists E:\\Empty\\fs9.exe", QuestionBox(), kWriteOpen, Write("E:\\Empty"),
            "RegCloseKey"},
           kRead, {"FileExists E:\\Empty\\fs9.exe", MissingExeBox("E:\\Empty")}, kNoCopies}),
     true, "E:\\Empty", "E:\\Empty"},
    // No to writing as administrator: nothing more, and the refresh shows the old value.
    {"NoWriteRights", [](TFakeSystem& f) { Installed(f); f.canWrite = false; }, L"E:\\FS9", {mrYes, mrNo},
     Join({kRead, {ConfirmBox("E:\\FS9"), "FileExists E:\\FS9\\fs9.exe", kWriteOpen, "RegCloseKey", DeniedBox()},
           kRefreshInstalled}),
     true, "C:\\FS9", "C:\\FS9"},
    {"WrittenAsAdministrator", [](TFakeSystem& f) { Refused(0, 0)(f); f.childWrites = "E:\\FS9"; }, L"E:\\FS9",
     {mrYes, mrYes}, Join({kDeniedYes, kElevated, kRead, {"FileExists E:\\FS9\\fs9.exe"}, kNoCopies}), true,
     "E:\\FS9", "E:\\FS9"},
    {"AdministratorStillDenied", Refused(0, 5), L"E:\\FS9", {mrYes, mrYes},
     Join({kDeniedYes, kElevated, {Warning(texts::kElevatedDenied)}, kRefreshInstalled}), true, "C:\\FS9", "C:\\FS9"},
    {"AdministratorRefusedTheFolder", Refused(0, 2), L"E:\\FS9", {mrYes, mrYes},
     Join({kDeniedYes, kElevated, {Warning(texts::kElevatedRefused)}, kRefreshInstalled}), true, "C:\\FS9", "C:\\FS9"},
    // A crash is no success either; its code reads as such codes are written.
    {"AdministratorCrashed", Refused(0, 0xC0000005), L"E:\\FS9", {mrYes, mrYes},
     Join({kDeniedYes, kElevated, {Warning(texts::kElevatedFailed + std::string("0xC0000005."))}, kRefreshInstalled}),
     true, "C:\\FS9", "C:\\FS9"},
    {"AdministratorCancelled", Refused(ERROR_CANCELLED, 0), L"E:\\FS9", {mrYes, mrYes},
     Join({kDeniedYes, {kElevate, Warning(texts::kElevationCancelled)}, kRefreshInstalled}), true, "C:\\FS9", "C:\\FS9"},
    {"AdministratorNotStarted", Refused(ERROR_FILE_NOT_FOUND, 0), L"E:\\FS9", {mrYes, mrYes},
     Join({kDeniedYes, {kElevate, Warning(texts::kElevationFailed + std::string("2."))}, kRefreshInstalled}), true,
     "C:\\FS9", "C:\\FS9"},
    // A missing key is made only on Yes to its own question; No leaves it missing.
    {"MissingKeyNotCreated", NoKey, L"E:\\FS9", {mrYes, mrNo},
     Join({kMissingKeyAsked, kReadNoKey, BlankBoxes(), kNoCopies}), true, "", std::nullopt},
    {"MissingKeyCreated", NoKey, L"E:\\FS9", {mrYes, mrYes},
     Join({kMissingKeyAsked, {kWriteCreate, Write("E:\\FS9"), "RegCloseKey"}, kRead, {"FileExists E:\\FS9\\fs9.exe"},
           kNoCopies}),
     true, "E:\\FS9", "E:\\FS9"},
    // Refused to make it: the elevated copy is asked to make it.
    {"MissingKeyCreatedAsAdministrator",
     [](TFakeSystem& f) { NoKey(f); f.canCreate = false; f.childWrites = "E:\\FS9"; }, L"E:\\FS9", {mrYes, mrYes, mrYes},
     Join({kMissingKeyAsked, {kWriteCreate, "RegCloseKey", DeniedBox(), "ProgramFile",
                              "ShellStartWide runas C:\\Tools\\ostrimark.exe /create-exe-path \"E:\\FS9\" mask 0x440 "
                              "show 0 owner Quarnel - Ostrimark",
                              "WaitForProcessExit process", "CloseHandle process"},
           kRead, {"FileExists E:\\FS9\\fs9.exe"}, kNoCopies}),
     true, "E:\\FS9", "E:\\FS9"},
};

class SetCommandTest : public CommandTest, public ::testing::WithParamInterface<TSetCase> {};

TEST_P(SetCommandTest, CallsCaptionsAndStoredValue) {
  const TSetCase& c = GetParam();
  c.script(fake);
  fake.answers = c.answers;
  form->EdEdit1->SetText(c.edit);
  MarkCaptions();
  form->btnSetRegPathClick(nullptr);
  EXPECT_EQ(c.calls, fake.calls);
  EXPECT_EQ(c.refreshed ? c.caption : kBefore1, form->OmLabel1->Caption());
  EXPECT_EQ(c.refreshed ? kKeyCaption : kBefore5, form->OmLabel5->Caption());
  EXPECT_EQ(c.value, fake.value);
}

INSTANTIATE_TEST_SUITE_P(Registry, SetCommandTest, ::testing::ValuesIn(kSetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandTest, SetRefusesFolderOutsideCodePage) {
  const std::wstring folder = L"C:\\\u4E2D\u6587";
  ASSERT_FALSE(FitsAnsiCodePage(folder)) << "the test needs a code page without these characters";
  Installed(fake);
  fake.files.insert(WideToAnsi(folder) + "\\fs9.exe");  // even where the mangled name exists
  fake.answers = {mrYes};
  form->EdEdit1->SetText(folder);
  MarkCaptions();
  form->btnSetRegPathClick(nullptr);
  const std::string question =
      WideToAnsi(L"Are you sure you want to write this path to the registry?\r\n\r\n" + folder);
  EXPECT_EQ(Join({kRead,
                  {BoxLine(TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel}, question),
                   BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, texts::kCodePageWarning)},
                  kRefreshInstalled}),
            fake.calls);
  EXPECT_EQ("C:\\FS9", fake.value);
  EXPECT_EQ("C:\\FS9", form->OmLabel1->Caption());
  EXPECT_EQ(kKeyCaption, form->OmLabel5->Caption());
}

TEST_F(CommandTest, SetWithWrongValueTypeRaisesBeforeAsking) {
  Installed(fake);
  fake.valueWrongType = true;
  form->EdEdit1->SetText(L"E:\\FS9");
  MarkCaptions();
  EXPECT_THROW(form->btnSetRegPathClick(nullptr), ERegistryException);
  EXPECT_EQ(kRead, fake.calls);
  EXPECT_EQ(kBefore1, form->OmLabel1->Caption());
  EXPECT_EQ(kBefore5, form->OmLabel5->Caption());
}

// ---- The user's virtualized copy ----

std::string CopyBox(const std::string& folder) {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo},
                 std::string(texts::kUserCopyHead) + folder + texts::kUserCopyTail);
}
const TCalls kLookAtFirstCopy = {"RegOpenKey HKCU " + kCopyKey + " 0x20119", "RegReadString EXE Path", "RegCloseKey"};
const TCalls kNoSecondCopy = {"RegOpenKey HKCU " + kCopyKeyWow64 + " 0x20119", "RegCloseKey"};
const TCalls kRemoveFirstCopy = {"RegOpenKey HKCU " + kCopyKey + " 0x102", "RegDeleteValue EXE Path", "RegCloseKey"};

TEST_F(CommandTest, StaleUserCopyIsShownAndRemovedOnYesOnly) {
  Installed(fake);
  fake.userCopies[kCopyKey] = "D:\\Old\\FS9";
  fake.answers = {mrNo};
  form->btnGetRegPathClick(nullptr);
  const TCalls found = Join({kRead, {"FileExists C:\\FS9\\fs9.exe"}, kLookAtFirstCopy, {CopyBox("D:\\Old\\FS9")}});
  EXPECT_EQ(Join({found, kNoSecondCopy}), fake.calls);
  EXPECT_EQ(1u, fake.userCopies.size());  // No keeps it
  fake.calls.clear();
  fake.answers = {mrYes};
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({found, kRemoveFirstCopy, kNoSecondCopy}), fake.calls);
  EXPECT_TRUE(fake.userCopies.empty());
  EXPECT_EQ("C:\\FS9", fake.value);  // the machine's value is never touched
}

TEST_F(CommandTest, UserCopyNamingTheSameFolderIsNoNews) {
  Installed(fake);
  fake.userCopies[kCopyKeyWow64] = "c:\\fs9";
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kRead, {"FileExists C:\\FS9\\fs9.exe", "RegOpenKey HKCU " + kCopyKey + " 0x20119", "RegCloseKey",
                          "RegOpenKey HKCU " + kCopyKeyWow64 + " 0x20119", "RegReadString EXE Path", "RegCloseKey"}}),
            fake.calls);
}

TEST_F(CommandTest, UserCopyKeyWithoutAFolderIsNoCopy) {
  Installed(fake);
  fake.userCopies[kCopyKey] = "";  // the key an earlier removal left behind
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kRead, {"FileExists C:\\FS9\\fs9.exe"}, kLookAtFirstCopy, kNoSecondCopy}), fake.calls);
}

TEST_F(CommandTest, UserCopyThatCannotBeRemovedIsReported) {
  Installed(fake);
  fake.userCopies[kCopyKey] = "D:\\Old";
  fake.canDeleteCopies = false;
  fake.answers = {mrYes};
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kRead, {"FileExists C:\\FS9\\fs9.exe"}, kLookAtFirstCopy,
                  {CopyBox("D:\\Old"), "RegOpenKey HKCU " + kCopyKey + " 0x102", "RegCloseKey",
                   BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, texts::kUserCopyKept)},
                  kNoSecondCopy}),
            fake.calls);
}

// ---- Mends Get offers ----

const std::string kOtherViewOpen =
    "RegOpenKey HKLM SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\ 0x20119";
std::string RepairBox(const std::string& text) {
  return BoxLine(TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, text);
}
std::string OtherViewBox(const std::string& folder) {
  return RepairBox(texts::kOtherViewHead + folder + texts::kOtherViewTail);
}
std::string FileNameBox(const std::string& value, const std::string& folder) {
  return RepairBox(texts::kFileNameHead + value + texts::kFileNameMiddle + folder + texts::kFileNameTail);
}

TEST_F(CommandTest, ValueOnlyInTheOtherViewIsCopiedOnYesAndNotAskedAgain) {
  NoKey(fake);
  fake.is64Bit = true;
  fake.otherViewValue = "C:\\FS9";
  const TCalls asked = Join({kReadNoKey, BlankBoxes(), {kOtherViewOpen, "RegReadString EXE Path", "RegCloseKey",
                                                        OtherViewBox("C:\\FS9")}});
  fake.answers = {mrNo};
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({asked, kNoCopies}), fake.calls);
  EXPECT_FALSE(fake.keyPresent);
  fake.calls.clear();
  fake.answers = {mrYes};
  form->btnGetRegPathClick(nullptr);
  // Made in the 32-bit view without a second question; the refresh finds it and asks nothing.
  EXPECT_EQ(Join({asked, {kWriteOpen, "RegCloseKey", kWriteCreate, Write("C:\\FS9"), "RegCloseKey"}, kRead,
                  {"FileExists C:\\FS9\\fs9.exe"}, kNoCopies}),
            fake.calls);
  EXPECT_EQ("C:\\FS9", fake.value);
  EXPECT_EQ("C:\\FS9", fake.otherViewValue);  // the 64-bit copy is left alone
  EXPECT_EQ("C:\\FS9", form->OmLabel1->Caption());
}

TEST_F(CommandTest, OtherViewIsNotLookedAtOnThirtyTwoBitWindowsNorWhenEmpty) {
  NoKey(fake);
  fake.otherViewValue = "C:\\FS9";
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kReadNoKey, BlankBoxes(), kNoCopies}), fake.calls);
  fake.calls.clear();
  fake.is64Bit = true;
  fake.otherViewValue = "";
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kReadNoKey, BlankBoxes(), {kOtherViewOpen, "RegReadString EXE Path", "RegCloseKey"}, kNoCopies}),
            fake.calls);
}

// Installers that append \fs9.exe to a value naming the file, or keep its quotes, find nothing.
TEST_F(CommandTest, ValueNamingTheFileOrQuotedIsReplacedByItsFolderOnYes) {
  for (const std::string value : {"C:\\FS9\\FS9.EXE", " \"C:\\FS9\" ", "\"C:\\FS9\\fs9.exe\""}) {
    Installed(fake);
    fake.value = value;
    fake.calls.clear();
    fake.answers = {mrYes};
    form->btnGetRegPathClick(nullptr);
    EXPECT_EQ(Join({kRead, {"FileExists " + value + "\\fs9.exe", MissingExeBox(value), "FileExists C:\\FS9\\fs9.exe",
                            FileNameBox(value, "C:\\FS9"), kWriteOpen, Write("C:\\FS9"), "RegCloseKey"},
                    kRefreshInstalled}),
              fake.calls)
        << value;
    EXPECT_EQ("C:\\FS9", fake.value);
  }
}

TEST_F(CommandTest, ValueNamingTheFileAsksNothingWhenItsFolderLacksTheSimulator) {
  fake.value = "D:\\Old\\fs9.exe";
  form->btnGetRegPathClick(nullptr);
  EXPECT_EQ(Join({kRead, {"FileExists D:\\Old\\fs9.exe\\fs9.exe", MissingExeBox("D:\\Old\\fs9.exe"),
                          "FileExists D:\\Old\\fs9.exe"},
                  kNoCopies}),
            fake.calls);
  EXPECT_EQ(std::nullopt, FolderNamedBy("C:\\FS9\\"));
  EXPECT_EQ(std::nullopt, FolderNamedBy("\"\\fs9.exe\""));
}

// ---- GetFS9Path ----

TEST_F(CommandTest, GetFS9PathForgetsTheOldValueWhenTheKeyGoes) {
  Installed(fake);
  form->GetFS9Path();
  EXPECT_EQ("C:\\FS9", FS9Path);
  fake.keyPresent = false;
  form->GetFS9Path();
  EXPECT_EQ("", FS9Path);
  EXPECT_EQ(Join({kRead, kReadNoKey}), fake.calls);
}

TEST_F(CommandTest, GetFS9PathClosesTheKeyWhenTheReadRaises) {
  Installed(fake);
  form->GetFS9Path();
  fake.valueWrongType = true;
  EXPECT_THROW(form->GetFS9Path(), ERegistryException);
  EXPECT_EQ("", FS9Path);  // cleared before the read
  EXPECT_EQ(Join({kRead, kRead}), fake.calls);
  EXPECT_FALSE(fake.keyOpen);
}

}  // namespace
