// The edit driven by key, mouse and text messages sent to its real window.
#include "edit_fixture.h"
#include <windowsx.h>
#include "framework/popup_menu.h"
#include "framework/std_label.h"
#include "tests/support/menu_probe.h"

namespace {
const std::wstring kPath = L"C:\\Program Files\\Microsoft Games\\Flight Simulator 9";
}

TEST_F(EditTest, ShiftMovesExtendFromTheAnchorAndAPlainMoveCollapses) {
  edit->SetText(kPath);
  edit->SetCaretPos({3, 0});
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(edit->SelText(), L"Pr");
  Key(VK_HOME, {VK_SHIFT});  // past the anchor: the selection turns round it
  EXPECT_EQ(edit->SelText(), L"C:\\");
  EXPECT_EQ(edit->SelectionAnchor().col, 3);
  Key(VK_END, {VK_SHIFT});
  EXPECT_EQ(edit->SelLength(), static_cast<int>(kPath.size()) - 3);
  Key(VK_RIGHT, {VK_CONTROL, VK_SHIFT});  // at the end already
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_FALSE(edit->HasSelection());
  EXPECT_EQ(edit->CaretPos().col, static_cast<int>(kPath.find(L"9")));
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(edit->CaretPos().col, static_cast<int>(kPath.find(L"Simulator")));
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeButCopies) {
  edit->SetText(L"C:\\FS9");
  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongPtrW(Window(), GWL_STYLE) & ES_READONLY);
  PutOnClipboard(L"pasted");
  edit->SetSelection({0, 0}, {2, 0});
  int selectionChanges = 0;
  edit->OnSelectionChange = [&](TObject*) { ++selectionChanges; };
  Type(L"xy");
  Key(VK_BACK);
  Key(VK_DELETE);
  Key('V', {VK_CONTROL});
  Key(VK_INSERT, {VK_SHIFT});
  Key('X', {VK_CONTROL});
  Key(VK_DELETE, {VK_SHIFT});
  Key('Z', {VK_CONTROL});
  Key(VK_BACK, {VK_CONTROL});
  for (UINT command : {kEdCmdCut, kEdCmdPaste, kEdCmdDelete, kEdCmdUndo}) {
    edit->answer = command;
    SendMessageW(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), -1);
  }
  EXPECT_EQ(edit->enabled, L"CA");  // only copy and select all are offered
  EXPECT_EQ(edit->Text(), L"C:\\FS9");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(selectionChanges, 0);
  EXPECT_FALSE(edit->Modified());
  PutOnClipboard(L"");
  Key('C', {VK_CONTROL});
  EXPECT_EQ(ClipboardText(), L"C:");
  edit->SetSelection({3, 0}, {6, 0});
  Key(VK_INSERT, {VK_CONTROL});
  EXPECT_EQ(ClipboardText(), L"FS9");
}

TEST_F(EditTest, KeyboardEditsNotifyOnceAndProgramChangesOnlyWhenAskedTo) {
  Type(L"ab");
  Key(VK_LEFT);
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), L"b");
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(edit->Modified());
  Key('Z', {VK_CONTROL});  // takes back the deletion, and tells of it
  EXPECT_EQ(edit->Text(), L"ab");
  edit->SetText(L"new");  // a program change: no event, and no undo into the old text
  edit->SetText(L"new");
  EXPECT_EQ(changes, 4);
  EXPECT_FALSE(edit->CanUndo());
  Key('Z', {VK_CONTROL});
  EXPECT_EQ(edit->Text(), L"new");
  edit->SetNotifyUserChangeOnly(false);
  edit->SetText(L"other");
  Type(L"x");  // every change once, whichever path
  EXPECT_EQ(changes, 6);
  edit->SetMaxLength(6);
  Type(L"yz");
  EXPECT_EQ(edit->Text(), L"xother");
}

TEST_F(EditTest, TextMessagesAnswerFromTheStoreExactly) {
  SetWindowTextW(Window(), L"C:\\FS9\\");
  EXPECT_EQ(edit->Text(), L"C:\\FS9\\");
  EXPECT_EQ(GetWindowTextLengthW(Window()), 7);
  wchar_t small[4] = L"???";
  EXPECT_EQ(SendMessageW(Window(), WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_STREQ(small, L"C:\\");
  EXPECT_EQ(SendMessageW(Window(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
  EXPECT_EQ(SendMessageW(Window(), WM_SETTEXT, 0, 0), TRUE);  // none means empty
  EXPECT_EQ(WindowText(), L"");
  edit->SetText(kPath);
  SendMessageW(Window(), EM_SETSEL, 3, 10);
  DWORD start = 0, end = 0;
  SendMessageW(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 10u);
  EXPECT_EQ(edit->SelText(), L"Program");
}

TEST_F(EditTest, PasteStopsAtALineBreakAndSurrogatePairsGoAsOne) {
  PutOnClipboard(L"C:\\FS9\r\nrest");
  Key('V', {VK_CONTROL});
  EXPECT_EQ(edit->Text(), L"C:\\FS9");
  PutOnClipboard(std::wstring(L"\\a\0b", 4));
  Key('V', {VK_CONTROL});
  EXPECT_EQ(edit->Text(), L"C:\\FS9\\a");
  edit->SetText(L"a\xD83D\xDE00");
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), L"a");
}

TEST_F(EditTest, ACharacterOutsideTheBasicPlaneGoesInWholeOrNotAtAllAtMaxLength) {
  const std::wstring smile = L"\xD83D\xDE00";
  edit->SetMaxLength(3);
  Type(L"ab" + smile);  // one unit short of the pair
  EXPECT_EQ(edit->Text(), L"ab");
  Type(L"\xDE00");  // a low half alone is no character
  EXPECT_EQ(edit->Text(), L"ab");
  Key(VK_BACK);
  Type(smile);
  EXPECT_EQ(edit->Text(), L"a" + smile);
  edit->SetSelection({1, 0}, {3, 0});  // over the pair, the text does not grow
  Type(L"\xD83D" L"c");  // a high half dropped by the next character
  EXPECT_EQ(edit->Text(), L"ac");
}

TEST_F(EditTest, LongPathScrollsToKeepTheCaretInViewAndHomeReturns) {
  std::wstring path;
  while (path.size() < 200) path += L"\\Flight Simulator 9";
  edit->SetText(path);
  Key(VK_END);
  EXPECT_GT(edit->FirstVisibleColumn(), 0);
  const POINT caret = edit->CharPosToPixel(edit->CaretPos());
  const RECT rect = edit->EditRect();
  EXPECT_GT(caret.x, rect.left + (rect.right - rect.left) / 2);  // three quarters across
  EXPECT_LT(caret.x, rect.right);
  Key(VK_HOME);
  EXPECT_EQ(edit->FirstVisibleColumn(), 0);
  EXPECT_EQ(edit->CharPosToPixel({0, 0}).x, rect.left + edit->LeftMargin());
}

TEST_F(EditTest, MouseSelectsAndLosingTheCaptureEndsTheDrag) {
  edit->SetText(kPath);
  const POINT at3 = edit->CharPosToPixel({3, 0}), at10 = edit->CharPosToPixel({10, 0});
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at3.x, at3.y + 2));
  SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at10.x, at10.y + 2));
  EXPECT_EQ(edit->SelText(), L"Program");
  EXPECT_EQ(GetCapture(), Window());
  Type(L"x");  // keys wait while the drag goes on
  EXPECT_EQ(edit->Text(), kPath);
  ReleaseCapture();  // another window took the mouse
  Key(VK_END);
  EXPECT_EQ(edit->CaretPos().col, static_cast<int>(kPath.size()));
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at3.x, at3.y + 2));
  SendMessageW(Window(), WM_CANCELMODE, 0, 0);
  Key(VK_END);
  EXPECT_EQ(edit->CaretPos().col, static_cast<int>(kPath.size()));
  SendMessageW(Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at3.x + 1, at3.y + 2));
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(at3.x + 1, at3.y + 2));
  EXPECT_EQ(edit->SelText(), L"C:\\Program ");  // a backslash is part of the word
  EXPECT_NE(GetCapture(), Window());
}

TEST_F(EditTest, DialogCodeKeepsTabForTheForm) {
  const LRESULT code = SendMessageW(Window(), WM_GETDLGCODE, VK_TAB, 0);
  EXPECT_EQ(code & (DLGC_WANTALLKEYS | DLGC_WANTTAB), 0);
  EXPECT_EQ(code & (DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL),
            DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL);
  edit->SetHandleDialogKeys(true);
  EXPECT_TRUE(SendMessageW(Window(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTALLKEYS);
}

TEST_F(EditTest, AKeyHandlerThatClearsTheKeySwallowsIt) {
  edit->SetText(L"abc");
  edit->OnKeyDown = [](TObject*, WORD& key, TShiftState) { if (key == VK_END) key = 0; };
  Key(VK_END);
  EXPECT_EQ(edit->CaretPos().col, 0);
  edit->OnKeyPress = [](TObject*, wchar_t& key) { if (key == L'x') key = 0; };
  Type(L"xy");
  EXPECT_EQ(edit->Text(), L"yabc");
}

// A popup menu given to the edit replaces its own (read from the menu's window while it is up);
// a linked control keeps its place beside the edit as the edit moves.
TEST_F(EditTest, ACallersPopupMenuReplacesTheEditsOwnAndTheLinkedControlFollows) {
  TPopupMenu menu(nullptr);
  menu.Add("Theirs");
  edit->SetPopupMenu(&menu);
  const RECT shown = MenuShownBy([&] { SendMessageW(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), -1); });
  EXPECT_FALSE(IsRectEmpty(&shown));
  EXPECT_EQ(edit->menus, 0);
  auto* label = new TLabel(form);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 60, 15);
  label->SetParent(form);
  edit->SetLinkedControlSpacing(3);
  edit->SetLinkedControl(label);
  EXPECT_EQ(label->Left(), 10);
  EXPECT_EQ(label->Top(), 10 - 3 - 15);
  edit->SetLinkedControlPosition(lcpLeftCenter);
  edit->SetBounds(100, 40, 300, 21);
  EXPECT_EQ(label->Left(), 100 - 3 - 60);
  EXPECT_EQ(label->Top(), 40 + (21 - 15) / 2);
}

TEST(EditMenu, EntriesComeFromTheSystemsEditMenuElseInEnglish) {
  const std::vector<TEdMenuEntry> system = SystemEditMenuEntries(GetModuleHandleW(L"user32.dll"));
  std::vector<UINT> commands;
  for (const TEdMenuEntry& e : system) {
    commands.push_back(e.command);
    EXPECT_EQ(e.caption.empty(), e.command == 0);
  }
  // Whatever the system numbers undo with, it comes back as the edit's own command.
  EXPECT_EQ(commands, (std::vector<UINT>{kEdCmdUndo, 0, kEdCmdCut, kEdCmdCopy, kEdCmdPaste, kEdCmdDelete, 0,
                                         kEdCmdSelectAll}));
  const std::vector<TEdMenuEntry> english = EdContextMenuEntries(GetModuleHandleW(nullptr));  // has no menu
  ASSERT_EQ(english.size(), system.size());
  EXPECT_EQ(english.front().caption, L"&Undo");
  EXPECT_EQ(english.back().caption, L"Select &All");
}

TEST_F(EditTest, KeyboardContextMenuOpensAtTheCaret) {
  edit->SetText(L"C:\\FS9");
  Key(VK_END);
  POINT caret = edit->CharPosToPixel(edit->CaretPos());
  ClientToScreen(Window(), &caret);
  // Both words -1, sign- or zero-extended into LPARAM, and Shift+F10 through the system.
  SendMessageW(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), -1);
  SendMessageW(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), MAKELPARAM(-1, -1));
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  std::copy(saved, saved + 256, state);
  state[VK_SHIFT] = 0x80;
  SetKeyboardState(state);
  // Only the press: the system takes the release of F10 for the menu key and would wait in menu mode.
  SendMessageW(Window(), WM_SYSKEYDOWN, VK_F10, 1);
  SetKeyboardState(saved);
  EXPECT_EQ(edit->menus, 3);
  EXPECT_EQ(edit->shownAt.x, caret.x);
  EXPECT_EQ(edit->shownAt.y, caret.y);
  EXPECT_EQ(edit->enabled.find(L'P') != std::wstring::npos, ClipboardHasText() != FALSE);
}
