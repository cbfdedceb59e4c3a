// The real window's labels after the commands: what "Get FS9 Path" puts into the two boxes,
// read back as pixels, and the web link clicked as a user would.
#include "tests/app/form_fixture.h"
#include "app/texts.h"
#include "controls/labels/shell_request.h"
#include "tests/support/dib.h"

namespace {
bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }

// Horizontal extent of the dark pixels inside r, or an empty rectangle.
RECT DarkBounds(const TDib& dib, const RECT& r) {
  RECT box{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (Dark(dib.At(x, y))) {
        box.left = std::min<LONG>(box.left, x); box.right = std::max<LONG>(box.right, x + 1);
        box.top = std::min<LONG>(box.top, y); box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.right > box.left ? box : RECT{};
}

int TextWidth(const TFont& font, const std::string& text, UINT extra) {
  TDib dib(1, 1);
  SelectObject(dib.DC(), font.Handle());
  RECT r{0, 0, 0, 0};
  DrawTextA(dib.DC(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | extra);
  return r.right;
}
}  // namespace

using WindowLabels = FormTest;

TEST_F(WindowLabels, GetFS9PathShowsTheFolderVerbatimAndTheKeyInsideTheirBoxes) {
  const std::string folder = "D:\\Sims & Co";
  fake.value = folder;
  fake.files.insert(folder + "\\fs9.exe");
  const RECT inLabel{13, 17, 453, 47};
  TDib before(460, 56), path(460, 56), key(460, 56);
  form->OmGroupBox1->HandleNeeded();
  form->OmGroupBox2->HandleNeeded();
  form->OmGroupBox1->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(before.DC()), PRF_CLIENT);
  EXPECT_EQ(DarkBounds(before, inLabel).right, 0);
  form->btnGetRegPathClick(nullptr);
  form->OmGroupBox1->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(path.DC()), PRF_CLIENT);
  form->OmGroupBox2->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(key.DC()), PRF_CLIENT);
  const RECT shown = DarkBounds(path, inLabel);
  ASSERT_NE(shown.right, 0);
  // Every character is drawn: as wide as the text with its ampersand, not without it.
  const TFont& font = *form->OmLabel1->Font();
  const int whole = TextWidth(font, folder, DT_NOPREFIX), prefixed = TextWidth(font, folder, 0);
  ASSERT_LT(prefixed, whole);
  EXPECT_GT(shown.right - shown.left, (whole + prefixed) / 2);
  EXPECT_LE(shown.right - shown.left, whole);
  const RECT keyShown = DarkBounds(key, inLabel);
  ASSERT_NE(keyShown.right, 0);
  // The whole key on one line (the ink is a little narrower than the advance).
  EXPECT_GT(keyShown.right - keyShown.left, TextWidth(*form->OmLabel5->Font(), texts::kKeyLabelCaption, 0) * 95 / 100);
}

TEST_F(WindowLabels, DoubleClickingEachLinkOpensItOnce) {
  std::vector<TOmShellRequest> requests;
  TOmShellHandler previous = OmSetShellHandler([&](const TOmShellRequest& r) {
    requests.push_back(r);
    return INT_PTR{42};
  });
  form->Show();
  const TControl& link = *form->WebLinkLabel1;
  const LPARAM at = MAKELPARAM(link.Left() + link.Width() / 2, link.Top() + link.Height() / 2);
  auto doubleClick = [&](LPARAM at) {
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      SendMessageW(form->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  };
  doubleClick(at);
  OmSetShellHandler(previous);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].file, texts::kWebsite);
  EXPECT_EQ(requests[0].verb, "open");
  EXPECT_TRUE(fake.calls.empty());  // the link is the control's own, not a command's
  const TControl& label = *form->VisitWebsiteLabel;
  doubleClick(MAKELPARAM(label.Left() + label.Width() - 5, label.Top() + label.Height() / 2));
  EXPECT_EQ(fake.calls, TCalls{"ShellOpen " + std::string(texts::kWebsite)});
}

// The two links beside their pictures are right-aligned in boxes wider than their text: the ink
// ends at the box's right edge and starts where the text's width says.
TEST_F(WindowLabels, TheRightAlignedLinkCaptionsEndAtTheirBoxesRightEdge) {
  form->Show();
  TDib window(form->ClientWidth(), form->ClientHeight());
  form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(window.DC()), PRF_CLIENT);
  for (const TOmSimpleLabel* label : {form->VisitWebsiteLabel, form->AboutLabel}) {
    const RECT box = label->BoundsRect();
    const RECT ink = DarkBounds(window, box);
    ASSERT_NE(ink.right, 0) << label->Caption();
    EXPECT_GE(ink.right, box.right - 5) << label->Caption();  // a glyph's edge is lighter than ink
    const int text = TextWidth(*label->Font(), label->Caption(), 0);
    EXPECT_GE(ink.left, box.right - text - 3) << label->Caption();
    EXPECT_GT(ink.left, box.left + 4) << label->Caption();  // not left-aligned
  }
}
