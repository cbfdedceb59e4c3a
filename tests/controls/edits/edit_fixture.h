// An edit on a shown frameless form, with keys, characters and clipboard helpers.
#pragma once
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include "controls/edits/custom_edit.h"
#include "framework/clipboard.h"
#include "framework/form.h"

// Records the menu it is shown and answers with a chosen command instead of waiting for a user.
class TScriptedEdit : public TEdEdit {
public:
  using TEdEdit::TEdEdit;
  UINT answer = 0;
  int menus = 0;
  POINT shownAt{};
  bool Enabled(HMENU menu, UINT id) const { return !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED); }
  std::wstring enabled;  // the commands offered, by their first letters
protected:
  UINT TrackContextMenu(HMENU menu, POINT at) override {
    ++menus;
    shownAt = at;
    enabled.clear();
    for (auto [id, c] : {std::pair{kEdCmdUndo, L'U'}, {kEdCmdCut, L'T'}, {kEdCmdCopy, L'C'}, {kEdCmdPaste, L'P'},
                         {kEdCmdDelete, L'D'}, {kEdCmdSelectAll, L'A'}})
      if (Enabled(menu, id)) enabled += c;
    return answer;
  }
};

class EditTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 520, 80);
    edit = new TScriptedEdit(form);
    edit->SetAutoSize(false);
    edit->Font()->SetHeight(-11);
    edit->SetBounds(10, 10, 460, 21);
    edit->SetParent(form);
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override { delete form; }

  HWND Window() { return edit->Handle(); }
  // A key press with the given modifier keys held, as the thread's key state shows them.
  void Key(WORD vk, std::initializer_list<BYTE> held = {}) {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, state);
    for (BYTE k : held) state[k] = 0x80;
    SetKeyboardState(state);
    SendMessageW(Window(), WM_KEYDOWN, vk, 1);
    if (vk == VK_BACK && held.size() == 0) SendMessageW(Window(), WM_CHAR, 8, 1);  // as TranslateMessage would
    SendMessageW(Window(), WM_KEYUP, vk, 0xC0000001);
    SetKeyboardState(saved);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(Window(), WM_CHAR, c, 1);
  }
  std::wstring WindowText() {
    wchar_t buffer[1024] = L"?";
    GetWindowTextW(Window(), buffer, 1024);
    return buffer;
  }
  static void PutOnClipboard(const std::wstring& text) {
    TClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetText(text));
  }
  static std::wstring ClipboardText() {
    TClipboard clipboard(nullptr);
    std::wstring text;
    clipboard.GetText(text);
    return text;
  }
  TForm* form = nullptr;
  TScriptedEdit* edit = nullptr;
  int changes = 0;
};
