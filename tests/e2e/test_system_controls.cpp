// The system's version-6 controls are loaded only for what shows them: none for the main
// window, the version-6 library and no other once a box is up.
#include "tests/e2e/e2e_fixture.h"

#include <psapi.h>

#include <algorithm>
#include <cwctype>

namespace {
std::vector<std::wstring> CommonControlsOf(HANDLE process) {
  HMODULE modules[512];
  DWORD needed = 0;
  std::vector<std::wstring> found;
  if (!K32EnumProcessModules(process, modules, sizeof(modules), &needed)) return found;
  const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), 512);
  for (DWORD i = 0; i < count; ++i) {
    wchar_t path[MAX_PATH] = L"";
    K32GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    if (lower.ends_with(L"\\comctl32.dll")) found.push_back(lower);
  }
  return found;
}
}  // namespace

using SystemControls = ProgramCase;

TEST_F(SystemControls, NoneForTheWindowAndOnlyVersionSixForABox) {
  ASSERT_TRUE(program_.WaitUntilResponsive(3000));
  EXPECT_EQ(CommonControlsOf(program_.Process()), std::vector<std::wstring>{});
  ASSERT_TRUE(program_.SetFolderText(L""));
  ASSERT_TRUE(program_.Click(L"Set FS9 Path"));
  std::optional<TBox> box = program_.WaitForBox();
  ASSERT_TRUE(box);
  const std::vector<std::wstring> loaded = CommonControlsOf(program_.Process());
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_NE(loaded[0].find(L"common-controls"), std::wstring::npos) << Narrow(loaded[0]);
  EXPECT_TRUE(TProgram::Answer(*box, L"OK"));
}
