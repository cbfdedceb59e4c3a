// TCaret: the thread's one system caret, owned by one window, with hide and show counted so
// nested hides (painting inside a scroll) never leave it hidden; TCaretHider hides it for a scope.
#pragma once
#include <windows.h>

class TCaret {
public:
  TCaret() = default;
  ~TCaret() { Destroy(); }
  TCaret(const TCaret&) = delete;
  TCaret& operator=(const TCaret&) = delete;

  // Replaces any caret of ours; shown at once unless a hide is pending.
  bool Create(HWND window, int width, int height);
  void Destroy();
  bool Exists() const { return window_ != nullptr; }
  void SetPos(int x, int y);
  POINT Pos() const { return pos_; }
  void Hide();
  void Show();  // undoes one Hide; extra calls do nothing
  int HideCount() const { return hides_; }

private:
  HWND window_ = nullptr;
  POINT pos_{0, 0};
  int hides_ = 0;
};

class TCaretHider {
public:
  explicit TCaretHider(TCaret& caret) : caret_(caret) { caret_.Hide(); }
  ~TCaretHider() { caret_.Show(); }
  TCaretHider(const TCaretHider&) = delete;
  TCaretHider& operator=(const TCaretHider&) = delete;
private:
  TCaret& caret_;
};
