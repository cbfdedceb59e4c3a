// A case with the program started in the test prefix and the simulator's key remembered, so
// whatever a case seeds is put back, and a failing case leaves no box or process behind.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/fs9_key.h"
#include "tests/e2e/program.h"
#include "tests/e2e/screenshot.h"

class ProgramCase : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TScratch::Prepare()) << "scratch folders under C:";
    ASSERT_TRUE(program_.Started()) << "CreateProcess error " << program_.StartError();
    ASSERT_NE(program_.WaitForMain(), nullptr);
  }

  // Waits for the next box, checks its caption, text and buttons, optionally saves a picture
  // of it, and presses `press`. False when no box came or it could not be answered.
  bool ExpectBox(const std::wstring& caption, const std::wstring& text, const std::vector<std::wstring>& buttons,
                 const std::wstring& press, const wchar_t* shot = nullptr) {
    std::optional<TBox> box = program_.WaitForBox();
    if (!box) {
      ADD_FAILURE() << "no box appeared; expected \"" << Narrow(caption) << "\": " << Narrow(text);
      return false;
    }
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->buttons, buttons);
    if (shot) {
      EXPECT_TRUE(SaveScreenshot(shot, box->window)) << Narrow(shot);
    }
    if (!TProgram::Answer(*box, press)) {
      ADD_FAILURE() << "could not press \"" << Narrow(press) << "\" in \"" << Narrow(box->caption) << "\"";
      return false;
    }
    return true;
  }

  // Watches briefly: the command must end without a box.
  void ExpectNoBox(DWORD ms = 800) {
    if (std::optional<TBox> box = program_.WaitForBox(ms)) {
      ADD_FAILURE() << "unexpected box \"" << Narrow(box->caption) << "\": " << Narrow(box->text);
      TProgram::Answer(*box, box->buttons.empty() ? L"OK" : box->buttons.back());
    }
    EXPECT_TRUE(program_.WaitUntilResponsive(3000));
  }

  static std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
  }

  TFS9Key key_;  // declared first: restored after the program has ended
  TProgram program_;
};

inline const std::vector<std::wstring> kOk{L"OK"};
inline const std::vector<std::wstring> kYesCancel{L"&Yes", L"Cancel"};

// The two warnings of "Get FS9 Path", as every case that reads a broken entry meets them.
inline const std::wstring kEmptyPathWarning =
    L"It appears the registry entry is blank or does not exist!\r\n(Please also check that you have administrative access)";
inline std::wstring MissingExeWarning(const std::wstring& folder) {
  return L"The path your registry is reporting is:\r\n\r\n" + folder +
         L"\\fs9.exe\r\n\r\nThis may not be correct, the fs9.exe file was not found there!";
}
