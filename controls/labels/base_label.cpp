#include "controls/labels/base_label.h"
#include <cctype>
#include "controls/labels/timer_service.h"
#include "framework/form_reader.h"
#include "framework/win_control.h"

UINT OmLabelOptionFlags(TOmLabelOptions options) {
  UINT flags = 0;
  if (options.Contains(loPathEllipsis)) flags |= DT_PATH_ELLIPSIS;
  if (options.Contains(loEndEllipsis)) flags |= DT_END_ELLIPSIS;
  if (options.Contains(loEditControl)) flags |= DT_EDITCONTROL;
  return flags;
}

UINT OmAlignmentFlags(TOmAlignment alignment) {
  static const UINT kFlags[] = {0, DT_CENTER, DT_RIGHT, DT_VCENTER, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_VCENTER,
                                DT_BOTTOM, DT_BOTTOM | DT_CENTER, DT_BOTTOM | DT_RIGHT};
  return kFlags[alignment <= agBottomRight ? alignment : 0];
}

bool OmIsAccel(WPARAM key, const std::string& caption) { return IsAccel(key, caption); }

TOmBaseLabel::TOmBaseLabel(TComponent* owner) : TOmBaseGraphicControl(owner) { SetAutoSize(true); }

TOmBaseLabel::~TOmBaseLabel() {
  if (timerId_ != -1) TOmTimerService::Instance().Remove(timerId_);
}

void TOmBaseLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  RedrawNow();  // the size stays
}

void TOmBaseLabel::SetMultiLine(bool value) {
  if (value == multiLine_) return;
  multiLine_ = value;
  PropertyChanged(nullptr);
}

void TOmBaseLabel::SetAlignment(TOmAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  PropertyChanged(nullptr);
}

void TOmBaseLabel::SetOptions(TOmLabelOptions value) {
  if (value == options_) return;
  options_ = value;
  PropertyChanged(nullptr);
}

void TOmBaseLabel::SetTwinkle(bool value) {
  if (value == twinkle_) return;
  twinkle_ = value;
  TOmTimerService& timers = TOmTimerService::Instance();
  if (value) {
    visiblePhase_ = true;
    timerId_ = timers.Register(twinkleVisible_, [this] { TwinkleTick(); });
    timers.Enable(timerId_, true);
    return;
  }
  timers.Remove(timerId_);
  timerId_ = -1;
  visiblePhase_ = true;
  RedrawNow();
}

void TOmBaseLabel::TwinkleTick() {
  visiblePhase_ = !visiblePhase_;
  TOmTimerService::Instance().SetInterval(timerId_, visiblePhase_ ? twinkleVisible_ : twinkleInVisible_);
  RedrawNow();
}

TColor TOmBaseLabel::PhaseColor() const {
  if (visiblePhase_) return Font()->Color();
  return twinkleColor_;
}

TOmTextDrawFlags TOmBaseLabel::EnabledFlags() const {
  return Enabled() ? TOmTextDrawFlags{dfEnabled} : TOmTextDrawFlags{dfDisabled};
}

void TOmBaseLabel::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TOmBaseLabel::Notification(TComponent* component, TOperation operation) {
  TOmBaseGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TOmBaseLabel::FontUpdated(TObject*) {
  if (IsLoading()) return;
  // The framework already stops following the parent's font when this one is changed.
  if (!ComponentState().Contains(csReading)) Canvas().Font().Assign(*Font());
  PropertyChanged(nullptr);
}

void TOmBaseLabel::PropertyChanged(TObject*) {
  if (IsLoading()) return;
  AdjustAutoSize();
  RedrawNow();
}

void TOmBaseLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED:
      TOmBaseGraphicControl::WndProc(m);
      FontUpdated(Font());
      return;
    case CM_TEXTCHANGED:
      if (IsLoading()) return;
      AdjustAutoSize();
      RedrawNow();
      return;
    case CM_DIALOGCHAR:
      if (showAccelChar_ && focusControl_ && Enabled() && OmIsAccel(m.WParam, Caption()) &&
          focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        m.Result = 1;
      }
      return;
    default:
      TOmBaseGraphicControl::WndProc(m);
  }
}

void TOmBaseLabel::Loaded() {
  TOmBaseGraphicControl::Loaded();
  if (!focusControlName_.empty() && Owner())
    SetFocusControl(dynamic_cast<TWinControl*>(Owner()->FindComponent(focusControlName_)));
  Canvas().Font().Assign(*Font());
  AdjustAutoSize();
}

bool TOmBaseLabel::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  if (_stricmp(name.c_str(), "FocusControl") != 0) return TOmBaseGraphicControl::ReadCustomProperty(name, value);
  focusControlName_ = ValueIdent(value);
  return true;
}

const TEnumNames<TOmLabelOption>& OmLabelOptionNames() {
  static const TEnumNames<TOmLabelOption> names = {
      {"loPathEllipsis", loPathEllipsis}, {"loEndEllipsis", loEndEllipsis}, {"loEditControl", loEditControl}};
  return names;
}

const TPropTable& TOmBaseLabel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmBaseGraphicControl::Properties());
    t.Add("ShowAccelChar", BoolProp(&TOmBaseLabel::SetShowAccelChar));
    t.Add("MultiLine", BoolProp(&TOmBaseLabel::SetMultiLine));
    t.Add("Alignment", EnumProp(&TOmBaseLabel::SetAlignment, OmAlignmentNames()));
    t.Add("Options", SetProp(&TOmBaseLabel::SetOptions, OmLabelOptionNames()));
    t.Add("Twinkle", BoolProp(&TOmBaseLabel::SetTwinkle));
    t.Add("TwinkleVisible", IntProp(&TOmBaseLabel::SetTwinkleVisible));
    t.Add("TwinkleInVisible", IntProp(&TOmBaseLabel::SetTwinkleInVisible));
    t.Add("TwinkleColor", ColorProp(&TOmBaseLabel::SetTwinkleColor));
    return t;
  }();
  return table;
}
