// TOmFormShape: a form's background picture for the Om controls on it; a transparent control
// standing on the form shows this picture through it.
#pragma once
#include <memory>
#include "framework/bitmap.h"
#include "framework/component.h"

class TWinControl;

class TOmFormShape : public TComponent {
public:
  explicit TOmFormShape(TComponent* owner);
  ~TOmFormShape() override;
  TBitmap* Image() const { return image_.get(); }
  bool HasImage() const { return !image_->Empty(); }
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
private:
  std::unique_ptr<TBitmap> image_;
};

// The form-shape component owned by `parent` when it is a form whose window exists, else nullptr.
TOmFormShape* OmFormShapeOf(const TWinControl* parent);
