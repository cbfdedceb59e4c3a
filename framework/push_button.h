// TButton: the system push button, clicked by mouse, Space, or Enter while it has the focus;
// shows an optional glyph beside its caption.
#pragma once
#include <memory>
#include <windows.h>
#include <commctrl.h>
#include "framework/bitmap.h"
#include "framework/win_control.h"

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);
  ~TButton() override;
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TBitmap* Glyph() const { return glyph_.get(); }
  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
private:
  void ApplyGlyph();
  bool default_ = false, cancel_ = false;
  std::unique_ptr<TBitmap> glyph_;
  HIMAGELIST imageList_ = nullptr;
};
