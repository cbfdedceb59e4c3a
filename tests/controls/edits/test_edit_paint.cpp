// What the edit draws, read back from a 32-bit DIB through WM_PRINT: its border in both looks,
// the selection band and the centred line; and that painting and menus leak nothing.
#include "edit_fixture.h"
#include <vector>
#include "framework/themes.h"
#include "tests/support/gdi_count.h"
#include "tests/support/menu_probe.h"

namespace {
// The edit's whole window (border and client) as it prints itself.
class TPrinted {
public:
  explicit TPrinted(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, dib_);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc_), PRF_NONCLIENT | PRF_CLIENT);
  }
  ~TPrinted() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(dib_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int width = 0, height = 0;
private:
  HBITMAP dib_;
  HDC dc_;
  HGDIOBJ old_;
};

COLORREF Sys(int index) { return GetSysColor(index); }

// Themes off for one test, back on afterwards.
struct TClassicLook {
  TClassicLook() { SetThemesWanted(false); }
  ~TClassicLook() { SetThemesWanted(true); }
};
}  // namespace

TEST_F(EditTest, ClassicBorderIsATwoPixelSunkenEdge) {
  TClassicLook classic;
  edit->SetColor(RGB(231, 231, 218));
  TPrinted p(Window());
  ASSERT_EQ(p.width, 460);
  EXPECT_EQ(p.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(p.At(1, 1), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(p.At(459, 20), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(p.At(458, 19), Sys(COLOR_BTNFACE));
  EXPECT_EQ(p.At(2, 2), RGB(231, 231, 218));
  EXPECT_EQ(edit->ClientWidth(), 456);
  edit->SetBorderSides({ebsTop, ebsBottom});  // sides without a border give it to the client
  EXPECT_EQ(edit->ClientWidth(), 460);
}

TEST_F(EditTest, ThemedBorderIsTheThemesFrameNotTheClassicEdge) {
  if (!ThemesInUse()) GTEST_SKIP() << "the prefix has no active theme";
  edit->SetColor(RGB(231, 231, 218));
  TPrinted themed(Window());
  EXPECT_NE(themed.At(0, 10), Sys(COLOR_BTNSHADOW));
  EXPECT_NE(themed.At(0, 10), RGB(231, 231, 218));
  EXPECT_EQ(themed.At(2, 2), RGB(231, 231, 218));  // the client is ours in both looks
  edit->SetUseXPThemes(false);
  TPrinted classic(Window());
  EXPECT_EQ(classic.At(0, 10), Sys(COLOR_BTNSHADOW));
}

TEST_F(EditTest, SelectedLineIsABandCentredInTheClient) {
  TClassicLook classic;
  edit->SetText(L"C:\\FS9");
  ASSERT_EQ(edit->LineHeight(), 13);
  EXPECT_EQ(edit->TopMargin(), 2);  // (17 - 13) / 2 below the client's top
  edit->SelectAll();
  const int end = edit->CharPosToPixel({6, 0}).x + 2;  // window x of the band's end (border 2)
  TPrinted p(Window());
  const COLORREF band = Sys(COLOR_HIGHLIGHT), window = Sys(COLOR_WINDOW);
  int top = -1, bottom = -1;
  for (int y = 2; y < 19; ++y)
    if (p.At(4, y) == band || p.At(end - 1, y) == band) { if (top < 0) top = y; bottom = y; }
  EXPECT_EQ(top, 2 + 2);  // client row 2, below the 2-pixel border
  EXPECT_EQ(bottom, 2 + 14);
  EXPECT_EQ(p.At(end + 2, 10), window);
  SetFocus(nullptr);  // unfocused: the selection hides
  TPrinted hidden(Window());
  EXPECT_EQ(hidden.At(4, 4), window);
  edit->SetHideSelection(false);  // or shows in its own colours
  TPrinted shown(Window());
  EXPECT_EQ(shown.At(4, 4), Sys(COLOR_BTNFACE));
}

TEST_F(EditTest, PaintsAndContextMenusLeaveNoObjectsBehind) {
  if (!gdi_count::Works()) GTEST_SKIP() << "no trustworthy GDI count here";
  edit->SetText(L"C:\\Program Files\\FS9");
  edit->SelectAll();
  UpdateWindow(Window());
  const long before = gdi_count::LiveObjects();
  for (int i = 0; i < 200; ++i) {
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }
  EXPECT_EQ(gdi_count::LiveObjects(), before);
  // The real menu, closed by a timer each time as a user pressing Escape would.
  class TRealMenuEdit : public TScriptedEdit {
  public:
    using TScriptedEdit::TScriptedEdit;
    std::vector<HMENU> shown;
  protected:
    UINT TrackContextMenu(HMENU menu, POINT p) override {
      shown.push_back(menu);
      SetTimer(nullptr, 0, 10, CloseMenuOnce);
      return TCustomEdEdit::TrackContextMenu(menu, p);
    }
  };
  auto* real = new TRealMenuEdit(form);
  real->SetBounds(10, 40, 200, 21);
  real->SetParent(form);
  real->SetText(L"abc");
  POINT inside{20, 8};
  ClientToScreen(real->Handle(), &inside);
  auto showMenu = [&] {
    SendMessageW(real->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(real->Handle()), MAKELPARAM(inside.x, inside.y));
  };
  showMenu();  // the system makes its menu fonts and bitmaps once
  const long warm = gdi_count::LiveObjects();
  for (int i = 0; i < 50; ++i) showMenu();
  ASSERT_EQ(real->shown.size(), 51u);
  for (HMENU menu : real->shown) EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(gdi_count::LiveObjects(), warm);
}

// Not a check: shows the four looks for a person when OSTRI_EDIT_SHOW_MS is set.
TEST_F(EditTest, ShowForAPerson) {
  wchar_t value[16] = L"";
  if (!GetEnvironmentVariableW(L"OSTRI_EDIT_SHOW_MS", value, 16)) GTEST_SKIP() << "only on request";
  form->SetBounds(20, 20, 520, 150);
  form->SetColor(RGB(200, 210, 190));
  const std::wstring path = L"C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\Addon Scenery\\Scenery";
  edit->SetText(path);
  edit->SetReadOnly(true);
  edit->SetColor(RGB(231, 231, 218));
  auto add = [&](int top, bool readOnly, bool themed) {
    auto* e = new TEdEdit(form);
    e->SetAutoSize(false);
    e->Font()->SetHeight(-11);
    e->SetBounds(10, top, 460, 21);
    e->SetUseXPThemes(themed);
    e->SetReadOnly(readOnly);
    if (readOnly) e->SetColor(RGB(231, 231, 218));
    e->SetParent(form);
    e->SetText(path);
    return e;
  };
  add(40, true, false);
  add(70, false, true);
  TEdEdit* classic = add(100, false, false);
  classic->SetHideSelection(false);
  classic->SetSelection({3, 0}, {static_cast<int>(path.size()), 0});
  const std::wstring longer = path + L"\\Texture\\Summer\\fs9.exe";  // scrolled to its end
  edit->SetText(longer);
  edit->SetFocus();
  edit->SetSelection({16, 0}, {static_cast<int>(longer.size()), 0});
  const DWORD until = GetTickCount() + static_cast<DWORD>(_wtoi(value));
  while (GetTickCount() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}
