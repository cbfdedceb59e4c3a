// TLabel: a window-less control that draws its caption.
#pragma once
#include "framework/control.h"

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  // The text rectangle and flags the label draws with; shared by painting and sizing.
  UINT DrawFlags() const;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  void Paint() override;
  void AdjustSize() override;
private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool transparent_ = false, wordWrap_ = false, showAccelChar_ = true;
};
