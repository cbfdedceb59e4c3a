// TOmCustomSimpleLabel and TOmSimpleLabel: the light label without a bevel, with a 3D caption
// effect, that can act as a link handing an address, a file or its caption to the shell.
#pragma once
#include <memory>
#include <string>
#include "controls/drawing/fx_caption.h"
#include "controls/labels/base_label.h"

enum TOmJumpModes { jmInternet, jmApplication, jmNone, jmCustom };

class TOmCustomSimpleLabel : public TOmBaseLabel {
public:
  explicit TOmCustomSimpleLabel(TComponent* owner);
  ~TOmCustomSimpleLabel() override;

  TOm3DCaption* Font3D() const { return font3D_.get(); }
  void SetFont3D(const TOm3DCaption& caption) { font3D_->Assign(caption); }
  const std::string& Jump() const { return jump_; }
  void SetJump(const std::string& jump) { jump_ = jump; }
  TColor ActiveColor() const { return activeColor_; }
  void SetActiveColor(TColor color) { activeColor_ = color; }
  TColor InActiveColor() const { return inActiveColor_; }
  void SetInActiveColor(TColor color);
  bool JumpUnderline() const { return jumpUnderline_; }
  void SetJumpUnderline(bool value);
  TOmJumpModes JumpMode() const { return jumpMode_; }
  void SetJumpMode(TOmJumpModes mode);
  bool LegacyJump() const { return legacyJump_; }  // loaded with "UseAsJump"

  void Click() override;
  void DescribeAccessible(TAccessibleInfo& info) const override;
  void Loaded() override;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void Paint() override;
  void AdjustAutoSize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  std::unique_ptr<TOm3DCaption> font3D_;
  std::string jump_;
  TColor activeColor_ = clPurple, inActiveColor_ = clBlue;
  bool legacyJump_ = false;
  bool jumpUnderline_ = true;
  TOmJumpModes jumpMode_ = jmNone;
};

class TOmSimpleLabel : public TOmCustomSimpleLabel {
public:
  using TOmCustomSimpleLabel::TOmCustomSimpleLabel;
};

const TEnumNames<TOmJumpModes>& OmJumpModeNames();
