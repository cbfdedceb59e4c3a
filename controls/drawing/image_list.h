// TOmCustomImageList: lists of images the Om controls may show, with change links that tell
// the controls using it; TOmChangeLink; and the application-wide pair of shared lists that a
// description names "OMBML30" and "OMIML30".
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "framework/bitmap.h"
#include "framework/component.h"

class TOmCustomImageList;

class TOmChangeLink {
public:
  TOmChangeLink() = default;
  ~TOmChangeLink();
  TOmChangeLink(const TOmChangeLink&) = delete;
  TOmChangeLink& operator=(const TOmChangeLink&) = delete;
  TOmCustomImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;
private:
  friend class TOmCustomImageList;
  TOmCustomImageList* sender_ = nullptr;
};

class TOmCustomImageList : public TComponent {
public:
  explicit TOmCustomImageList(TComponent* owner);
  ~TOmCustomImageList() override;

  // Images are kept per list; listIndex 0 is the first list.
  int Add(const TBitmap& image, int listIndex = 0);
  void Clear();
  int ListCount() const { return static_cast<int>(lists_.size()); }
  int Count(int listIndex = 0) const;
  bool HasImage(int listIndex, int imageIndex) const;
  const TBitmap* Image(int listIndex, int imageIndex) const;
  // Stretches the image over rect; false when there is none.
  bool Draw(HDC dc, const RECT& rect, int listIndex, int imageIndex) const;

  void RegisterChanges(TOmChangeLink& link);
  void UnRegisterChanges(TOmChangeLink& link);
  void Change();

private:
  std::vector<std::vector<std::unique_ptr<TBitmap>>> lists_;
  std::vector<TOmChangeLink*> links_;
};

// The two lists every Om control may refer to by name in a description.
TOmCustomImageList& OmSharedBitmapList();  // "OMBML30"
TOmCustomImageList& OmSharedImageList();   // "OMIML30"
// The stored name of a shared list, or empty for any other list.
std::string OmSharedListName(const TOmCustomImageList* list);
// The shared list of a stored name, or nullptr.
TOmCustomImageList* OmSharedListByName(const std::string& name);

struct TFormValue;
struct TFormProperty;
// The stored property "Internal" that names a shared list: reads it (true when the name was
// "Internal"; an unknown list is a bad value) and writes it only for a shared list.
bool OmReadInternalList(const std::string& name, const TFormValue& value, TOmCustomImageList*& list);
void OmWriteInternalList(const TOmCustomImageList* list, std::vector<TFormProperty>& out);
