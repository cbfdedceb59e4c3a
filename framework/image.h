// TImage: a window-less control that paints its picture.
#pragma once
#include "framework/bitmap.h"
#include "framework/control.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(const TPicture& picture) { picture_->Assign(picture); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  void DescribeAccessible(TAccessibleInfo& info) const override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  void Paint() override;
  void AdjustSize() override;
  // Replaceable by descendants that take over the picture's change notification.
  virtual void PictureChanged();
  RECT DestRect() const;
private:
  std::unique_ptr<TPicture> picture_;
  bool transparent_ = false, stretch_ = false, center_ = false;
};
