#include "controls/labels/bitmap_effect.h"

void TOmBitmapEffectObject::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TOmBitmapEffectObject*>(&source);
  if (!other) return TOmObject::Assign(source);
  if (other == this) return;
  active_ = other->active_;
  AttachImageList(other->ImageList());
  ResetBuffer();
  SignalChange();
}

void TOmBitmapEffectObject::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  ResetBuffer();
  SignalChange();
}

void TOmBitmapEffectObject::SetImageList(TOmCustomImageList* list) {
  if (list == ImageList()) return;
  AttachImageList(list);
  ResetBuffer();
  SignalChange();
}

void TOmBitmapEffectObject::AttachImageList(TOmCustomImageList* list) {
  if (list) list->RegisterChanges(imageLink_);
  else if (TOmCustomImageList* old = imageLink_.Sender()) old->UnRegisterChanges(imageLink_);
}

void TOmBitmapEffectObject::Render(const TBitmap& source, int x, int y, TBitmap& target) {
  TCanvas& canvas = target.Canvas();
  const RECT all{-x, -y, source.Width() - x, source.Height() - y};
  source.DrawOn(canvas.Handle(), all);
  buffer_ = std::make_unique<TBitmap>();
  buffer_->Assign(target);
}

const TPropTable& TOmBitmapEffectObject::Properties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add("Active", BoolProp(&TOmBitmapEffectObject::SetActive));
    return t;
  }();
  return table;
}
