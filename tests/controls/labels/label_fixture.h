// A form of our own (never shown unless a case shows it) to hold the controls under test, and a
// recorder in place of the shell.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "controls/labels/shell_request.h"
#include "framework/form.h"
#include "framework/themes.h"
#include "tests/support/dib.h"

class LabelTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->SetColor(RGB(0, 128, 0));
    previousShell_ = OmSetShellHandler([this](const TOmShellRequest& r) {
      requests.push_back(r);
      events.push_back("shell " + r.file);
      return shellResult;
    });
  }
  void TearDown() override {
    delete form;
    OmSetShellHandler(previousShell_);
    SetThemesWanted(true);
  }
  // What a window of ours shows, painted into a DIB through WM_PRINTCLIENT.
  static void Print(TWinControl& control, TDib& dib) {
    control.HandleNeeded();
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
  }
  static bool Near(COLORREF a, COLORREF b, int tolerance = 60) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
  }
  // Bounding box of the pixels close to a colour (anti-aliased text is never exact).
  static RECT NearBounds(const TDib& dib, COLORREF color, RECT in = RECT{0, 0, 0, 0}) {
    if (in.right == 0) in = RECT{0, 0, dib.Width(), dib.Height()};
    RECT box{in.right, in.bottom, 0, 0};
    for (int y = in.top; y < in.bottom; ++y)
      for (int x = in.left; x < in.right; ++x)
        if (Near(dib.At(x, y), color)) {
          box.left = std::min<LONG>(box.left, x); box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1); box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right ? box : RECT{};
  }

  TForm* form = nullptr;
  std::vector<TOmShellRequest> requests;
  std::vector<std::string> events;
  INT_PTR shellResult = 42;

private:
  TOmShellHandler previousShell_;
};
