// Renders the main window's five buttons, themed and classic, up, hot, pressed, focused and
// disabled, and every face look, into one bitmap for a person to look at (the file named by the
// first argument), and prints how long painting the five takes. The glyphs are read from the
// resource folder named by the second argument.
#include <chrono>
#include <cstdio>
#include <string>
#include <fstream>
#include <iterator>
#include "controls/buttons/button.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/themes.h"
#include "tools/common/blank_cells.h"

namespace {
struct TSample { const char* caption; const char* glyph; int width, height; };
const TSample kButtons[] = {{"Get FS9 Path", "glyph_get.bmp", 107, 23}, {"Set FS9 Path", "glyph_set.bmp", 107, 23},
                            {"Search Reg", "glyph_search.bmp", 107, 23}, {"Exit", "glyph_exit.bmp", 84, 25},
                            {"FS2004", "glyph_fs2004.bmp", 84, 25}};

std::string resourceDir;

std::unique_ptr<TBitmap> LoadGlyph(const char* name) {
  std::ifstream file(resourceDir + "/" + name, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromBytes(bytes);
  return bitmap;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: buttons_sampler out.bmp resource-folder\n");
    return 2;
  }
  const char* target = argv[1];
  resourceDir = argv[2];
  TApplication application;
  application.Initialize();
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
  TBitmap scratch;
  scratch.SetSize(120, 30);
  for (int round = 1; round <= 2; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (TOmButton* button : buttons)
      SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(scratch.Canvas().Handle()), PRF_CLIENT);
    std::printf("paint %d of five buttons: %.1f ms\n", round, Milliseconds(std::chrono::steady_clock::now() - start));
  }

  // Rows: themed then classic, one per button; columns: up, hot, pressed, focused, disabled.
  TBitmap sheet;
  sheet.SetSize(8 * 115 + 8, 24 * 32 + 8);  // white
  HDC dc = sheet.Canvas().Handle();
  TBlankCells check;
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
        TBitmap cell;
        cell.SetSize(button->Width(), button->Height());
        SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(cell.Canvas().Handle()), PRF_CLIENT);
        BitBlt(dc, x, y, cell.Width(), cell.Height(), cell.Canvas().Handle(), 0, 0, SRCCOPY);
        check.Expect(RECT{x, y, x + cell.Width(), y + cell.Height()}, std::string(kButtons[i].caption) + " look " +
                     std::to_string(look) + (themed ? " themed" : " classic"));
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
        TBitmap cell;
        cell.SetSize(sample->Width(), sample->Height());
        SendMessageW(sample->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(cell.Canvas().Handle()), PRF_CLIENT);
        const int x = 4 + (look + (themed ? 0 : 4)) * 115, y = 4 + (10 + style) * 32;
        BitBlt(dc, x, y, cell.Width(), cell.Height(), cell.Canvas().Handle(), 0, 0, SRCCOPY);
        check.Expect(RECT{x, y, x + cell.Width(), y + cell.Height()}, "face " + std::to_string(style) + " look " +
                     std::to_string(look) + (themed ? " themed" : " classic"));
        if (look == 1) sample->Perform(CM_MOUSELEAVE);
        if (look == 2) SendMessageW(sample->Handle(), BM_SETSTATE, FALSE, 0);
        if (look == 3) elsewhere->SetFocus();
      }
    }
  }
  SetThemesWanted(true);
  const std::vector<unsigned char> bytes = sheet.SaveToBytes();
  std::ofstream out(target, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) return 1;
  return check.Report(dc);
}
