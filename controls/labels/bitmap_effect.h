// TOmBitmapEffectObject: the background effect record of the Om controls. While inactive (the
// default) backgrounds are copied as they are; an active one renders through a cached buffer.
#pragma once
#include <memory>
#include "controls/drawing/om_object.h"
#include "controls/drawing/image_list.h"
#include "framework/bitmap.h"

class TOmBitmapEffectObject : public TOmObject {
public:
  TOmBitmapEffectObject() = default;
  void Assign(const TPersistent& source) override;

  bool Active() const { return active_; }
  void SetActive(bool active);
  // An image list the effect blends in; forgotten when the list goes.
  TOmCustomImageList* ImageList() const { return imageLink_.Sender(); }
  void SetImageList(TOmCustomImageList* list);

  bool HasBuffer() const { return buffer_ && !buffer_->Empty(); }
  const TBitmap* Buffer() const { return buffer_.get(); }
  void ResetBuffer() { buffer_.reset(); }
  // Renders source's part at (x, y) into target and keeps it as the buffer.
  void Render(const TBitmap& source, int x, int y, TBitmap& target);

  static const TPropTable& Properties();

private:
  void AttachImageList(TOmCustomImageList* list);
  bool active_ = false;
  TOmChangeLink imageLink_;  // the list's going clears it
  std::unique_ptr<TBitmap> buffer_;
};
