// The label family's behaviour: the redraw rule, auto-size as a fixed point, bounds-change kinds,
// jumps and the web link through the shell seam, theme switches, twinkle timers, accelerators,
// and the background step after a failed theme erase.
#include "tests/controls/labels/label_fixture.h"
#include "controls/labels/form_shape.h"
#include "controls/labels/group_box.h"
#include "controls/labels/label.h"
#include "controls/labels/simple_label.h"
#include "controls/labels/timer_service.h"
#include "controls/labels/web_link_label.h"
#include "framework/application.h"
#include "framework/form_reader.h"

namespace {
class TCountingLabel : public TOmLabel {
public:
  using TOmLabel::TOmLabel;
  int paints = 0;
protected:
  void Paint() override { ++paints; TOmLabel::Paint(); }
};

bool Pending(HWND window) {
  RECT r;
  return GetUpdateRect(window, &r, FALSE) != 0;
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(5);
  }
}
}  // namespace

using LabelBehaviour = LabelTest;

TEST_F(LabelBehaviour, OpaqueLabelsPaintAtOnceOnlyWhenShownTransparentOnesInvalidate) {
  auto* label = new TCountingLabel(form);
  label->SetParent(form);
  label->SetCaption("Redraw");
  label->SetTransparent(false);
  // Hidden: no window is made and nothing is painted.
  label->RedrawNow();
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_EQ(label->paints, 0);
  form->Show();
  UpdateWindow(form->Handle());
  const int shown = label->paints;
  label->RedrawNow();
  EXPECT_EQ(label->paints, shown + 1);
  EXPECT_FALSE(Pending(form->Handle()));
  EXPECT_TRUE(label->ControlStyle().Contains(csOpaque));
  label->SetTransparent(true);  // the parent repaints what lies under it first
  EXPECT_FALSE(label->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(label->paints, shown + 1);
  EXPECT_TRUE(Pending(form->Handle()));
  UpdateWindow(form->Handle());
  label->SetTransparent(false);  // back to opaque: painted at once
  EXPECT_EQ(label->paints, shown + 3);
}

TEST_F(LabelBehaviour, AutoSizeIsAFixedPointAndKeepsTheLastLineInside) {
  auto* label = new TOmLabel(form);
  label->SetParent(form);
  label->Bevel()->SetMode(bmStandard);
  label->Bevel()->SetBorderInnerWidth(3);
  label->SetMultiLine(true);
  label->SetBounds(0, 0, 120, 30);
  label->SetCaption("A caption long enough to wrap onto several lines in a narrow label");
  const RECT first = label->BoundsRect();
  for (int i = 0; i < 3; ++i) label->Perform(CM_TEXTCHANGED);
  const RECT again = label->BoundsRect();
  EXPECT_TRUE(EqualRect(&first, &again));
  EXPECT_LE(label->Width(), 120);
  // The text as painted: wrapped at the width inside the bevel, it needs no more than the height.
  const int e = label->Bevel()->Extent();
  TDib dib(1, 1);
  SelectObject(dib.DC(), label->Font()->Handle());
  RECT need{0, 0, label->Width() - 2 * e, 0};
  DrawTextA(dib.DC(), label->Caption().c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  EXPECT_LE(need.bottom + 2 * e, label->Height());
  RECT line{0, 0, 0, 0};
  DrawTextA(dib.DC(), "A", -1, &line, DT_CALCRECT);
  EXPECT_GE(need.bottom, 2 * line.bottom);  // several lines indeed
}

TEST_F(LabelBehaviour, BoundsChangesReportTheirKinds) {
  auto* label = new TOmLabel(form);
  label->SetAutoSize(false);
  std::vector<TOmBoundsChanges> seen;
  label->OnBoundsChanged = [&](TObject*, TOmBoundsChanges kinds) { seen.push_back(kinds); };
  label->SetBounds(0, 0, 30, 30);
  label->SetBounds(5, 0, 30, 30);
  label->SetBounds(5, 0, 40, 30);
  label->SetBounds(0, 1, 41, 30);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], TOmBoundsChanges{bcMoved});
  EXPECT_EQ(seen[1], TOmBoundsChanges{bcResized});
  EXPECT_EQ(seen[2], (TOmBoundsChanges{bcMoved, bcResized}));
}

TEST_F(LabelBehaviour, SimpleLabelJumpsThroughTheShellInEachMode) {
  auto* label = new TOmSimpleLabel(form);
  label->SetParent(form);
  label->OnClick = [this](TObject*) { events.push_back("click"); };
  label->SetCaption("someone@example.com");
  label->Click();  // jmNone: only the click event
  label->SetJumpMode(jmInternet);
  EXPECT_EQ(label->Font()->Color(), clBlue);
  EXPECT_TRUE(label->Font()->Style().Contains(fsUnderline));
  EXPECT_EQ(label->Cursor(), crHandPoint);
  label->Click();  // a mail address from the caption
  label->SetJump("  ");
  label->Click();  // blank jump: still the caption
  label->SetJump(" site ");
  label->Click();  // a jump is used as stored
  label->SetJump("");
  label->SetJumpMode(jmApplication);
  label->Click();  // no "mailto:" for an application
  label->SetJumpMode(jmCustom);
  label->Click();
  EXPECT_EQ(events, (std::vector<std::string>{"click", "shell mailto:someone@example.com",
                                              "shell mailto:someone@example.com", "shell  site ",
                                              "shell someone@example.com", "click"}));
  EXPECT_EQ(requests[0].verb, "");
  EXPECT_EQ(requests[0].show, SW_SHOWNORMAL);
  // A failed internet jump disables the label and ends the jumping.
  label->SetJumpMode(jmInternet);
  shellResult = 2;
  label->Click();
  EXPECT_FALSE(label->Enabled());
  EXPECT_EQ(label->JumpMode(), jmNone);
}

TEST_F(LabelBehaviour, WebLinkRunsItsClickFirstAndOpensOnlyAnAddress) {
  auto* link = new TWebLinkLabel(form);
  link->OnClick = [this](TObject*) { events.push_back("click"); };
  link->Click();
  EXPECT_TRUE(requests.empty());
  link->SetUrlOrEmail("https://quarnel.example/");
  link->Click();
  EXPECT_EQ(events, (std::vector<std::string>{"click", "click", "shell https://quarnel.example/"}));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].verb, "open");
  EXPECT_EQ(requests[0].owner, Application->Handle());
  EXPECT_EQ(link->Font()->Color(), clBlue);  // no visited colour
}

TEST_F(LabelBehaviour, ThemeSwitchAndThemeMessageRepaintTheBoxInTheOtherLook) {
  if (!ThemesInUse()) GTEST_SKIP() << "the prefix has no active theme";
  auto* box = new TOmGroupBox(form);
  box->SetParent(form);
  box->Bevel()->SetMode(bmWindows);
  box->SetCaption("Box");
  form->Show();
  UpdateWindow(form->Handle());
  TDib themed(185, 105), classic(185, 105);
  Print(*box, themed);
  ASSERT_FALSE(Pending(box->Handle()));
  SetThemesWanted(false);
  EXPECT_TRUE(Pending(box->Handle()));
  Print(*box, classic);
  EXPECT_FALSE(classic.SameAs(themed));
  UpdateWindow(box->Handle());
  SendMessageW(box->Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_TRUE(Pending(box->Handle()));
}

TEST_F(LabelBehaviour, TwinkleTimersAreClampedAndGoWithTheirLabel) {
  TOmTimerService& timers = TOmTimerService::Instance();
  const int before = timers.Count();
  auto* label = new TOmLabel(form);
  label->SetParent(form);
  label->SetCaption("Blink");
  label->SetTwinkleVisible(0);       // would spin
  label->SetTwinkleInVisible(70000);  // would be cut to 4464 ms as a 16-bit count
  label->SetTwinkle(true);
  const int id = label->TwinkleTimer();
  EXPECT_EQ(timers.Interval(id), static_cast<unsigned>(USER_TIMER_MINIMUM));
  form->Show();
  Pump(100);
  EXPECT_TRUE(label->InVisiblePhase());  // one tick, then the long invisible phase
  EXPECT_EQ(timers.Interval(id), 70000u);
  label->SetTwinkle(false);
  EXPECT_FALSE(label->InVisiblePhase());
  EXPECT_EQ(timers.Count(), before);
  label->SetTwinkleInVisible(10);
  label->SetTwinkle(true);
  delete label;  // a tick already due must find nothing
  EXPECT_EQ(timers.Count(), before);
  Pump(50);
}

TEST_F(LabelBehaviour, GroupBoxAcceleratorFocusesItsFirstFocusableChildOrNothing) {
  auto* box = new TOmGroupBox(form);
  box->SetParent(form);
  box->SetCaption("&Path");
  auto* first = new TCustomControl(form);
  first->SetParent(box);
  auto* second = new TCustomControl(form);
  second->SetParent(box);
  form->Show();
  first->SetEnabled(false);
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p'), 1);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'x'), 0);
  form->SetFocus();
  second->SetEnabled(false);
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'P'), 0);  // nothing can take it
  EXPECT_FALSE(first->Focused() || second->Focused());
  // A label hands its accelerator to its focus control.
  auto* label = new TOmLabel(form);
  label->SetParent(form);
  label->SetCaption("&Go");
  second->SetEnabled(true);
  label->SetFocusControl(second);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'g'), 1);
  EXPECT_TRUE(second->Focused());
  delete second;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

namespace {
// A transparent panel whose theme erase fails.
class TFailingErase : public TOmCustomPanel {
public:
  using TOmCustomPanel::TOmCustomPanel;
protected:
  bool UsesThemeParentBackground() const override { return true; }
  bool DrawThemeParentBackgroundOn(HDC, const RECT*) override { return false; }
};
}  // namespace

TEST_F(LabelBehaviour, FailedThemeEraseFallsThroughToTheFill) {
  auto* panel = new TFailingErase(form);
  panel->SetParent(form);
  panel->SetTransparent(true);
  panel->SetColor(RGB(10, 20, 30));
  TDib dib(100, 40, RGB(255, 0, 255));
  Print(*panel, dib);
  EXPECT_FALSE(panel->ThemeBackgroundDone());
  EXPECT_EQ(dib.Count(RGB(10, 20, 30)), 100 * 40);
}

TEST_F(LabelBehaviour, LoadedJumpLabelsPointAndFollowJumpUnderlineAndLabelsDefaultToWindowColour) {
  TClassRegistry::Instance().Register<TOmSimpleLabel>("TOmSimpleLabel");
  form->LoadDescription(R"(object F: TForm
  object Mode: TOmSimpleLabel
    JumpMode = jmApplication
  end
  object Stored: TOmSimpleLabel
    Cursor = -2
    JumpMode = jmCustom
  end
  object Legacy: TOmSimpleLabel
    UseAsJump = True
    JumpUnderline = False
  end
end
)", [](const std::string&) { return std::vector<unsigned char>{}; });
  auto* mode = static_cast<TOmSimpleLabel*>(form->FindComponent("Mode"));
  auto* legacy = static_cast<TOmSimpleLabel*>(form->FindComponent("Legacy"));
  EXPECT_EQ(mode->Cursor(), crHandPoint);
  EXPECT_EQ(static_cast<TControl*>(form->FindComponent("Stored"))->Cursor(), crArrow);  // a stored cursor wins
  EXPECT_EQ(legacy->Cursor(), crHandPoint);
  EXPECT_FALSE(legacy->Font()->Style().Contains(fsUnderline));
  legacy->SetJumpUnderline(true);
  EXPECT_TRUE(legacy->Font()->Style().Contains(fsUnderline));
  TOmLabel plain(nullptr);
  EXPECT_EQ(plain.Color(), clWindow);
  EXPECT_EQ(TOmSimpleLabel(nullptr).Color(), clWindow);
}

TEST_F(LabelBehaviour, SimpleLabelMultiLineAutoSizeIsAFixedPoint) {
  auto* label = new TOmSimpleLabel(form);
  label->SetParent(form);
  label->SetMultiLine(true);
  label->SetBounds(0, 0, 120, 30);
  label->SetCaption("A caption long enough to wrap onto several lines in a narrow label");
  const RECT first = label->BoundsRect();
  for (int i = 0; i < 3; ++i) label->Perform(CM_TEXTCHANGED);
  const RECT again = label->BoundsRect();
  EXPECT_TRUE(EqualRect(&first, &again)) << label->Width() << "x" << label->Height();
  EXPECT_LE(label->Width(), 120);
}

TEST_F(LabelBehaviour, GroupBoxMovesAlignedChildrenWhenItsCaptionBandChanges) {
  auto* box = new TOmGroupBox(form);
  box->SetParent(form);
  box->SetCaption("Band");
  auto* child = new TCustomControl(form);
  child->SetAlign(alTop);
  child->SetParent(box);
  form->HandleNeeded();
  const int before = child->Top();
  box->CaptionFont()->SetHeight(-30);
  EXPECT_GT(child->Top(), before);
  EXPECT_GE(child->Top(), OmCaptionLineHeight(nullptr, *box->CaptionFont()));
  box->SetAlignment(gcaLeftCenter);
  EXPECT_GE(child->Left(), OmCaptionLineHeight(nullptr, *box->CaptionFont()));
}

TEST_F(LabelBehaviour, AGroupBoxKeepsItsWindowsFrameInsetThroughABevelChange) {
  auto* box = new TOmGroupBox(form);
  box->SetParent(form);
  box->Bevel()->SetMode(bmWindows);
  auto* child = new TCustomControl(form);
  child->SetAlign(alClient);
  child->SetParent(box);
  form->HandleNeeded();
  const HWND window = box->Handle();
  box->Bevel()->SetBorderInnerWidth(3);
  EXPECT_EQ(box->Handle(), window);  // its own frame: nothing to recreate
  EXPECT_FALSE(box->Bevel()->WindowBorderSupport());
  EXPECT_EQ(child->Left(), 3 + 2);
}

// The caption and frame of each of the twelve alignments, for a 200 x 100 box, band 14, offset 8.
TEST(GroupBoxLayout, EachAlignmentPutsCaptionAndFrameOnItsSide) {
  struct TCase { TOmGroupCaptionAlign a; RECT caption, frame; int angle; };
  const RECT top{0, 6, 200, 100}, left{6, 0, 200, 100}, bottom{0, 0, 200, 94}, right{0, 0, 194, 100};
  const TCase cases[] = {
      {gcaTopLeft, {8, 0, 200, 14}, top, 0},         {gcaTopCenter, {0, 0, 200, 14}, top, 0},
      {gcaTopRight, {0, 0, 192, 14}, top, 0},        {gcaLeftBottom, {0, 0, 14, 92}, left, 90},
      {gcaLeftCenter, {0, 0, 14, 100}, left, 90},    {gcaLeftTop, {0, 8, 14, 100}, left, 90},
      {gcaBottomLeft, {8, 86, 200, 100}, bottom, 0}, {gcaBottomCenter, {0, 86, 200, 100}, bottom, 0},
      {gcaBottomRight, {0, 86, 192, 100}, bottom, 0}, {gcaRightTop, {186, 10, 200, 100}, right, 270},
      {gcaRightCenter, {186, 2, 200, 100}, right, 270}, {gcaRightBottom, {186, 2, 200, 92}, right, 270},
  };
  for (const TCase& c : cases) {
    RECT caption{}, frame{};
    OmGroupBoxLayout(c.a, 200, 100, 14, 8, caption, frame);
    EXPECT_TRUE(EqualRect(&caption, &c.caption)) << c.a;
    EXPECT_TRUE(EqualRect(&frame, &c.frame)) << c.a;
    EXPECT_EQ(OmGroupCaptionPlace(c.a).angle, c.angle) << c.a;
  }
}

// A form owning a form shape with a picture supplies it to transparent controls on it: a label
// leaves its background to it, a panel maps its points into it and copies the part behind it.
TEST_F(LabelBehaviour, AFormShapesPictureShowsThroughTransparentControls) {
  struct TProbeLabel : TOmLabel {
    using TOmLabel::TOmLabel;
    using TOmBaseGraphicControl::ParentSuppliesBackground;
  };
  auto* shape = new TOmFormShape(form);
  auto* label = new TProbeLabel(form);
  label->SetParent(form);
  auto* box = new TOmGroupBox(form);
  box->SetBounds(40, 30, 100, 60);
  box->SetParent(form);
  form->HandleNeeded();
  EXPECT_FALSE(label->ParentSuppliesBackground());  // no picture yet
  shape->Image()->SetSize(300, 200);
  shape->Image()->Canvas().Brush().SetColor(clBlue);
  shape->Image()->Canvas().FillRect(RECT{0, 0, 300, 200});
  shape->Image()->Canvas().Brush().SetColor(clRed);
  shape->Image()->Canvas().FillRect(RECT{40, 30, 60, 40});
  EXPECT_TRUE(label->ParentSuppliesBackground());
  EXPECT_FALSE(box->HasBackgroundImage());  // an opaque box paints its own
  box->SetTransparent(true);
  EXPECT_FALSE(box->ControlStyle().Contains(csOpaque));
  ASSERT_TRUE(box->HasBackgroundImage());
  EXPECT_EQ(box->BackgroundImage(), shape->Image());
  const POINT origin = box->MapToBackground(POINT{0, 0});
  EXPECT_EQ(origin.x, 40 + (box->Width() - box->ClientWidth()) / 2);
  TBitmap copy;
  copy.SetSize(4, 4);
  ASSERT_TRUE(box->CopyBackground(copy.Canvas(), RECT{0, 0, 4, 4}, 0, POINT{0, 0}));
  EXPECT_EQ(GetPixel(copy.Canvas().Handle(), 0, 0), RGB(255, 0, 0));
}

// The windowed base's image list: by reference or by a shared list's stored name, negative
// indexes refused, a freed list forgotten.
TEST_F(LabelBehaviour, AWindowedControlsImageListLoadsAndIsForgottenWhenFreed) {
  TClassRegistry::Instance().Register<TOmGroupBox>("TOmGroupBox");
  auto* list = new TOmCustomImageList(form);
  list->SetName("List1");
  form->LoadDescription("object F: TForm\n  object G: TOmGroupBox\n    ImageList = List1\n    ImageIndex = 2\n"
                        "  end\n  object H: TOmGroupBox\n    Internal = 'OMIML30'\n  end\nend\n",
                        [](const std::string&) { return std::vector<unsigned char>{}; });
  auto* box = static_cast<TOmGroupBox*>(form->FindComponent("G"));
  EXPECT_EQ(box->ImageList(), list);
  box->SetImageIndex(-1);
  box->SetListIndex(-3);
  EXPECT_EQ(box->ImageIndex(), 2);
  EXPECT_EQ(box->ListIndex(), 0);
  EXPECT_EQ(static_cast<TOmGroupBox*>(form->FindComponent("H"))->ImageList(), &OmSharedImageList());
  delete list;
  EXPECT_EQ(box->ImageList(), nullptr);
}

TEST(BackgroundEffect, ForgetsAnImageListThatGoes) {
  TOmBitmapEffectObject fx;
  {
    TOmCustomImageList list(nullptr);
    fx.SetImageList(&list);
    EXPECT_EQ(fx.ImageList(), &list);
  }
  EXPECT_EQ(fx.ImageList(), nullptr);
}

// The windowed base raises its focus events from posted messages: nothing inside the focus
// change itself, both once the queue is run.
TEST_F(LabelBehaviour, FocusEventsOfAWindowedControlComeAfterTheFocusChange) {
  auto* box = new TOmGroupBox(form);
  box->SetParent(form);
  auto* other = new TOmGroupBox(form);
  other->SetBounds(0, 100, 100, 40);
  other->SetParent(form);
  std::vector<std::string> seen;
  box->OnFocusGained = [&](TObject*) { seen.push_back("gained"); };
  box->OnFocusLost = [&](TObject*) { seen.push_back("lost"); };
  form->Show();
  SetFocus(box->Handle());
  EXPECT_EQ(GetFocus(), box->Handle());
  EXPECT_TRUE(seen.empty());
  Pump(50);
  SetFocus(other->Handle());
  EXPECT_EQ(seen, std::vector<std::string>{"gained"});
  Pump(50);
  EXPECT_EQ(seen, (std::vector<std::string>{"gained", "lost"}));
}

// A transparent panel over a form-shape picture that changes size repaints at once and tells its
// children: a transparent child repaints at once too, an opaque one only invalidates.
TEST_F(LabelBehaviour, ANewSizeReachesChildrenShowingTheBackground) {
  struct TCountingBox : TOmGroupBox {
    using TOmGroupBox::TOmGroupBox;
    int paints = 0;
    void Paint() override { ++paints; TOmGroupBox::Paint(); }
  };
  auto* shape = new TOmFormShape(form);
  shape->Image()->SetSize(300, 200);
  auto* outer = new TCountingBox(form);
  outer->SetBounds(10, 10, 200, 150);
  outer->SetTransparent(true);
  outer->SetParent(form);
  auto* seeThrough = new TCountingBox(form);
  seeThrough->SetBounds(10, 20, 80, 50);
  seeThrough->SetTransparent(true);
  seeThrough->SetParent(outer);
  auto* opaque = new TCountingBox(form);
  opaque->SetBounds(100, 20, 80, 50);
  opaque->SetParent(outer);
  form->Show();
  Pump(50);
  const int seeThroughBefore = seeThrough->paints, opaqueBefore = opaque->paints;
  outer->SetBounds(10, 10, 210, 160);
  EXPECT_GT(seeThrough->paints, seeThroughBefore);
  EXPECT_FALSE(Pending(seeThrough->Handle()));
  EXPECT_EQ(opaque->paints, opaqueBefore);
  EXPECT_TRUE(Pending(opaque->Handle()));
}

// Aligned children of a bevel panel stay inside the bevel, also when its rings grow.
TEST_F(LabelBehaviour, BevelPanelChildrenAlignInsideTheBevel) {
  auto* panel = new TOmCustomBevelPanel(form);
  panel->SetBounds(0, 0, 120, 80);
  panel->Bevel()->SetMode(bmStandard);
  panel->Bevel()->SetBorderWidth(3);
  panel->SetParent(form);
  auto* child = new TCustomControl(form);
  child->SetAlign(alClient);
  child->SetParent(panel);
  form->HandleNeeded();
  auto inner = [&] { return panel->Bevel()->InnerRect(panel->ClientRect()); };
  RECT expected = inner(), actual = child->BoundsRect();
  EXPECT_TRUE(EqualRect(&actual, &expected));
  EXPECT_GT(expected.left, 0);
  panel->Bevel()->SetBorderWidth(6);
  expected = inner();
  actual = child->BoundsRect();
  EXPECT_TRUE(EqualRect(&actual, &expected));
}
