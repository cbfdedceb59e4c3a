#include "controls/shape/shaped_form.h"
#include <algorithm>
#include <cstring>
#include "framework/form.h"
#include "framework/properties.h"

namespace {
// SC_MOVE with the caption hit code: the system's move loop, as if the caption were dragged.
constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;

DWORD ReadDword(const unsigned char* p) {
  return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[2]) << 16 |
         static_cast<DWORD>(p[3]) << 24;
}

std::vector<unsigned char> RegionData(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size == 0) return {};
  std::vector<unsigned char> data(size);
  if (GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) == 0) return {};
  return data;
}

// The system accepts some blocks that are not rectangle lists (it ignores the type, and a
// block longer than its rectangles), and an empty list would make the window vanish; only a
// well-formed, non-empty rectangle list becomes the window's outline.
bool IsRectangleList(const std::vector<unsigned char>& block) {
  if (block.size() < sizeof(RGNDATAHEADER)) return false;
  RGNDATAHEADER header;
  std::memcpy(&header, block.data(), sizeof(header));
  return header.dwSize == sizeof(RGNDATAHEADER) && header.iType == RDH_RECTANGLES && header.nCount > 0 &&
         static_cast<unsigned long long>(header.nCount) * sizeof(RECT) == block.size() - sizeof(RGNDATAHEADER);
}
}  // namespace

void TRegionType::Hold(HRGN region) {
  Clear();
  handle_ = region;
  owned_ = region != nullptr;
}

void TRegionType::HandedOver(std::vector<unsigned char> data) {
  owned_ = false;
  data_ = std::move(data);
}

void TRegionType::Clear() {
  if (handle_ && owned_) DeleteObject(handle_);
  handle_ = nullptr;
  owned_ = false;
  data_.clear();
}

std::vector<unsigned char> TRegionType::Data() const {
  if (!handle_) return {};
  return owned_ ? RegionData(handle_) : data_;
}

TShapedForm::TShapedForm(TComponent* owner) : TImage(owner), mask_(std::make_unique<TRegionType>(this)) {
  SetAlign(alClient);
}

TShapedForm::~TShapedForm() = default;  // the holder deletes a region that is still ours

void TShapedForm::SetMask(std::unique_ptr<TRegionType> mask) {
  if (!mask) return;
  mask->SetOwner(this);
  mask_ = std::move(mask);
}

void TShapedForm::SetTop(int) { TImage::SetTop(0); }
void TShapedForm::SetLeft(int) { TImage::SetLeft(0); }
void TShapedForm::SetWidth(int value) { TImage::SetWidth(value); }
void TShapedForm::SetHeight(int value) { TImage::SetHeight(value); }

void TShapedForm::SetParent(TWinControl* parent) {
  TImage::SetParent(parent);
  if (parent) {
    auto* form = dynamic_cast<TForm*>(parent);
    if (!form) throw EInvalidOperation("Drop the ShapedForm on a FORM!");
    form->SetBorderStyle(bsNone);
  }
  SetTop(0);
  SetLeft(0);
}

void TShapedForm::ReadMask(const std::vector<unsigned char>& stored) {
  mask_->Clear();
  if (stored.size() < 4) throw EConvertError("the region data has no byte count");
  const DWORD count = ReadDword(stored.data());
  if (count > stored.size() - 4) throw EConvertError("the byte count runs past the end of the region data");
  if (count == 0) return;
  // Bytes past the count belong to no region: the count says where the data ends.
  std::vector<unsigned char> block(stored.begin() + 4, stored.begin() + 4 + count);
  if (!IsRectangleList(block)) return;  // refused: the window stays rectangular
  HRGN region = ExtCreateRegion(nullptr, count, reinterpret_cast<const RGNDATA*>(block.data()));
  if (!region) return;
  mask_->Hold(region);
  // At design time the region is only kept, so the full form stays visible.
  if (IsDesigning() || !Parent()) return;
  // The system owns the region after SetWindowRgn and may free it at once; keep its data first.
  std::vector<unsigned char> data = RegionData(region);
  if (SetWindowRgn(Parent()->Handle(), region, TRUE)) mask_->HandedOver(std::move(data));
}

std::vector<unsigned char> TShapedForm::StoredMask() const {
  const std::vector<unsigned char> data = mask_->Data();
  const auto count = static_cast<DWORD>(data.size());
  std::vector<unsigned char> stored(4 + data.size());
  for (int i = 0; i < 4; ++i) stored[i] = static_cast<unsigned char>(count >> (8 * i));
  std::copy(data.begin(), data.end(), stored.begin() + 4);
  return stored;
}

bool TShapedForm::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  if (_stricmp(name.c_str(), "Mask2") != 0) return TImage::ReadCustomProperty(name, value);
  if (value.kind != TFormValue::Kind::Binary) BadValue(value, "binary data expected");
  ReadMask(value.bytes);
  return true;
}

void TShapedForm::WriteCustomProperties(std::vector<TFormProperty>& out) const {
  TImage::WriteCustomProperties(out);
  TFormProperty mask;
  mask.name = "Mask2";
  mask.value.kind = TFormValue::Kind::Binary;
  mask.value.bytes = StoredMask();
  out.push_back(std::move(mask));
}

void TShapedForm::WndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;  // the picture covers everything; nothing to erase
    return;
  }
  TImage::WndProc(message);
}

void TShapedForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!draggable_) return TImage::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  auto* form = dynamic_cast<TForm*>(Parent());
  if (!form || !form->HandleAllocated()) return;
  // Our capture would keep the move loop from getting the mouse; the loop also eats the release.
  ReleaseCapture();
  pressed_ = false;
  form->Perform(WM_SYSCOMMAND, kDragMove, 0);
}

void TShapedForm::PictureChanged() {
  // Bitmap() replaces another kind of picture and calls back here once with the new bitmap.
  if (Parent()) Picture()->Bitmap();
  // A new picture wants a new outline: the held region goes; one the window has stays there.
  mask_->Clear();
}

const TPropTable& TShapedForm::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TImage::Properties());
    t.Add("Draggable", BoolProp(&TShapedForm::SetDraggable));
    return t;
  }();
  return table;
}
