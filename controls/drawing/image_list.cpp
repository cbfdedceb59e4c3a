#include "controls/drawing/image_list.h"
#include <algorithm>
#include <cstring>
#include "framework/properties.h"

TOmChangeLink::~TOmChangeLink() {
  if (sender_) sender_->UnRegisterChanges(*this);
}

TOmCustomImageList::TOmCustomImageList(TComponent* owner) : TComponent(owner) {}

TOmCustomImageList::~TOmCustomImageList() {
  for (TOmChangeLink* link : links_) link->sender_ = nullptr;
}

int TOmCustomImageList::Add(const TBitmap& image, int listIndex) {
  if (listIndex < 0) return -1;
  if (listIndex >= ListCount()) lists_.resize(listIndex + 1);
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(image);
  lists_[listIndex].push_back(std::move(copy));
  Change();
  return static_cast<int>(lists_[listIndex].size()) - 1;
}

void TOmCustomImageList::Clear() {
  lists_.clear();
  Change();
}

int TOmCustomImageList::Count(int listIndex) const {
  return listIndex >= 0 && listIndex < ListCount() ? static_cast<int>(lists_[listIndex].size()) : 0;
}

bool TOmCustomImageList::HasImage(int listIndex, int imageIndex) const {
  return imageIndex >= 0 && imageIndex < Count(listIndex);
}

const TBitmap* TOmCustomImageList::Image(int listIndex, int imageIndex) const {
  return HasImage(listIndex, imageIndex) ? lists_[listIndex][imageIndex].get() : nullptr;
}

bool TOmCustomImageList::Draw(HDC dc, const RECT& rect, int listIndex, int imageIndex) const {
  const TBitmap* image = Image(listIndex, imageIndex);
  if (!image || image->Empty()) return false;
  image->DrawOn(dc, rect);
  return true;
}

void TOmCustomImageList::RegisterChanges(TOmChangeLink& link) {
  if (link.sender_ == this) return;
  if (link.sender_) link.sender_->UnRegisterChanges(link);
  link.sender_ = this;
  links_.push_back(&link);
}

void TOmCustomImageList::UnRegisterChanges(TOmChangeLink& link) {
  std::erase(links_, &link);
  if (link.sender_ == this) link.sender_ = nullptr;
}

void TOmCustomImageList::Change() {
  for (TOmChangeLink* link : std::vector<TOmChangeLink*>(links_))
    if (link->OnChange) link->OnChange(this);
}

TOmCustomImageList& OmSharedBitmapList() {
  static TOmCustomImageList list(nullptr);
  return list;
}

TOmCustomImageList& OmSharedImageList() {
  static TOmCustomImageList list(nullptr);
  return list;
}

std::string OmSharedListName(const TOmCustomImageList* list) {
  if (list == &OmSharedBitmapList()) return "OMBML30";
  if (list == &OmSharedImageList()) return "OMIML30";
  return {};
}

TOmCustomImageList* OmSharedListByName(const std::string& name) {
  if (_stricmp(name.c_str(), "OMBML30") == 0) return &OmSharedBitmapList();
  if (_stricmp(name.c_str(), "OMIML30") == 0) return &OmSharedImageList();
  return nullptr;
}

bool OmReadInternalList(const std::string& name, const TFormValue& value, TOmCustomImageList*& list) {
  if (_stricmp(name.c_str(), "Internal") != 0) return false;
  const std::string stored = value.kind == TFormValue::Kind::Identifier ? value.text : ValueToString(value);
  list = OmSharedListByName(stored);
  if (!list) BadValue(value, "unknown shared list '" + stored + "'");
  return true;
}

void OmWriteInternalList(const TOmCustomImageList* list, std::vector<TFormProperty>& out) {
  const std::string shared = OmSharedListName(list);
  if (shared.empty()) return;
  TFormProperty internal;
  internal.name = "Internal";
  internal.value.kind = TFormValue::Kind::String;
  internal.value.text = shared;
  out.push_back(std::move(internal));
}
