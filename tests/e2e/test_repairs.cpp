// The broken entries that bring users here, mended as a user meets them: the key made by Set,
// the value copied from the 64-bit view by Get, a value naming fs9.exe replaced by its folder.
#include "tests/e2e/e2e_fixture.h"

namespace {
const std::vector<std::wstring> kYesNo{L"&Yes", L"&No"};

// The key in the 64-bit view, as a 64-bit registry editor's import leaves it; removed at the end
// (the mend leaves it alone: the recording fake's tests check that).
struct TOtherViewKey {
  explicit TOtherViewKey(const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    made = RegSetValueExW(key, kExePath, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                          static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~TOtherViewKey() { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, KEY_WOW64_64KEY, 0); }
  bool made = false;
};
}  // namespace

using Repairs = ProgramCase;

TEST_F(Repairs, SetMakesAMissingKeyOnlyOnYes) {
  ASSERT_TRUE(TFS9Key::Remove());
  ASSERT_TRUE(program_.SetFolderText(TScratch::FS9()));
  for (const wchar_t* answer : {L"&No", L"&Yes"}) {
    ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
    ASSERT_TRUE(ExpectBox(L"Confirm", L"Are you sure you want to write this path to the registry?\r\n\r\n" +
                          TScratch::FS9(), kYesCancel, L"&Yes"));
    ASSERT_TRUE(ExpectBox(L"Warning",
                          L"The FS9 registry key does not exist on this computer: FS9 was probably copied from "
                          L"another disk or computer, or Windows was reinstalled.\r\n\r\n" + TScratch::FS9() +
                              L"\r\n\r\nDo you want to create the key with this folder?",
                          kYesNo, answer, L"warning_missing_key"));
    if (std::wstring(answer) == L"&No") {
      ASSERT_TRUE(ExpectBox(L"Warning", kEmptyPathWarning, kOk, L"OK"));
      ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(L""), kOk, L"OK"));
      ExpectNoBox();
      EXPECT_FALSE(TFS9Key::Exists());
    }
  }
  ExpectNoBox();  // the refresh finds the new value and the simulator there
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
}

TEST_F(Repairs, GetCopiesAValueFoundOnlyInTheOtherViewOnYes) {
  ASSERT_TRUE(TFS9Key::Remove());
  TOtherViewKey other(TScratch::Other());
  ASSERT_TRUE(other.made);
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", kEmptyPathWarning, kOk, L"OK"));
  ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(L""), kOk, L"OK"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"The FS9 registry entry is blank or does not exist where FS9 and its add-on installers look, "
                        L"but the 64-bit part of the registry holds one, which reports:\r\n\r\n" +
                            TScratch::Other() +
                            L"\r\n\r\nDo you want to record this folder where FS9 and its installers look?",
                        kYesNo, L"&Yes", L"warning_other_view"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::Other());
}

TEST_F(Repairs, GetReplacesAValueNamingTheProgramFileByItsFolderOnYes) {
  const std::wstring value = TScratch::FS9() + L"\\fs9.exe";
  ASSERT_TRUE(TFS9Key::Seed(value));
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", MissingExeWarning(value), kOk, L"OK"));
  ASSERT_TRUE(ExpectBox(L"Warning",
                        L"The FS9 registry entry names the program file or is wrapped in quotes:\r\n\r\n" + value +
                            L"\r\n\r\nInstallers expect the folder alone, and fs9.exe is in this one:\r\n\r\n" +
                            TScratch::FS9() + L"\r\n\r\nDo you want to record this folder instead?",
                        kYesNo, L"&Yes", L"warning_file_name_value"));
  ExpectNoBox();
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
  EXPECT_TRUE(SaveScreenshot(L"window_after_mend", program_.Main()));  // the label shows the folder now
}

TEST(CommandLine, AnUnknownSwitchShowsTheUsageAndExitsWithTwo) {
  TProgram program(L"/?");
  ASSERT_TRUE(program.Started());
  std::optional<TBox> box = program.WaitForBox(15000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, L"Information");
  EXPECT_NE(box->text.find(L"ostrimark.exe /create-exe-path \"<folder>\""), std::wstring::npos);
  EXPECT_TRUE(SaveScreenshot(L"information_usage", box->window));
  ASSERT_TRUE(TProgram::Answer(*box, L"OK"));
  EXPECT_EQ(program.WaitForExit(), 2u);
}
