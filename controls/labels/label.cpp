#include "controls/labels/label.h"
#include <algorithm>
#include "framework/form_reader.h"

TOmCustomLabel::TOmCustomLabel(TComponent* owner)
    : TOmBaseLabel(owner), bevel_(std::make_unique<TOmBevel>()), fontFX_(std::make_unique<TOmFxCaption>()) {
  bevel_->OnChange = [this](TObject* sender) { PropertyChanged(sender); };
  fontFX_->OnChange = [this](TObject* sender) { FontUpdated(sender); };
  SetColor(clWindow);
  SetParentColor(true);
}

TOmCustomLabel::~TOmCustomLabel() {
  bevel_->OnChange = nullptr;
  fontFX_->OnChange = nullptr;
}

void TOmCustomLabel::FontUpdated(TObject* sender) {
  if (IsLoading()) return;
  Canvas().Font().Assign(*Font());
  if (fontFX_->Angle() != 0 && !OmIsTrueTypeFont(*Font())) {
    // Only TrueType faces turn: a font change that loses it cancels the turn, and a turn asked
    // for on another face switches the face (whose change runs this again).
    if (sender == Font()) {
      fontFX_->SetAngle(0);
    } else if (sender == fontFX_.get()) {
      Font()->SetName(kOmRotatableFace);
      return;
    }
  }
  PropertyChanged(sender);
}

void TOmCustomLabel::AdjustAutoSize() {
  if (!AutoSize() || IsLoading()) return;
  const int margin = bevel_->Extent();
  // Wrap at the width the text gets when drawn (inside the bevel and the spare pixel on each
  // side), so a second measure gives the same bounds and no line falls below the bottom.
  const int wrapWidth = std::max(1, Width() - 2 * (margin + 1));
  RECT q{0, 0, wrapWidth, Height()};
  // Outside a paint the canvas has no context: measure on the screen with the same font.
  TCanvas* canvas = Canvas().HandleAllocated() ? &Canvas() : nullptr;
  OmMeasureEffectText(canvas, CaptionText(), fontFX_.get(), q, DrawTextBiDiModeFlags(OptionFlags()), margin, ShowAccelChar(),
                      MultiLine(), *Font());
  SetBounds(Left(), Top(), q.right, q.bottom);
}

void TOmCustomLabel::Paint() {
  if (Painting() || IsLoading()) return;
  TCanvas& canvas = Canvas();
  if (PaintsNothing()) {
    TOmBaseGraphicControl::Paint();  // the design outline only
    return;
  }
  const std::string text = CaptionText();
  TPaintScope scope(*this);
  const RECT client = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  RECT q = client;
  TOmTextDrawFlags flags = EnabledFlags();
  RECT clip{};
  if (bevel_->Extent() != 0) {
    // Rings in the label's own colour would not show; skip them, keep their width.
    q = bevel_->PaintBevel(canvas, q, bevel_->BorderColor() == Color() || Transparent());
    clip = q;
    flags.Include(dfClip);
  }
  const TOmAlignment alignment = DrawnAlignment();
  UINT format = DrawTextBiDiModeFlagsReadingOnly();
  if (!AutoSize()) {
    if (fontFX_->Angle() != 0) {
      format |= DT_SINGLELINE;
      if (alignment != agTopLeft)
        OmPlaceEffectText(alignment, text, fontFX_.get(), q, format, ShowAccelChar(), MultiLine(), *Font(), RECT(q));
    } else if (!MultiLine()) {
      format |= DT_SINGLELINE;
    } else if (alignment >= agCenterLeft) {
      // The system cannot centre wrapped text vertically: place the block ourselves.
      OmPlaceEffectText(alignment, text, fontFX_.get(), q, format, ShowAccelChar(), MultiLine(), *Font(), RECT(q));
    }
  }
  format |= OptionFlags() | OmAlignmentFlags(alignment) | DT_WORDBREAK | DT_EXPANDTABS;
  if (!ShowAccelChar()) format |= DT_NOPREFIX;
  canvas.Font().Assign(*Font());
  canvas.Brush().SetColor(Color());
  const TColor color = PhaseColor();
  if (color == clNone) return;  // hidden phase of a twinkle
  canvas.Font().SetColor(color);
  OmDrawEffectText(canvas, text, fontFX_.get(), flags.Contains(dfClip) ? &clip : nullptr, flags, format, q);
}

const TPropTable& TOmCustomLabel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmBaseLabel::Properties());
    t.Add("Bevel", RecordProp(&TOmCustomLabel::Bevel));
    t.Add("FontFX", RecordProp(&TOmCustomLabel::FontFX));
    return t;
  }();
  return table;
}
