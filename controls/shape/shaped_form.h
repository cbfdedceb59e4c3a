// TShapedForm: a picture that fills a border-less form, gives the window its outline from the
// region stored with the description ("Mask2") and moves the window when dragged.
// TRegionType: the region the component holds, and who owns it.
#pragma once
#include <memory>
#include <vector>
#include <windows.h>
#include "framework/image.h"

class TShapedForm;

// Holds a region. It is ours (and deleted with the holder) until the window takes it over;
// after that the handle belongs to the system and is never deleted or read here again, so
// the region's data is kept aside for saving.
class TRegionType : public TPersistent {
public:
  explicit TRegionType(TShapedForm* owner = nullptr) : owner_(owner) {}
  ~TRegionType() override { Clear(); }
  TRegionType(const TRegionType&) = delete;
  TRegionType& operator=(const TRegionType&) = delete;

  HRGN Handle() const { return handle_; }
  bool Empty() const { return handle_ == nullptr; }
  bool Owned() const { return handle_ && owned_; }  // false once the window has it
  TShapedForm* Owner() const { return owner_; }
  void SetOwner(TShapedForm* owner) { owner_ = owner; }

  // Takes `region` as ours, dropping the region held before.
  void Hold(HRGN region);
  // The window now owns the held region; `data` is its region data, kept for saving.
  void HandedOver(std::vector<unsigned char> data);
  // Forgets the region, deleting it only while it is still ours.
  void Clear();
  // The region data block (RGNDATA), empty when there is no region.
  std::vector<unsigned char> Data() const;

private:
  HRGN handle_ = nullptr;
  bool owned_ = false;
  std::vector<unsigned char> data_;
  TShapedForm* owner_;
};

class TShapedForm : public TImage {
public:
  explicit TShapedForm(TComponent* owner);
  ~TShapedForm() override;

  TRegionType* Mask() const { return mask_.get(); }
  // Uses `mask` from now on (the one before is freed with its region); nullptr is ignored.
  void SetMask(std::unique_ptr<TRegionType> mask);
  bool Draggable() const { return draggable_; }
  void SetDraggable(bool value) { draggable_ = value; }

  // The face always sits at the form's top left.
  void SetTop(int value) override;
  void SetLeft(int value) override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // Only a form can carry the face; it loses its border.
  void SetParent(TWinControl* parent) override;

  // "Mask2": a 4-byte little-endian count, then that many bytes of region data (0: none).
  void ReadMask(const std::vector<unsigned char>& stored);
  std::vector<unsigned char> StoredMask() const;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  void WriteCustomProperties(std::vector<TFormProperty>& out) const override;

  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void PictureChanged() override;

private:
  std::unique_ptr<TRegionType> mask_;
  bool draggable_ = true;
};
