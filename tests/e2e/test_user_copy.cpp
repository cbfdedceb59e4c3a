// The user's virtualized copy of the value, as an installer without rights leaves it: "Get FS9
// Path" shows it, No keeps it, Yes removes that one value and nothing else.
#include "tests/e2e/e2e_fixture.h"

namespace {
constexpr wchar_t kCopyKey[] =
    L"Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";

std::optional<std::wstring> Copy() {
  wchar_t text[MAX_PATH] = L"";
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kCopyKey, kExePath, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return text;
}

// Writes the copy, with a second value beside it that must survive, and removes the key at the end.
struct TUserCopy {
  explicit TUserCopy(const std::wstring& folder) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kCopyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExW(key, kExePath, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"kept"), 5 * sizeof(wchar_t));
    RegCloseKey(key);
  }
  ~TUserCopy() { RegDeleteTreeW(HKEY_CURRENT_USER, kCopyKey); }
  static bool OtherValueKept() {
    DWORD size = 0;
    return RegGetValueW(HKEY_CURRENT_USER, kCopyKey, L"Other", RRF_RT_REG_SZ, nullptr, nullptr, &size) == ERROR_SUCCESS;
  }
};
}  // namespace

using UserCopy = ProgramCase;

TEST_F(UserCopy, StaleCopyIsOfferedForRemovalAndGoesOnYes) {
  ASSERT_TRUE(TFS9Key::Seed(TScratch::FS9()));
  TUserCopy copy(TScratch::Other());
  const std::wstring text = L"Your user account also has its own copy of the FS9 registry entry, which reports:\r\n\r\n" +
                            TScratch::Other() +
                            L"\r\n\r\nOlder add-on installers that you start read this copy instead of the real entry, "
                            L"so they keep finding this folder.\r\nDo you want to remove this copy, so that they use "
                            L"the real entry?";
  const std::vector<std::wstring> yesNo{L"&Yes", L"&No"};
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", text, yesNo, L"&No"));
  ExpectNoBox();
  EXPECT_EQ(Copy(), TScratch::Other());
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));
  ASSERT_TRUE(ExpectBox(L"Warning", text, yesNo, L"&Yes", L"warning_user_copy"));
  ExpectNoBox();
  EXPECT_EQ(Copy(), std::nullopt);
  EXPECT_TRUE(TUserCopy::OtherValueKept());
  EXPECT_EQ(TFS9Key::Value(), TScratch::FS9());
  ASSERT_TRUE(program_.Click(L"Get FS9 Path"));  // the key stays without the value: no copy any more
  ExpectNoBox();
}
