#include "framework/caret.h"

bool TCaret::Create(HWND window, int width, int height) {
  Destroy();
  if (!CreateCaret(window, nullptr, width, height)) return false;
  window_ = window;
  SetCaretPos(pos_.x, pos_.y);
  if (hides_ == 0) ShowCaret(window_);
  return true;
}

void TCaret::Destroy() {
  if (!window_) return;
  window_ = nullptr;
  DestroyCaret();
}

void TCaret::SetPos(int x, int y) {
  pos_ = {x, y};
  if (window_) SetCaretPos(x, y);
}

void TCaret::Hide() {
  if (hides_++ == 0 && window_) HideCaret(window_);
}

void TCaret::Show() {
  if (hides_ == 0) return;
  if (--hides_ == 0 && window_) ShowCaret(window_);
}
