#include "controls/labels/group_box.h"
#include <utility>
#include "controls/labels/base_label.h"
#include "controls/labels/control.h"
#include "framework/form_reader.h"
#include "framework/themes.h"

// ---- TOmCustomParentPanel

TOmCustomParentPanel::TOmCustomParentPanel(TComponent* owner) : TOmCustomBevelPanel(owner) {}
TOmCustomParentPanel::~TOmCustomParentPanel() = default;

bool TOmCustomParentPanel::HasBackgroundImage() const {
  return picture_ ? true : TOmCustomBevelPanel::HasBackgroundImage();
}

TBitmap* TOmCustomParentPanel::BackgroundImage() const {
  return picture_ ? picture_.get() : TOmCustomBevelPanel::BackgroundImage();
}

POINT TOmCustomParentPanel::MapToBackground(POINT point) const {
  return picture_ ? point : TOmCustomBevelPanel::MapToBackground(point);
}

bool TOmCustomParentPanel::UsesParentBackground() const {
  return picture_ ? true : TOmCustomBevelPanel::UsesParentBackground();
}

bool TOmCustomParentPanel::NeedsDesignOutline() const {
  return !picture_ && TOmCustomBevelPanel::NeedsDesignOutline();
}

bool TOmCustomParentPanel::CopyBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin) {
  if (!picture_) return TOmCustomBevelPanel::CopyBackground(canvas, rect, flags, origin);
  if (IsLoading() || IsDestroying()) return false;
  RECT area = rect;
  const RECT client = ClientRect();
  if (EqualRect(&area, &client)) GetClipBox(canvas.Handle(), &area);  // only what is being painted
  BitBlt(canvas.Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         picture_->Canvas().Handle(), area.left + origin.x, area.top + origin.y, SRCCOPY);
  return true;
}

void TOmCustomParentPanel::RebuildPicture(bool onResize) {
  TOmCustomImageList* list = ImageList();
  if (Transparent() || !list || !list->HasImage(ListIndex(), ImageIndex())) {
    picture_.reset();
    return;
  }
  const RECT client = ClientRect();
  if (onResize && picture_ && client.right < picture_->Width() && client.bottom < picture_->Height()) return;
  if (!picture_) picture_ = std::make_unique<TBitmap>();
  picture_->SetSize(Width(), Height());
  list->Draw(picture_->Canvas().Handle(), RECT{0, 0, Width(), Height()}, ListIndex(), ImageIndex());
}

void TOmCustomParentPanel::Loaded() {
  TOmCustomBevelPanel::Loaded();
  RebuildPicture(false);
  SendToChildren(OMSG_BACKCHANGED);
}

void TOmCustomParentPanel::SubObjectChanged(TObject* sender) {
  if (!IsLoading()) RebuildPicture(false);
  TOmCustomBevelPanel::SubObjectChanged(sender);
}

void TOmCustomParentPanel::ImageListChanged(TObject* sender) {
  TOmCustomBevelPanel::ImageListChanged(sender);
  if (!IsLoading()) SendToChildren(OMSG_BACKCHANGED);
}

void TOmCustomParentPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_SIZE && !IsLoading()) RebuildPicture(true);
  TOmCustomBevelPanel::WndProc(m);
}

// ---- layout

TOmGroupCaptionPlace OmGroupCaptionPlace(TOmGroupCaptionAlign a) {
  static const TOmGroupCaptionPlace kPlaces[] = {
      {gcsTop, 0, agTopLeft, true, false},        {gcsTop, 0, agTopCenter, false, false},
      {gcsTop, 0, agTopRight, false, true},       {gcsLeft, 90, agBottomLeft, true, false},
      {gcsLeft, 90, agCenterLeft, false, false},  {gcsLeft, 90, agTopLeft, false, true},
      {gcsBottom, 0, agBottomLeft, true, false},  {gcsBottom, 0, agBottomCenter, false, false},
      {gcsBottom, 0, agBottomRight, false, true}, {gcsRight, 270, agTopRight, true, false},
      {gcsRight, 270, agCenterRight, false, false}, {gcsRight, 270, agBottomRight, false, true},
  };
  return kPlaces[a <= gcaRightBottom ? a : 0];
}

void OmGroupBoxLayout(TOmGroupCaptionAlign alignment, int w, int ht, int band, int offset, RECT& caption,
                      RECT& frame) {
  const TOmGroupCaptionPlace place = OmGroupCaptionPlace(alignment);
  const int s = place.offsetAtStart ? offset : 0, e = place.offsetAtEnd ? offset : 0;
  const int d = band / 2 - 1;
  switch (place.side) {
    case gcsTop: caption = {s, 0, w - e, band}; frame = {0, d, w, ht}; break;
    case gcsLeft: caption = {0, e, band, ht - s}; frame = {d, 0, w, ht}; break;
    case gcsBottom: caption = {s, ht - band, w - e, ht}; frame = {0, 0, w, ht - d}; break;
    case gcsRight: caption = {w - band, s + 2, w, ht - e}; frame = {0, 0, w - d, ht}; break;
  }
}

// ---- TOmCustomGroupBox

TOmCustomGroupBox::TOmCustomGroupBox(TComponent* owner)
    : TOmCustomParentPanel(owner),
      captionFont_(std::make_unique<TFont>()),
      captionFont3D_(std::make_unique<TOm3DCaption>()),
      rotated_(std::make_unique<TOmFxCaption>()) {
  controlStyle_.Exclude(csOpaque);  // its frame lets the parent show around the caption
  captionFont3D_->OnChange = [this](TObject* sender) { SubObjectChanged(sender); };
  captionFont_->OnChange = [this](TObject* sender) { SubObjectChanged(sender); };
  Bevel()->HoldChanges();
  Bevel()->SetMode(bmStandard);
  Bevel()->SetStandardStyle(lsFrameInset);
  Bevel()->ReleaseChanges(false);
  Bevel()->SetWindowBorderSupport(false);
  MeasureCaption();
  SetBounds(Left(), Top(), 185, 105);
}

TOmCustomGroupBox::~TOmCustomGroupBox() {
  captionFont3D_->OnChange = nullptr;
  captionFont_->OnChange = nullptr;
}

void TOmCustomGroupBox::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  SubObjectChanged(nullptr);
}

void TOmCustomGroupBox::SetAlignment(TOmGroupCaptionAlign value) {
  if (value == alignment_) return;
  alignment_ = value;
  SubObjectChanged(captionFont3D_.get());
  RealignControls();
}

void TOmCustomGroupBox::SetCaptionOffset(int value) {
  if (value == captionOffset_) return;
  captionOffset_ = value;
  SubObjectChanged(nullptr);
}

void TOmCustomGroupBox::SetCaptionParentFont(bool value) {
  if (value == captionParentFont_) return;
  captionParentFont_ = value;
  if (Parent()) Perform(CM_PARENTFONTCHANGED);
}

void TOmCustomGroupBox::MeasureCaption() {
  measuring_ = true;
  rotated_->SetAngle(OmGroupCaptionPlace(alignment_).angle);
  if (rotated_->Angle() != 0 && !OmIsTrueTypeFont(*captionFont_)) OmMakeRotatable(*captionFont_);
  const int oldBand = std::exchange(bandHeight_, OmCaptionLineHeight(rotated_.get(), *captionFont_));
  measuring_ = false;
  // Aligned children stand beside the band: a new band height moves them.
  if (bandHeight_ != oldBand) RealignControls();
}

void TOmCustomGroupBox::SubObjectChanged(TObject* sender) {
  if (sender == captionFont3D_.get()) {
    rotated_->Assign(*captionFont3D_);
    MeasureCaption();
    if (!IsLoading()) Invalidate();
    return;
  }
  if (sender == captionFont_.get()) {
    if (measuring_) return;
    captionParentFont_ = false;
    // The band follows the caption font too, so a larger font is not cut.
    if (!IsLoading()) MeasureCaption();
  }
  TOmCustomParentPanel::SubObjectChanged(sender);
}

void TOmCustomGroupBox::Loaded() {
  if (captionParentFont_) {
    captionFont_->Assign(*Font());
    captionParentFont_ = true;
  }
  TOmCustomParentPanel::Loaded();
  MeasureCaption();
}

void TOmCustomGroupBox::CreateParams(TCreateParams& params) {
  TOmCustomParentPanel::CreateParams(params);
  if (Bevel()->Mode() != bmWindows) return;
  params.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.style &= ~static_cast<DWORD>(WS_BORDER);
}

void TOmCustomGroupBox::AlignControls(RECT& rect) {
  switch (OmGroupCaptionPlace(alignment_).side) {
    case gcsTop: rect.top += bandHeight_; break;
    case gcsLeft: rect.left += bandHeight_; break;
    case gcsBottom: rect.bottom -= bandHeight_; break;
    case gcsRight: rect.right -= bandHeight_; break;
  }
  TOmCustomParentPanel::AlignControls(rect);
}

void TOmCustomGroupBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      if (OmIsAccel(m.WParam, Caption()) && CanFocus()) {
        for (TWinControl* child : TabList()) {
          if (!child->CanFocus()) continue;
          child->SetFocus();
          m.Result = 1;
          return;
        }
      }
      break;  // nothing to focus: not ours to handle
    case CM_ENABLEDCHANGED:
      TOmCustomParentPanel::WndProc(m);
      Repaint();
      return;
    case CM_PARENTFONTCHANGED:
      TOmCustomParentPanel::WndProc(m);
      if (captionParentFont_) {
        captionFont_->Assign(*Font());
        captionParentFont_ = true;
      }
      return;
    case CM_TEXTCHANGED:
      TOmCustomParentPanel::WndProc(m);
      Invalidate();
      RealignControls();
      return;
    default:
      break;
  }
  TOmCustomParentPanel::WndProc(m);
}

TOmGroupCaptionAlign OmMirroredCaption(TOmGroupCaptionAlign alignment) {
  switch (alignment) {
    case gcaTopLeft: return gcaTopRight;
    case gcaTopRight: return gcaTopLeft;
    case gcaBottomLeft: return gcaBottomRight;
    case gcaBottomRight: return gcaBottomLeft;
    default: return alignment;
  }
}

void TOmCustomGroupBox::DrawFrame(const RECT& rect) {
  TCanvas& canvas = Canvas();
  Bevel()->SetWindowBorderSupport(false);
  if (Bevel()->Mode() != bmWindows) {
    Bevel()->PaintBevel(canvas, rect, Transparent());
    return;
  }
  if (ThemedDrawing()) {
    constexpr int kGroupBoxPart = 4, kNormal = 1, kDisabled = 2;
    // Without theme data (the call can fail) the classic frame below stands in.
    TThemeData theme = OpenTheme(L"BUTTON");
    if (theme && theme.DrawBackground(canvas.Handle(), kGroupBoxPart, Enabled() ? kNormal : kDisabled, rect)) return;
  }
  RECT q = rect;
  OmDrawBorderStyle(canvas, q, lsFrameInset, 0);
}

void TOmCustomGroupBox::Paint() {
  if (IsLoading()) return;
  TCanvas& canvas = Canvas();
  PaintBackground(canvas);
  if (!HandleAllocated()) return;
  const RECT client = ClientRect();
  const std::string caption = Caption();
  if (caption.find_first_not_of(' ') == std::string::npos) {
    DrawFrame(client);
    return;
  }
  const TOmGroupCaptionAlign alignment = UseRightToLeftAlignment() ? OmMirroredCaption(alignment_) : alignment_;
  RECT captionRect, frameRect;
  OmGroupBoxLayout(alignment, client.right, client.bottom, bandHeight_, captionOffset_, captionRect, frameRect);
  DrawFrame(frameRect);

  const TOmGroupCaptionPlace place = OmGroupCaptionPlace(alignment);
  const UINT reading = DrawTextBiDiModeFlagsReadingOnly();
  RECT placed{};
  OmPlaceEffectText(place.placement, caption, rotated_.get(), placed, reading, showAccelChar_, false, *captionFont_,
                    captionRect);
  RECT band = placed;
  switch (place.side) {
    case gcsTop: case gcsBottom: band.left -= 2; break;
    case gcsLeft: band.bottom += 2; break;
    case gcsRight: band.top -= 2; break;
  }
  // Clear the frame under the caption with whatever lies behind the box.
  bool cleared = UsesParentBackground() && CopyBackground(canvas, band, 0, POINT{0, 0});
  if (!cleared && ThemedDrawing() && UsesThemeParentBackground())
    cleared = DrawThemeParentBackgroundOn(canvas.Handle(), &band);
  if (!cleared) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(band);
  }

  canvas.Brush().SetColor(Color());
  canvas.Font().Assign(*captionFont_);
  UINT format = reading | OmAlignmentFlags(place.placement) | DT_SINGLELINE | DT_EXPANDTABS;
  if (!showAccelChar_) format |= DT_NOPREFIX;
  OmDrawEffectText(canvas, caption, rotated_.get(), nullptr, Enabled() ? TOmTextDrawFlags{dfEnabled}
                                                                        : TOmTextDrawFlags{dfDisabled},
                   format, placed);
  canvas.Font().Assign(*Font());
}

const TEnumNames<TOmGroupCaptionAlign>& OmGroupCaptionAlignNames() {
  static const TEnumNames<TOmGroupCaptionAlign> names = {
      {"gcaTopLeft", gcaTopLeft}, {"gcaTopCenter", gcaTopCenter}, {"gcaTopRight", gcaTopRight},
      {"gcaLeftBottom", gcaLeftBottom}, {"gcaLeftCenter", gcaLeftCenter}, {"gcaLeftTop", gcaLeftTop},
      {"gcaBottomLeft", gcaBottomLeft}, {"gcaBottomCenter", gcaBottomCenter}, {"gcaBottomRight", gcaBottomRight},
      {"gcaRightTop", gcaRightTop}, {"gcaRightCenter", gcaRightCenter}, {"gcaRightBottom", gcaRightBottom}};
  return names;
}

const TPropTable& TOmCustomGroupBox::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmCustomBevelPanel::Properties());
    t.Add("Alignment", EnumProp(&TOmCustomGroupBox::SetAlignment, OmGroupCaptionAlignNames()));
    t.Add("CaptionFont", RecordProp(&TOmCustomGroupBox::CaptionFont));
    t.Add("CaptionFont3D", RecordProp(&TOmCustomGroupBox::CaptionFont3D));
    t.Add("CaptionOffset", IntProp(&TOmCustomGroupBox::SetCaptionOffset));
    t.Add("CaptionParentFont", BoolProp(&TOmCustomGroupBox::SetCaptionParentFont));
    t.Add("ShowAccelChar", BoolProp(&TOmCustomGroupBox::SetShowAccelChar));
    return t;
  }();
  return table;
}
