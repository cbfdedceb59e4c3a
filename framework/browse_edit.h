// TBrowseEdit: a system edit with a browse button at its right (also Alt+Down) that picks a
// folder with the shell's folder browser and puts it into the edit. Text is 16-bit.
// Both stand side by side in a window of ours, which takes the focus and the notifications.
#pragma once
#include <memory>
#include <string>
#include "framework/bitmap.h"
#include "framework/strings.h"
#include "framework/win_control.h"

class TBrowseEdit : public TWinControl {
public:
  explicit TBrowseEdit(TComponent* owner);
  ~TBrowseEdit() override;
  TEdFString Text() const;
  void SetText(const TEdFString& text);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  const std::string& DialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const std::string& title) { dialogTitle_ = title; }
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  int ButtonShortcut() const { return buttonShortcut_; }  // key code | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt
  void SetButtonShortcut(int shortcut) { buttonShortcut_ = shortcut; }
  TBitmap* ButtonGlyph() const { return buttonGlyph_.get(); }
  HWND ButtonHandle() const { return button_; }
  HWND EditHandle() const { return edit_; }
  // Opens the folder browser; puts the chosen folder into the edit unless cancelled.
  virtual void ButtonClick();
  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  void CreateWnd() override;
private:
  static LRESULT CALLBACK EditSubclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  void PlaceChildren();
  bool IsShortcut(WPARAM key) const;
  TEdFString text_;
  bool readOnly_ = false;
  std::string dialogTitle_;
  int buttonWidth_ = 20;
  int buttonShortcut_ = 0x8000 | VK_DOWN;
  std::unique_ptr<TBitmap> buttonGlyph_;
  HWND edit_ = nullptr;
  HWND button_ = nullptr;
  TGdiHandle<HBRUSH> brush_;
  TGdiHandle<HBITMAP> buttonBitmap_;
};

// The shell's folder browser; true with the chosen folder, false when cancelled.
bool BrowseForFolder(HWND owner, const std::wstring& title, std::wstring& folder);
