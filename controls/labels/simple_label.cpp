#include "controls/labels/simple_label.h"
#include <algorithm>
#include "controls/labels/shell_request.h"
#include "framework/form_reader.h"

namespace {
bool Blank(const std::string& s) { return s.find_first_not_of(" \t\r\n") == std::string::npos; }
}  // namespace

TOmCustomSimpleLabel::TOmCustomSimpleLabel(TComponent* owner)
    : TOmBaseLabel(owner), font3D_(std::make_unique<TOm3DCaption>()) {
  font3D_->OnChange = [this](TObject* sender) { FontUpdated(sender); };
  SetColor(clWindow);
  SetParentColor(true);
}

TOmCustomSimpleLabel::~TOmCustomSimpleLabel() { font3D_->OnChange = nullptr; }

void TOmCustomSimpleLabel::SetInActiveColor(TColor color) {
  if (color == inActiveColor_) return;
  inActiveColor_ = color;
  if (legacyJump_) Font()->SetColor(color);
}

void TOmCustomSimpleLabel::SetJumpUnderline(bool value) {
  if (value == jumpUnderline_) return;
  jumpUnderline_ = value;
  // A label loaded as a jump follows at once; others at the next mode change.
  if (!legacyJump_) return;
  const TFontStyles underline{fsUnderline};
  Font()->SetStyle(value ? Font()->Style() + underline : Font()->Style() - underline);
}

void TOmCustomSimpleLabel::SetJumpMode(TOmJumpModes mode) {
  if (mode == jumpMode_) return;
  jumpMode_ = mode;
  if (mode == jmNone) {
    if (IsLoading()) return;
    SetCursor(crDefault);
    Font()->SetColor(clBlack);
    if (jumpUnderline_) Font()->SetStyle(Font()->Style() - TFontStyles{fsUnderline});
    return;
  }
  Font()->SetColor(inActiveColor_);
  if (jumpUnderline_) Font()->SetStyle(Font()->Style() + TFontStyles{fsUnderline});
  if (!IsLoading()) SetCursor(crHandPoint);
}

void TOmCustomSimpleLabel::Loaded() {
  TOmBaseLabel::Loaded();
  if (legacyJump_) jumpMode_ = jmInternet;  // stored directly, as it was saved
  // A jump loaded from a description points like one set at run time, unless it stores a cursor.
  if (jumpMode_ != jmNone && Cursor() == crDefault) SetCursor(crHandPoint);
}

bool TOmCustomSimpleLabel::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  if (_stricmp(name.c_str(), "UseAsJump") != 0) return TOmBaseLabel::ReadCustomProperty(name, value);
  legacyJump_ = ValueToBool(value);
  return true;
}

void TOmCustomSimpleLabel::Click() {
  if (jumpMode_ != jmInternet && jumpMode_ != jmApplication) return TOmBaseLabel::Click();
  std::string target = Blank(jump_) ? Caption() : jump_;
  if (jumpMode_ == jmInternet && Blank(jump_) && target.find('@') != std::string::npos) target = "mailto:" + target;
  TOmShellRequest request;
  request.owner = OmApplicationWindow();
  request.file = target;
  const INT_PTR result = OmShellExecute(request);
  if (jumpMode_ == jmInternet && result <= 32) {
    jumpMode_ = jmNone;
    SetEnabled(false);
  }
}

void TOmCustomSimpleLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (jumpMode_ != jmNone && button == mbLeft) Font()->SetColor(activeColor_);
  TOmBaseLabel::MouseDown(button, shift, x, y);
}

void TOmCustomSimpleLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (legacyJump_ && button == mbLeft) Font()->SetColor(inActiveColor_);
  TOmBaseLabel::MouseUp(button, shift, x, y);
}

void TOmCustomSimpleLabel::AdjustAutoSize() {
  if (!AutoSize() || IsLoading()) return;
  // Wrap at the width less the spare pixel the measure adds on each side, so a second
  // measure gives the same bounds.
  RECT q{0, 0, std::max(1, Width() - 2), Height()};
  OmMeasureEffectText(nullptr, CaptionText(), font3D_.get(), q, DrawTextBiDiModeFlags(OptionFlags()), 0,
                      ShowAccelChar(), MultiLine(),
                      *Font());
  SetBounds(Left(), Top(), q.right, q.bottom);
}

void TOmCustomSimpleLabel::Paint() {
  if (Painting() || IsLoading()) return;
  TCanvas& canvas = Canvas();
  if (PaintsNothing()) {
    TOmBaseGraphicControl::Paint();
    return;
  }
  const std::string text = CaptionText();
  TPaintScope scope(*this);
  RECT q = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(q);
  }
  const TOmAlignment alignment = DrawnAlignment();
  UINT format = DrawTextBiDiModeFlagsReadingOnly();
  if (!MultiLine()) {
    format |= DT_SINGLELINE;
  } else if (alignment >= agCenterLeft) {
    OmPlaceEffectText(alignment, text, font3D_.get(), q, format, ShowAccelChar(), MultiLine(), *Font(), RECT(q));
  }
  format |= OptionFlags() | OmAlignmentFlags(alignment) | DT_EXPANDTABS | DT_WORDBREAK;
  if (!ShowAccelChar()) format |= DT_NOPREFIX;
  canvas.Font().Assign(*Font());
  canvas.Brush().SetColor(Color());
  const TColor color = PhaseColor();
  if (color == clNone) return;
  canvas.Font().SetColor(color);
  OmDrawEffectText(canvas, text, font3D_.get(), nullptr, EnabledFlags(), format, q);
}

const TEnumNames<TOmJumpModes>& OmJumpModeNames() {
  static const TEnumNames<TOmJumpModes> names = {
      {"jmInternet", jmInternet}, {"jmApplication", jmApplication}, {"jmNone", jmNone}, {"jmCustom", jmCustom}};
  return names;
}

const TPropTable& TOmCustomSimpleLabel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmBaseLabel::Properties());
    t.Add("Font3D", RecordProp(&TOmCustomSimpleLabel::Font3D));
    t.Add("Jump", StringProp(&TOmCustomSimpleLabel::SetJump));
    t.Add("ActiveColor", ColorProp(&TOmCustomSimpleLabel::SetActiveColor));
    t.Add("InActiveColor", ColorProp(&TOmCustomSimpleLabel::SetInActiveColor));
    t.Add("JumpUnderline", BoolProp(&TOmCustomSimpleLabel::SetJumpUnderline));
    t.Add("JumpMode", EnumProp(&TOmCustomSimpleLabel::SetJumpMode, OmJumpModeNames()));
    return t;
  }();
  return table;
}
