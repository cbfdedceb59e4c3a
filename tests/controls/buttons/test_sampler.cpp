// Renders the main window's five buttons, themed and classic, up, hot, pressed, focused and
// disabled, into one bitmap for a person to look at (the file named in OSTRI_BUTTONS_SAMPLER),
// and times their paint.
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include "controls/buttons/button.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/themes.h"
#include "tests/controls/drawing/dib.h"

namespace {
struct TSample { const char* caption; const char* glyph; int width, height; };
const TSample kButtons[] = {{"Get FS9 Path", "glyph_get.bmp", 107, 23}, {"Set FS9 Path", "glyph_set.bmp", 107, 23},
                            {"Search Reg", "glyph_search.bmp", 107, 23}, {"Exit", "glyph_exit.bmp", 84, 25},
                            {"FS2004", "glyph_fs2004.bmp", 84, 25}};

std::unique_ptr<TBitmap> LoadGlyph(const char* name) {
  std::ifstream file(std::string(OSTRI_RESOURCE_DIR) + "/" + name, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromBytes(bytes);
  return bitmap;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}
}  // namespace

TEST(Sampler, TheFiveButtonsInEveryLook) {
  const char* target = std::getenv("OSTRI_BUTTONS_SAMPLER");
  if (!target) GTEST_SKIP() << "OSTRI_BUTTONS_SAMPLER names no file";
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetClientSize(600, 120);
  form.SetColor(clWhite);
  std::vector<TOmButton*> buttons;
  for (int i = 0; i < 5; ++i) {
    auto* button = new TOmButton(&form);
    button->SetBounds(4 + i * 115, 4, kButtons[i].width, kButtons[i].height);
    button->SetCaption(kButtons[i].caption);
    button->Font()->SetName("Verdana");
    button->SetColor(clBtnFace);
    button->SetGlyph(LoadGlyph(kButtons[i].glyph).get());
    button->SetParent(&form);
    buttons.push_back(button);
  }
  auto* elsewhere = new TOmButton(&form);  // holds the focus while the others are drawn
  elsewhere->SetBounds(590, 100, 8, 8);
  elsewhere->SetParent(&form);
  form.Show();
  elsewhere->SetFocus();
  Application->ProcessMessages();

  // Paint times of the five, themed, once the window has painted them.
  TDib scratch(120, 30);
  for (int round = 1; round <= 2; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (TOmButton* button : buttons)
      SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(scratch.DC()), PRF_CLIENT);
    std::printf("paint %d of five buttons: %.1f ms\n", round, Milliseconds(std::chrono::steady_clock::now() - start));
  }

  // Rows: themed then classic, one per button; columns: up, hot, pressed, focused, disabled.
  TDib dib(8 * 115 + 8, 24 * 32 + 8, RGB(255, 255, 255));
  for (bool themed : {true, false}) {
    SetThemesWanted(themed);
    for (int i = 0; i < 5; ++i) {
      TOmButton* button = buttons[i];
      for (int look = 0; look < 5; ++look) {
        if (look == 1) button->Perform(CM_MOUSEENTER);
        if (look == 2) SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
        if (look == 3) button->SetFocus();
        if (look == 4) button->SetEnabled(false);
        const int x = 4 + look * 115, y = 4 + (themed ? 0 : 5 * 32) + i * 32;
        // The system clips an owner-drawn paint to the client at the device origin: draw apart.
        TDib cell(button->Width(), button->Height());
        SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(cell.DC()), PRF_CLIENT);
        BitBlt(dib.DC(), x, y, cell.Width(), cell.Height(), cell.DC(), 0, 0, SRCCOPY);
        if (look == 1) button->Perform(CM_MOUSELEAVE);
        if (look == 2) SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);
        if (look == 3) elsewhere->SetFocus();
        if (look == 4) button->SetEnabled(true);
      }
    }
  }
  // Below: every face look, one per row; up, hot, pressed, focused, themed then classic.
  TOmButton* sample = buttons[0];
  for (int style = ubsAutoDetect; style <= ubsWinXPTool; ++style) {
    sample->SetExtStyle(static_cast<TOmUserButtonStyle>(style));
    for (bool themed : {true, false}) {
      SetThemesWanted(themed);
      for (int look = 0; look < 4; ++look) {
        if (look == 1) sample->Perform(CM_MOUSEENTER);
        if (look == 2) SendMessageW(sample->Handle(), BM_SETSTATE, TRUE, 0);
        if (look == 3) sample->SetFocus();
        TDib cell(sample->Width(), sample->Height());
        SendMessageW(sample->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(cell.DC()), PRF_CLIENT);
        BitBlt(dib.DC(), 4 + (look + (themed ? 0 : 4)) * 115, 4 + (10 + style) * 32, cell.Width(), cell.Height(),
               cell.DC(), 0, 0, SRCCOPY);
        if (look == 1) sample->Perform(CM_MOUSELEAVE);
        if (look == 2) SendMessageW(sample->Handle(), BM_SETSTATE, FALSE, 0);
        if (look == 3) elsewhere->SetFocus();
      }
    }
  }
  SetThemesWanted(true);
  std::wstring path(target, target + std::strlen(target));
  EXPECT_TRUE(dib.SaveBmp(path));
}
