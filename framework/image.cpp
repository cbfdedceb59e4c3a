#include "framework/image.h"
#include "framework/properties.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged() {
  if (TGraphic* graphic = picture_->Graphic(); graphic && !dynamic_cast<TIcon*>(graphic))
    graphic->SetTransparent(transparent_);
  if (AutoSize() && !IsLoading()) AdjustSize();
  Invalidate();
}

void TImage::AdjustSize() {
  if (picture_->Width() > 0 && picture_->Height() > 0) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  PictureChanged();
}

void TImage::SetStretch(bool value) { if (value != stretch_) { stretch_ = value; Invalidate(); } }
void TImage::SetCenter(bool value) { if (value != center_) { center_ = value; Invalidate(); } }

RECT TImage::DestRect() const {
  int w = picture_->Width(), h = picture_->Height();
  if (stretch_) return {0, 0, Width(), Height()};
  int x = center_ ? (Width() - w) / 2 : 0, y = center_ ? (Height() - h) / 2 : 0;
  return {x, y, x + w, y + h};
}

void TImage::Paint() {
  if (TGraphic* graphic = picture_->Graphic(); graphic && !graphic->Empty()) Canvas().StretchDraw(DestRect(), *graphic);
}

const TPropTable& TImage::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TGraphicControl::Properties());
    t.Add("Picture", RecordProp(&TImage::Picture));
    t.Add("Transparent", BoolProp(&TImage::SetTransparent));
    t.Add("Stretch", BoolProp(&TImage::SetStretch));
    t.Add("Center", BoolProp(&TImage::SetCenter));
    return t;
  }();
  return table;
}
