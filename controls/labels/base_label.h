// TOmBaseLabel: what the full and the simple label share: alignment, options, multi-line,
// accelerator with its focus control, auto-size and twinkling.
#pragma once
#include <string>
#include "controls/drawing/om_types.h"
#include "controls/labels/control.h"

enum TOmLabelOption { loPathEllipsis, loEndEllipsis, loEditControl };
using TOmLabelOptions = TSet<TOmLabelOption>;

// The text-drawing bits of the options and of an alignment.
UINT OmLabelOptionFlags(TOmLabelOptions options);
UINT OmAlignmentFlags(TOmAlignment alignment);
// True when key is the accelerator that an ampersand marks in caption ("&&" is a plain one).
bool OmIsAccel(WPARAM key, const std::string& caption);

class TOmBaseLabel : public TOmBaseGraphicControl {
public:
  explicit TOmBaseLabel(TComponent* owner);
  ~TOmBaseLabel() override;

  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  TOmAlignment Alignment() const { return alignment_; }
  void SetAlignment(TOmAlignment value);
  TOmLabelOptions Options() const { return options_; }
  void SetOptions(TOmLabelOptions value);
  UINT OptionFlags() const { return OmLabelOptionFlags(options_); }
  // Where the caption is placed: Alignment, mirrored for right-to-left alignment.
  TOmAlignment DrawnAlignment() const { return UseRightToLeftAlignment() ? OmMirrored(alignment_) : alignment_; }

  bool Twinkle() const { return twinkle_; }
  void SetTwinkle(bool value);
  int TwinkleVisible() const { return twinkleVisible_; }
  void SetTwinkleVisible(int ms) { twinkleVisible_ = ms; }
  int TwinkleInVisible() const { return twinkleInVisible_; }
  void SetTwinkleInVisible(int ms) { twinkleInVisible_ = ms; }
  TColor TwinkleColor() const { return twinkleColor_; }
  void SetTwinkleColor(TColor color) { twinkleColor_ = color; }
  bool InVisiblePhase() const { return !visiblePhase_; }
  int TwinkleTimer() const { return timerId_; }  // -1 when none

  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  virtual std::string CaptionText() const { return Caption(); }

  void WndProc(TMessage& message) override;
  void DescribeAccessible(TAccessibleInfo& info) const override;
  void Loaded() override;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  virtual void FontUpdated(TObject* sender);
  virtual void AdjustAutoSize() {}
  void AdjustSize() override { AdjustAutoSize(); }
  void PropertyChanged(TObject* sender) override;
  bool PaintsNothing() const override { return Transparent() && Caption().empty(); }
  void Notification(TComponent* component, TOperation operation) override;
  // Draw flags of the enabled state: exactly one of dfEnabled and dfDisabled.
  TOmTextDrawFlags EnabledFlags() const;
  // The colour the caption shows in now, or clNone while hidden by twinkling.
  TColor PhaseColor() const;

private:
  void TwinkleTick();

  bool showAccelChar_ = true;
  bool twinkle_ = false;
  bool multiLine_ = false;
  TOmAlignment alignment_ = agTopLeft;
  TOmLabelOptions options_;
  int timerId_ = -1;
  int twinkleVisible_ = 700, twinkleInVisible_ = 700;
  TColor twinkleColor_ = clNone;
  TWinControl* focusControl_ = nullptr;
  std::string focusControlName_;  // resolved once the description is read
  bool visiblePhase_ = true;
};

const TEnumNames<TOmLabelOption>& OmLabelOptionNames();
