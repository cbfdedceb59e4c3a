// The shaped form on small forms of our own: the stored region and who owns it, bad region
// data, placement and parent rules, design mode, the press that starts the move, GDI leaks.
#include <gtest/gtest.h>
#include "tests/support/load_error.h"
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include "controls/shape/shaped_form.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/win_control.h"
#include "tests/support/gdi_count.h"
#include "tests/support/window_region.h"

namespace {
using TBytes = std::vector<unsigned char>;

void PutDword(TBytes& out, size_t at, DWORD v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A region data block as the system writes it: header, then the rectangles.
TBytes Block(const std::vector<RECT>& rects) {
  TBytes block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RECT bounds = rects.empty() ? RECT{} : rects.front();
  for (const RECT& r : rects) UnionRect(&bounds, &bounds, &r);
  RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()),
                       static_cast<DWORD>(rects.size() * sizeof(RECT)), bounds};
  std::memcpy(block.data(), &header, sizeof(header));
  if (!rects.empty()) std::memcpy(block.data() + sizeof(header), rects.data(), rects.size() * sizeof(RECT));
  return block;
}

// The stored form: the byte count, then the block.
TBytes Stored(const TBytes& block) {
  TBytes out(4 + block.size());
  PutDword(out, 0, static_cast<DWORD>(block.size()));
  std::copy(block.begin(), block.end(), out.begin() + 4);
  return out;
}

// A tab on top of a body, in the system's band order.
const std::vector<RECT> kTab = {{10, 0, 190, 10}, {0, 10, 200, 100}};

std::string Hex(const TBytes& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char b : bytes) { s += digits[b >> 4]; s += digits[b & 15]; }
  return s;
}

std::string Description(const TBytes& mask, const std::string& extra = "") {
  return "object Host: TForm\n"
         "  BorderStyle = bsSizeable\n"
         "  ClientWidth = 200\n"
         "  ClientHeight = 100\n"
         "  object Face: TShapedForm\n"
         "    Left = 100\n"
         "    Top = 100\n"
         "    Width = 200\n"
         "    Height = 100\n"
         "    Mask2 = {" + Hex(mask) + "}\n" + extra +
         "    Hint = 'after the region'\n"
         "  end\n"
         "  object Later: TShapedForm\n"
         "    Visible = False\n"
         "    Mask2 = {00000000}\n"
         "  end\n"
         "end\n";
}

// Records the system command instead of running the move loop.
class TCommandForm : public TForm {
public:
  using TForm::TForm;
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  bool captureHeld = false;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SYSCOMMAND) {
      commands.emplace_back(m.WParam, m.LParam);
      captureHeld = GetCapture() != nullptr;
      return;
    }
    TForm::WndProc(m);
  }
};

class ShapedFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    TClassRegistry::Instance().Register<TShapedForm>("TShapedForm");
    form = new TCommandForm(nullptr);
  }
  void TearDown() override { delete form; }
  void Load(const std::string& text) {
    form->LoadDescription(text, [](const std::string&) { return TBytes{}; });
    face = dynamic_cast<TShapedForm*>(form->FindComponent("Face"));
  }
  std::string LoadError(const std::string& text) { return LoadErrorOf([&] { Load(text); }); }
  TBytes Saved() const {
    TFormNode node = WriteComponent(*form, "TForm");
    for (const TFormNode& child : node.children)
      if (child.name == "Face")
        for (const TFormProperty& p : child.properties)
          if (p.name == "Mask2") return p.value.bytes;
    return {};
  }
  TCommandForm* form = nullptr;
  TShapedForm* face = nullptr;
};

const TBytes kNoRegion = {0, 0, 0, 0};

TEST_F(ShapedFormTest, ZeroCountLeavesTheWindowRectangularAndSavesFourZeroBytes) {
  Load(Description(kNoRegion));
  EXPECT_TRUE(WindowRects(form->Handle()).empty());
  EXPECT_TRUE(face->Mask()->Empty());
  EXPECT_EQ(Saved(), kNoRegion);  // written even with no region
}

TEST_F(ShapedFormTest, PictureChangeAndDestructionDropTheHeldRegionButNotTheWindows) {
  Load(Description(Stored(Block(kTab))));
  EXPECT_TRUE(SameRects(WindowRects(form->Handle()), kTab));
  EXPECT_FALSE(face->Mask()->Owned());  // the window has it now
  face->Picture()->Bitmap().SetSize(20, 20);
  EXPECT_TRUE(face->Mask()->Empty());
  EXPECT_EQ(Saved(), kNoRegion);
  EXPECT_TRUE(SameRects(WindowRects(form->Handle()), kTab));
  // A picture of another kind becomes an empty bitmap once the face is on a form.
  face->Picture()->SetGraphic(std::make_unique<TIcon>());
  EXPECT_NE(dynamic_cast<TBitmap*>(face->Picture()->Graphic()), nullptr);
  delete face;
  EXPECT_TRUE(SameRects(WindowRects(form->Handle()), kTab));
}

TEST_F(ShapedFormTest, RegionDataTheSystemMustNotTakeLeavesTheWindowRectangular) {
  struct TCase { const char* what; TBytes block; };
  auto patched = [](size_t at, DWORD v) { TBytes b = Block(kTab); PutDword(b, at, v); return b; };
  TBytes truncated = Block(kTab);
  truncated.resize(truncated.size() - 8);
  const TCase cases[] = {
      {"another type", patched(4, 2)},        {"more rectangles than stored", patched(8, 3)},
      {"fewer rectangles than stored", patched(8, 1)}, {"another header size", patched(0, 40)},
      {"a truncated block", truncated},       {"a header cut short", TBytes(20, 0)},
      {"no rectangles", Block({})},           // would make the window vanish
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    delete form;
    form = new TCommandForm(nullptr);
    Load(Description(Stored(c.block)));
    EXPECT_TRUE(WindowRects(form->Handle()).empty());
    EXPECT_TRUE(face->Mask()->Empty());
    EXPECT_EQ(Saved(), kNoRegion);
    EXPECT_EQ(face->Hint(), "after the region");
    EXPECT_NE(form->FindComponent("Later"), nullptr);
  }
}

TEST_F(ShapedFormTest, MalformedStoredBlockIsALoadErrorNamingMask2) {
  TBytes pastEnd = Stored(Block(kTab));
  PutDword(pastEnd, 0, 0x7FFFFFF0);  // must not be read past the stored bytes
  std::string notBinary = Description(kNoRegion);
  notBinary.replace(notBinary.find("{00000000}"), 10, "'text'");
  const std::pair<std::string, const char*> cases[] = {
      {Description(pastEnd), "Face.Mask2: the byte count runs past the end"},
      {Description({1, 0}), "Face.Mask2: the region data has no byte count"},
      {notBinary, "Face.Mask2: binary data expected"}};
  for (const auto& [text, error] : cases) {
    delete form;
    form = new TCommandForm(nullptr);
    EXPECT_NE(LoadError(text).find(error), std::string::npos) << error;
  }
}

TEST_F(ShapedFormTest, BytesPastTheCountAreIgnored) {
  TBytes trailing = Stored(Block(kTab));
  trailing.insert(trailing.end(), {1, 2, 3});
  Load(Description(trailing));
  EXPECT_TRUE(SameRects(WindowRects(form->Handle()), kTab));
  EXPECT_EQ(Saved(), Stored(Block(kTab)));
}

TEST_F(ShapedFormTest, SitsAtTheTopLeftOfABorderlessForm) {
  Load(Description(kNoRegion));
  EXPECT_EQ(form->BorderStyle(), bsNone);  // stored as sizeable, dropped by the face
  EXPECT_EQ(face->Left(), 0);
  EXPECT_EQ(face->Top(), 0);
  EXPECT_EQ(face->Align(), alClient);
  face->SetAlign(alNone);
  face->SetTop(100);
  face->SetLeft(100);
  face->SetWidth(50);
  face->SetHeight(40);
  EXPECT_EQ(face->Left(), 0);
  EXPECT_EQ(face->Top(), 0);
  EXPECT_EQ(face->Width(), 50);
  EXPECT_EQ(face->Height(), 40);
  EXPECT_EQ(face->Perform(WM_ERASEBKGND), 1);  // nothing to erase under the picture
}

TEST_F(ShapedFormTest, OnAControlThatIsNotAFormRaisesAndKeepsThatParent) {
  auto* box = new TCustomControl(form);
  box->SetParent(form);
  auto* shaped = new TShapedForm(form);
  try {
    shaped->SetParent(box);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Drop the ShapedForm on a FORM!");
  }
  EXPECT_EQ(shaped->Parent(), box);
}

TEST_F(ShapedFormTest, DesignModeKeepsTheRegionUnappliedAndFreesIt) {
  form->SetDesigning(true);
  const TBytes stored = Stored(Block(kTab));
  Load(Description(stored));
  ASSERT_TRUE(face->IsDesigning());
  EXPECT_TRUE(WindowRects(form->Handle()).empty());
  EXPECT_TRUE(face->Mask()->Owned());
  HRGN held = face->Mask()->Handle();
  EXPECT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_REGION));
  EXPECT_EQ(Saved(), stored);
  delete face;
  EXPECT_EQ(GetObjectType(held), 0u);  // freed with the component
}

TEST_F(ShapedFormTest, AHolderGivenToMaskIsUsedAndTheOldOneFreed) {
  form->SetDesigning(true);
  Load(Description(Stored(Block(kTab))));
  HRGN old = face->Mask()->Handle();
  auto holder = std::make_unique<TRegionType>();
  holder->Hold(CreateRectRgn(0, 0, 3, 3));
  TRegionType* given = holder.get();
  face->SetMask(std::move(holder));
  EXPECT_EQ(face->Mask(), given);
  EXPECT_EQ(given->Owner(), face);
  EXPECT_EQ(GetObjectType(old), 0u);
  face->SetMask(nullptr);
  EXPECT_EQ(face->Mask(), given);
  EXPECT_EQ(Saved(), Stored(Block({{0, 0, 3, 3}})));
}

TEST_F(ShapedFormTest, LeftPressAsksTheFormToMoveOtherPressesDoNothing) {
  Load(Description(kNoRegion));
  int mouseDowns = 0, clicks = 0;
  face->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseDowns; };
  face->OnClick = [&](TObject*) { ++clicks; };
  HWND window = form->Handle();
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
  SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 50));
  EXPECT_TRUE(form->commands.empty());
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  ASSERT_EQ(form->commands.size(), 1u);
  EXPECT_EQ(form->commands[0].first, 0xF012u);
  EXPECT_EQ(form->commands[0].second, 0);
  EXPECT_FALSE(form->captureHeld);  // released before the move starts
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(mouseDowns, 0);
  EXPECT_EQ(clicks, 0);  // the move loop had the release, not us
  // Not draggable: a plain picture.
  face->SetDraggable(false);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(form->commands.size(), 1u);
  EXPECT_EQ(mouseDowns, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ShapedFormTest, NoGdiObjectGrowthOverLoadsAndDestroys) {
  if (!gdi_count::Works()) GTEST_SKIP() << "no way to count this process's GDI objects here";
  const std::string text = Description(Stored(Block(kTab)));
  auto cycle = [&](bool designing, bool changePicture) {
    delete form;
    form = new TCommandForm(nullptr);
    form->SetDesigning(designing);
    Load(text);
    if (changePicture) face->Picture()->Bitmap().SetSize(4, 4);
  };
  auto fresh = [&] {
    delete form;
    form = new TCommandForm(nullptr);
  };
  cycle(false, false);  // first use of fonts, brushes and window classes
  cycle(true, false);
  fresh();
  const long before = gdi_count::LiveObjects();
  for (int i = 0; i < 25; ++i) {
    cycle(false, false);
    cycle(true, false);
    cycle(false, true);
    cycle(true, true);
  }
  fresh();
  EXPECT_LE(gdi_count::LiveObjects(), before);
}
}  // namespace
