#include "framework/clipboard.h"
#include <cstring>
#include "framework/object.h"
#include "framework/strings.h"

namespace {
// Locks a global block for one scope.
class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~TGlobalLock() { if (data_) GlobalUnlock(block_); }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Data() const { return data_; }
  size_t Size() const { return data_ ? GlobalSize(block_) : 0; }
private:
  HGLOBAL block_;
  void* data_;
};
}  // namespace

TClipboard::TClipboard(HWND owner) {
  for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
    if (attempt) Sleep(10);
    open_ = OpenClipboard(owner) != FALSE;
  }
}

TClipboard::~TClipboard() {
  if (open_) CloseClipboard();
}

bool TClipboard::SetText(const std::wstring& text) {
  if (!open_ || !EmptyClipboard()) return false;
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
  if (!block) return false;
  {
    TGlobalLock lock(block);
    if (!lock.Data()) {
      GlobalFree(block);
      return false;
    }
    std::memcpy(lock.Data(), text.c_str(), bytes);
  }
  // The system owns the block only once SetClipboardData succeeds.
  if (!SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

bool TClipboard::GetText(std::wstring& text) const {
  if (!open_) return false;
  // Read no further than the block reaches, whatever its writer forgot.
  if (HGLOBAL block = GetClipboardData(CF_UNICODETEXT)) {
    TGlobalLock lock(block);
    if (!lock.Data()) return false;
    const auto* chars = static_cast<const wchar_t*>(lock.Data());
    const size_t limit = lock.Size() / sizeof(wchar_t);
    size_t n = 0;
    while (n < limit && chars[n]) ++n;
    text.assign(chars, n);
    return true;
  }
  if (HGLOBAL block = GetClipboardData(CF_TEXT)) {
    TGlobalLock lock(block);
    if (!lock.Data()) return false;
    const auto* chars = static_cast<const char*>(lock.Data());
    const size_t limit = lock.Size();
    size_t n = 0;
    while (n < limit && chars[n]) ++n;
    try {
      text = AnsiToWide(std::string(chars, n));
    } catch (const Exception&) {
      return false;  // not text in our code page: nothing to paste
    }
    return true;
  }
  return false;
}

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}
