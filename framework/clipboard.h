// TClipboard: the clipboard opened for one scope (with a short retry, since another program may
// hold it for a moment) and closed on every path; text goes in and out as 16-bit strings.
#pragma once
#include <string>
#include <windows.h>

class TClipboard {
public:
  explicit TClipboard(HWND owner);
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  bool IsOpen() const { return open_; }
  // Replaces the clipboard's contents with the text; false (and nothing leaked) on failure.
  bool SetText(const std::wstring& text);
  // Unicode text, else 8-bit text converted; stops at the first zero. False when there is none.
  bool GetText(std::wstring& text) const;

private:
  bool open_ = false;
};

// True when the clipboard offers text in either form; needs no open clipboard.
bool ClipboardHasText();
