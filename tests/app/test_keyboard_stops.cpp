// The pictures and links without windows, reached and used from the keyboard: Tab after the
// windowed stops, Space doing what a click does, the focus rectangle while they hold the focus.
#include "tests/app/form_fixture.h"
#include "app/texts.h"
#include "controls/labels/shell_request.h"
#include "tests/support/dib.h"

namespace {
class KeyboardStops : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    form->Show();
  }
  void Tab() { form->Perform(CM_DIALOGKEY, VK_TAB); }
  // What has the focus: the window-less control, else the windowed one.
  const TControl* Focus() const {
    if (form->FocusedGraphic()) return form->FocusedGraphic();
    return TWinControl::FromHandle(GetFocus());
  }
  void Print(TDib& dib) { form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT); }
};

int Differences(const TDib& a, const TDib& b, const RECT& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += a.At(x, y) != b.At(x, y);
  return count;
}
}  // namespace

TEST_F(KeyboardStops, TabGoesFromTheLastButtonThroughThePicturesAndLinksInReadingOrderAndBack) {
  form->FS2004Button->SetFocus();
  ASSERT_EQ(Focus(), form->FS2004Button);
  const std::vector<const TControl*> expected = {form->MinimiseImage, form->ExitImage, form->VisitWebsiteImage,
      form->VisitWebsiteLabel, form->imgAbout, form->AboutLabel, form->WebLinkLabel1, form->btnGetRegPath};
  for (const TControl* stop : expected) {
    Tab();
    EXPECT_EQ(Focus(), stop) << stop->Name() << " expected, " << (Focus() ? Focus()->Name() : "nothing") << " has it";
  }
  EXPECT_EQ(form->FocusedGraphic(), nullptr);  // a windowed control took it back
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  Tab();
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(Focus(), form->WebLinkLabel1);
}

TEST_F(KeyboardStops, SpaceOnTheWebLinkAsksTheShellOnceEvenWhenHeld) {
  std::vector<TOmShellRequest> requests;
  TOmShellHandler previous = OmSetShellHandler([&](const TOmShellRequest& r) {
    requests.push_back(r);
    return INT_PTR{42};
  });
  form->FocusGraphic(form->WebLinkLabel1);
  SendMessageW(form->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  SendMessageW(form->Handle(), WM_KEYDOWN, VK_SPACE, 1 | 0x40000000);  // the key's repeat
  OmSetShellHandler(previous);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].file, texts::kWebsite);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(KeyboardStops, TheFocusRectangleShowsAroundThePictureAndGoesWithTheFocus) {
  form->btnGetRegPath->SetFocus();
  const int w = form->ClientWidth(), h = form->ClientHeight();
  TDib before(w, h), focused(w, h), after(w, h);
  Print(before);
  form->FocusGraphic(form->imgAbout);
  Print(focused);
  RECT ring = form->imgAbout->BoundsRect(), inside = ring;
  InflateRect(&ring, 1, 1);
  // Every other pixel of the one-pixel ring is dotted; the picture itself is not touched.
  const int ringPixels = 2 * (ring.right - ring.left + ring.bottom - ring.top) - 4;
  EXPECT_GE(Differences(before, focused, ring), ringPixels / 2 - 2);
  EXPECT_EQ(Differences(before, focused, inside), 0);
  form->btnGetRegPath->SetFocus();
  Print(after);
  EXPECT_EQ(Differences(before, after, RECT{0, 0, w, h}), 0);
}
