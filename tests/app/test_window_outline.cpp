// The main window's outline and dragging: the stored region against its rectangles, the
// region the window really has, clicks outside it, and moving the window with real input.
#include <gtest/gtest.h>
#include <algorithm>
#include <thread>
#include <vector>
#include "app/main_form.h"
#include "app/win32_system.h"
#include "framework/application.h"
#include "framework/form_reader.h"
#include "tests/app/real_window_fixture.h"
#include "tests/support/window_region.h"

namespace {
using TBytes = std::vector<unsigned char>;

// The outline: title tab, body with rounded corners, lower tab.
const RECT kOutline[] = {
    {19, 1, 492, 2},    {18, 2, 493, 3},    {17, 3, 494, 4},    {16, 4, 495, 5},    {16, 5, 496, 6},
    {15, 6, 496, 7},    {15, 7, 497, 8},    {14, 8, 497, 31},   {13, 31, 497, 32},  {9, 32, 592, 33},
    {7, 33, 594, 34},   {6, 34, 595, 35},   {5, 35, 596, 36},   {5, 36, 597, 37},   {4, 37, 598, 38},
    {3, 38, 599, 40},   {2, 40, 599, 389},  {3, 389, 598, 390}, {4, 390, 597, 392}, {5, 392, 596, 393},
    {6, 393, 595, 394}, {7, 394, 594, 395}, {8, 395, 593, 396}, {29, 396, 544, 437}, {30, 437, 544, 440},
    {31, 440, 543, 441}, {31, 441, 542, 442}, {32, 442, 542, 443}, {33, 443, 541, 444}, {34, 444, 539, 445},
    {36, 445, 537, 446},
};

void Put(TBytes& out, long v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(static_cast<unsigned long>(v) >> (8 * i)));
}

// "Mask2" as stored: count 528, then header (32, rectangles, 31, 496, bounds) and rectangles.
TBytes ExpectedMask() {
  TBytes out;
  for (long v : {528L, 32L, 1L, 31L, 496L, 2L, 1L, 599L, 446L}) Put(out, v);
  for (const RECT& r : kOutline)
    for (long v : {r.left, r.top, r.right, r.bottom}) Put(out, v);
  return out;
}

const TFormProperty* FindProperty(const TFormNode& root, const char* component, const char* property) {
  for (const TFormNode& child : root.children)
    if (child.name == component)
      for (const TFormProperty& p : child.properties)
        if (p.name == property) return &p;
  return nullptr;
}

using WindowOutlineTest = RealWindowTest;

TEST_F(WindowOutlineTest, StoredRegionIsTheOutlineAndSavesBackByteForByte) {
  const TBytes expected = ExpectedMask();
  ASSERT_EQ(expected.size(), 532u);
  const TFormNode description = ParseFormText(LoadTextResource("MAINFORM"));
  const TFormProperty* stored = FindProperty(description, "frmTrans", "Mask2");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->value.bytes, expected);
  const TFormNode written = WriteComponent(*form, "TForm1");
  const TFormProperty* saved = FindProperty(written, "frmTrans", "Mask2");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->value.bytes, expected);
}

TEST_F(WindowOutlineTest, WindowHasTheOutlineAndPointsOutsideItAreCutAway) {
  HWND window = form->Handle();
  const std::vector<RECT> rects = WindowRects(window);
  ASSERT_EQ(rects.size(), std::size(kOutline));
  for (size_t i = 0; i < rects.size(); ++i) EXPECT_TRUE(EqualRect(&rects[i], &kOutline[i])) << "rectangle " << i + 1;
  TGdiHandle<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  struct TPoint { int x, y; bool inside; };
  const TPoint points[] = {{5, 5, false},     {560, 420, false}, {40, 200, true}, {19, 1, true},  {18, 1, false},
                           {598, 40, true},   {599, 40, false},  {2, 40, true},    {1, 200, false}, {536, 445, true},
                           {537, 445, false}, {300, 446, false}, {28, 400, false}, {29, 400, true}};
  for (const TPoint& p : points) EXPECT_EQ(PtInRegion(region.Get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
  // The window, shown, answers hit tests the same way: clicks outside go to what is beneath.
  form->Show();
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(WindowFromPoint({frame.left + 40, frame.top + 200}), window);  // bare face
  EXPECT_NE(WindowFromPoint({frame.left + 5, frame.top + 5}), window);
  EXPECT_NE(WindowFromPoint({frame.left + 560, frame.top + 420}), window);
}

class WindowDragTest : public WindowOutlineTest {
protected:
  void SetUp() override {
    WindowOutlineTest::SetUp();
    form->Show();
    Application->ProcessMessages();
    GetWindowRect(form->Handle(), &start);
  }
  // A user's drag from another thread, paced like a hand, while this thread runs the window:
  // press `down` on the bare face, move by (dx, dy) in steps, release.
  void Drag(DWORD down, DWORD up, int dx, int dy) {
    const POINT from{start.left + 40, start.top + 200};  // no control there
    std::thread hand([=] {
      auto send = [](DWORD flags, int x, int y) {
        // Absolute positions: relative moves are accelerated by the system.
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
        in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
        SendInput(1, &in, sizeof(in));
        Sleep(30);
      };
      send(MOUSEEVENTF_MOVE, from.x, from.y);
      send(MOUSEEVENTF_MOVE | down, from.x, from.y);
      for (int i = 1; i <= 5; ++i) send(MOUSEEVENTF_MOVE, from.x + dx * i / 5, from.y + dy * i / 5);
      send(MOUSEEVENTF_MOVE | up, from.x + dx, from.y + dy);
    });
    const DWORD until = GetTickCount() + 600;
    while (GetTickCount() < until) {
      Application->ProcessMessages();
      Sleep(5);
    }
    hand.join();
    Application->ProcessMessages();
  }
  RECT Now() const {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return r;
  }
  RECT start{};
};

TEST_F(WindowDragTest, LeftDragMovesTheWindowByTheDistanceMoved) {
  Drag(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 50, 30);
  const RECT after = Now();
  EXPECT_EQ(after.left - start.left, 50);
  EXPECT_EQ(after.top - start.top, 30);
  EXPECT_EQ(after.right - after.left, start.right - start.left);
  // The window's own idea of where it is follows.
  EXPECT_EQ(form->Left(), after.left);
  EXPECT_EQ(form->Top(), after.top);
}

TEST_F(WindowDragTest, RightDragMovesNothing) {
  Drag(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 50, 30);
  const RECT after = Now();
  EXPECT_TRUE(EqualRect(&after, &start));
}

}  // namespace
