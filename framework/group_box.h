// TGroupBox: a framed box with its caption set into the top edge; holds child controls.
#pragma once
#include "framework/win_control.h"

class TGroupBox : public TCustomControl {
public:
  explicit TGroupBox(TComponent* owner);
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
  // The frame's rectangle below the caption band; children are placed inside it.
  RECT FrameRect();
protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
};
