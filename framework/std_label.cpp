#include "framework/std_label.h"
#include "framework/properties.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetAutoSize(true);
}

void TLabel::SetAlignment(TAlignment value) { if (value != alignment_) { alignment_ = value; Invalidate(); } }
void TLabel::SetLayout(TTextLayout value) { if (value != layout_) { layout_ = value; Invalidate(); } }
void TLabel::SetTransparent(bool value) { if (value != transparent_) { transparent_ = value; Invalidate(); } }
void TLabel::SetShowAccelChar(bool value) { if (value != showAccelChar_) { showAccelChar_ = value; Invalidate(); } }
void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  if (AutoSize() && !IsLoading()) AdjustSize();
  Invalidate();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_EXPANDTABS;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  RECT r = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().Assign(*Font());
  if (layout_ != tlTop) {
    RECT measure = r;
    canvas.DrawText(Caption(), measure, DrawFlags() | DT_CALCRECT);
    int offset = (r.bottom - r.top) - (measure.bottom - measure.top);
    r.top += layout_ == tlCenter ? offset / 2 : offset;
  }
  if (!Enabled()) {
    canvas.Font().SetColor(clGrayText);
  }
  canvas.DrawText(Caption(), r, DrawFlags());
}

void TLabel::AdjustSize() {
  if (IsLoading() || !AutoSize()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  std::string text = Caption().empty() ? " " : Caption();
  TCanvas canvas(dc);
  canvas.Font().Assign(*Font());
  canvas.DrawText(text, r, DrawFlags() | DT_CALCRECT);
  canvas.SetHandle(nullptr);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetBounds(Left(), Top(), r.right, r.bottom);
}

namespace {
const TEnumNames<TAlignment>& AlignmentNames() {
  static const TEnumNames<TAlignment> names = {
      {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
  return names;
}
const TEnumNames<TTextLayout>& LayoutNames() {
  static const TEnumNames<TTextLayout> names = {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};
  return names;
}
}  // namespace

const TPropTable& TLabel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TGraphicControl::Properties());
    t.Add("Alignment", EnumProp(&TLabel::SetAlignment, AlignmentNames()));
    t.Add("Layout", EnumProp(&TLabel::SetLayout, LayoutNames()));
    t.Add("Transparent", BoolProp(&TLabel::SetTransparent));
    t.Add("WordWrap", BoolProp(&TLabel::SetWordWrap));
    t.Add("ShowAccelChar", BoolProp(&TLabel::SetShowAccelChar));
    return t;
  }();
  return table;
}
