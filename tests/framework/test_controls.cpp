// The control tree at work in a real window: window-less children painted in creation order
// and clipped, mouse input routed to them with capture, hints after a pause, and exceptions
// from handlers reaching the application's error box.
#include <gtest/gtest.h>
#include "tests/support/dib.h"
#include <atomic>
#include <string>
#include <thread>
#include "framework/application.h"
#include "tests/support/plain_form.h"
#include "framework/image.h"
#include "framework/msgbox.h"
#include "tests/support/menu_probe.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/registry.h"
#include "framework/std_label.h"

namespace {
// A window-less control that fills itself with one colour.
class TSwatch : public TGraphicControl {
public:
  TSwatch(TComponent* owner, TColor color) : TGraphicControl(owner) { SetColor(color); }
protected:
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    RECT r{-100, -100, 1000, 1000};  // larger than the control: the parent clips it
    Canvas().FillRect(r);
  }
};

class ControlTreeTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = NewPlainForm();
  }
  void TearDown() override { delete form; }
  TSwatch* AddSwatch(int left, int top, int width, int height, TColor color) {
    auto* swatch = new TSwatch(form, color);
    swatch->SetBounds(left, top, width, height);
    swatch->SetParent(form);
    return swatch;
  }
  // The form's client as the framework paints it, read back from a 32-bit DIB.
  COLORREF PixelAt(int x, int y) { return PrintedPixel(form->Handle(), x, y); }
  void Mouse(UINT msg, int x, int y) { SendMessageW(form->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y)); }
  TForm* form = nullptr;
};

TEST_F(ControlTreeTest, LaterChildrenPaintOverEarlierOnesAndEachIsClippedToItsBounds) {
  AddSwatch(10, 10, 50, 50, clRed);
  AddSwatch(40, 40, 50, 50, clBlue);
  form->HandleNeeded();
  EXPECT_EQ(PixelAt(20, 20), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(45, 45), RGB(0, 0, 255));  // the overlap: created last, drawn last
  EXPECT_EQ(PixelAt(95, 95), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(5, 5), RGB(255, 255, 255));  // outside both: the form's colour
}

TEST_F(ControlTreeTest, HiddenChildrenAreNeitherPaintedNorClicked) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  int clicks = 0;
  swatch->OnClick = [&](TObject*) { ++clicks; };
  swatch->SetVisible(false);
  form->HandleNeeded();
  EXPECT_EQ(PixelAt(20, 20), RGB(255, 255, 255));
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ControlTreeTest, AClickNeedsPressAndReleaseOnTheSameChild) {
  TSwatch* under = AddSwatch(10, 10, 50, 50, clRed);
  TSwatch* top = AddSwatch(40, 10, 50, 50, clBlue);
  std::string clicks;
  under->OnClick = [&](TObject*) { clicks += "under "; };
  top->OnClick = [&](TObject*) { clicks += "top "; };
  form->HandleNeeded();
  Mouse(WM_LBUTTONDOWN, 45, 20);  // the overlap belongs to the topmost
  Mouse(WM_LBUTTONUP, 45, 20);
  Mouse(WM_LBUTTONDOWN, 15, 20);
  Mouse(WM_LBUTTONUP, 150, 90);  // released outside: the press is cancelled, not moved on
  Mouse(WM_LBUTTONDOWN, 150, 90);
  Mouse(WM_LBUTTONUP, 15, 20);   // pressed on the form: no child click
  EXPECT_EQ(clicks, "top ");
}

TEST_F(ControlTreeTest, TheHintShowsAfterThePauseAndGoesWithTheMouse) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  swatch->SetHint("Exit this application");
  swatch->SetShowHint(true);
  form->Show();
  Application->MouseOver(swatch);
  EXPECT_FALSE(Application->HintShowing());
  const DWORD start = GetTickCount();
  while (!Application->HintShowing() && GetTickCount() - start < 3000) {
    Application->ProcessMessages();
    Sleep(20);
  }
  const DWORD waited = GetTickCount() - start;
  EXPECT_TRUE(Application->HintShowing());
  EXPECT_GE(waited + 50, static_cast<DWORD>(Application->HintPause()));
  EXPECT_EQ(Application->HintText(), "Exit this application");
  Application->MouseOver(nullptr);
  EXPECT_FALSE(Application->HintShowing());
}

TEST_F(ControlTreeTest, TheTaskBarButtonComesOnlyOnceTheMainFormIsUpAndTheProgramWaits) {
  Application->SetMainForm(form);
  Application->ShowMainForm();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  const DWORD start = GetTickCount();
  while (!IsWindowVisible(Application->Handle()) && GetTickCount() - start < 2000) {
    Application->ProcessMessages();
    Sleep(5);
  }
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  EXPECT_EQ(GetForegroundWindow(), form->Handle());  // the button came without taking the activation
  ShowWindow(Application->Handle(), SW_HIDE);
  Application->SetMainForm(nullptr);
}

// Down, up, double click, up: one click and one double click, on a child and on a window alike.
TEST_F(ControlTreeTest, ADoubleClickClicksOnceThenRaisesOnDblClick) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  auto* panel = new TCustomControl(form);
  panel->SetBounds(100, 10, 50, 50);
  panel->SetParent(form);
  std::string events;
  for (TControl* c : {static_cast<TControl*>(swatch), static_cast<TControl*>(panel)}) {
    c->OnClick = [&](TObject*) { events += "click "; };
    c->OnDblClick = [&](TObject*) { events += "double "; };
  }
  form->HandleNeeded();
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(msg, 20, 20);
  EXPECT_EQ(events, "click double ");
  events.clear();
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageW(panel->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(events, "click double ");
  swatch->SetControlStyle(swatch->ControlStyle() - TControlStyle{csDoubleClicks});
  events.clear();
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(msg, 20, 20);
  EXPECT_EQ(events, "click click ");  // without double clicks the second press is a press
}

// Other programs may post input to a window a box holds disabled: it starts nothing.
TEST_F(ControlTreeTest, InputToADisabledFormIsDropped) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  int clicks = 0;
  swatch->OnClick = [&](TObject*) { ++clicks; };
  form->HandleNeeded();
  EnableWindow(form->Handle(), FALSE);
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(clicks, 0);
  EnableWindow(form->Handle(), TRUE);
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTreeTest, AButtonAnswersItsAcceleratorOnceAndOnlyWhenItCanFocus) {
  auto* button = new TButton(form);
  button->SetCaption("&Get");
  button->SetParent(form);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g'), 1);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'e'), 0);
  button->SetEnabled(false);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'G'), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTreeTest, EnterPressesTheFocusedButtonAndEscapeTheCancelButton) {
  std::string pressed;
  auto button = [&](const char* name, int left) {
    auto* b = new TButton(form);
    b->SetName(name);
    b->SetBounds(left, 10, 60, 25);
    b->SetParent(form);
    b->OnClick = [&pressed, name](TObject*) { pressed += std::string(name) + " "; };
    return b;
  };
  TButton* first = button("first", 10);
  TButton* second = button("second", 80);
  second->SetCancel(true);
  form->Show();
  EXPECT_TRUE(first->Focused());  // the first tab stop
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 1);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
  form->Perform(CM_DIALOGKEY, VK_TAB);
  EXPECT_TRUE(second->Focused());
  form->Perform(CM_DIALOGKEY, VK_RETURN);
  EXPECT_EQ(pressed, "first second second ");
  first->SetCancel(false);
  second->SetCancel(false);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 0);  // nobody takes it
}

TEST(ErrorBox, MessageGetsAFullStopOnlyWhenItHasNone) {
  EXPECT_EQ(TApplication::ErrorBoxText("Invalid data type for 'EXE Path'"), "Invalid data type for 'EXE Path'.");
  EXPECT_EQ(TApplication::ErrorBoxText("Already ends."), "Already ends.");
}

// Answers the error box from another thread and keeps its text; never leaves a box hanging.
class TErrorBoxAnswer {
public:
  TErrorBoxAnswer() : testThread_(GetCurrentThreadId()), reader_([this] { Answer(); }) {}
  ~TErrorBoxAnswer() { Join(); }
  void Join() { if (reader_.joinable()) reader_.join(); }
  std::atomic<bool> answered{false};
  std::wstring text;
private:
  void Answer() {
    for (int i = 0; i < 100 && !answered; ++i, Sleep(50)) {
      // The application window has the same caption: the box is the one with an OK button.
      for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, nullptr, L"Ostrimark Tests"));) {
        HWND ok = FindWindowExW(box, nullptr, L"Button", L"OK");
        if (!ok) continue;
        for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s; s = FindWindowExW(box, s, L"Static", nullptr)) {
          wchar_t buffer[256] = L"";
          GetWindowTextW(s, buffer, 256);
          if (buffer[0]) text = buffer;
        }
        PostMessageW(ok, BM_CLICK, 0, 0);
        answered = true;
        break;
      }
    }
    if (!answered) PostThreadMessageW(testThread_, WM_QUIT, 0, 0);
  }
  DWORD testThread_;
  std::thread reader_;
};

TEST_F(ControlTreeTest, AnExceptionInAHandlerIsShownInTheErrorBoxAndTheProgramGoesOn) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  swatch->OnClick = [](TObject*) { throw ERegistryException("Invalid data type for 'EXE Path'"); };
  form->Show();
  TErrorBoxAnswer box;
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);  // returns once the box is answered
  box.Join();
  EXPECT_TRUE(box.answered);
  EXPECT_EQ(box.text, L"Invalid data type for 'EXE Path'.");
  EXPECT_TRUE(IsWindow(form->Handle()));
}

// Enter reaches the focused button from the message loop, outside any window procedure.
TEST_F(ControlTreeTest, AnExceptionFromADialogKeyIsShownInTheErrorBoxToo) {
  auto* button = new TButton(form);
  button->SetBounds(10, 10, 60, 25);
  button->SetParent(form);
  button->OnClick = [](TObject*) { throw ERegistryException("Invalid data type for 'EXE Path'"); };
  form->Show();
  ASSERT_TRUE(button->Focused());
  TErrorBoxAnswer box;
  PostMessageW(button->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Application->ProcessMessages();  // returns once the box is answered
  box.Join();
  EXPECT_TRUE(box.answered);
  EXPECT_EQ(box.text, L"Invalid data type for 'EXE Path'.");
  EXPECT_TRUE(IsWindow(form->Handle()));
}
}  // namespace

namespace {
// A button's modal result ends its form's ShowModal with it; Close ends it with mrCancel; the
// other windows of the program are disabled while it runs and enabled after.
TEST_F(ControlTreeTest, AModalFormEndsWithItsButtonsResultOrCancelOnClose) {
  form->Show();
  TForm* dialog = NewPlainForm();
  auto* yes = new TButton(dialog);
  yes->SetModalResult(mrYes);
  yes->SetParent(dialog);
  bool othersDisabled = false;
  yes->OnClick = [&](TObject*) { othersDisabled = !IsWindowEnabled(form->Handle()); };
  dialog->HandleNeeded();
  yes->HandleNeeded();
  PostMessageW(yes->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_TRUE(othersDisabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(dialog->Visible());
  PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(form->Visible());  // Close of a modal form ends only the modal state
  delete dialog;
}
}  // namespace

namespace {
// Anchored children follow a parent's resize: stretched when held by both sides, moved when
// held by the far one, centred when held by neither; unanchored (left, top) ones stay.
TEST_F(ControlTreeTest, AnchoredChildrenFollowTheParentsResize) {
  TSwatch* stay = AddSwatch(10, 10, 20, 20, clRed);
  TSwatch* stretch = AddSwatch(10, 40, 20, 20, clRed);
  TSwatch* corner = AddSwatch(150, 60, 20, 20, clRed);
  TSwatch* centred = AddSwatch(90, 40, 20, 20, clRed);
  stretch->SetAnchors({akLeft, akTop, akRight});
  corner->SetAnchors({akRight, akBottom});
  centred->SetAnchors({});
  int resizes = 0;
  form->OnResize = [&](TObject*) { ++resizes; };
  form->HandleNeeded();
  form->SetClientSize(260, 140);  // 60 wider, 40 taller
  EXPECT_EQ(stay->BoundsRect().right, 30);
  EXPECT_EQ(stretch->Width(), 80);
  EXPECT_EQ(corner->Left(), 210);
  EXPECT_EQ(corner->Top(), 100);
  EXPECT_EQ(centred->Left(), 120);
  EXPECT_EQ(centred->Top(), 60);
  EXPECT_EQ(resizes, 1);
}

// A right-click over a window-less child with a popup menu shows that menu at the pointer; the
// menu's own window is read while it is up.
TEST_F(ControlTreeTest, ARightClickShowsTheChildsPopupMenu) {
  TSwatch* swatch = AddSwatch(10, 10, 50, 50, clRed);
  TPopupMenu menu(nullptr);
  menu.Add("Item");
  swatch->SetPopupMenu(&menu);
  form->Show();
  POINT at{20, 30};
  ClientToScreen(form->Handle(), &at);
  const RECT menuAt = MenuShownBy([&] {
    SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(at.x, at.y));
  });
  EXPECT_EQ(menuAt.left, at.x);
  EXPECT_EQ(menuAt.top, at.y);
}
}  // namespace
