#include "framework/strings.h"

#include <windows.h>

#include <climits>

#include "framework/object.h"

namespace {

// The conversion APIs count in int; longer text cannot be converted in one piece.
int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw EConvertError("Text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) throw EConvertError("Text cannot be converted");
  std::wstring result(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), needed);
  return result;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) throw EConvertError("Text cannot be converted");
  std::string result(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
  return result;
}

bool FitsAnsiCodePage(const std::wstring& text) {
  if (text.empty()) return true;
  const int length = CheckedLength(text.size());
  // A UTF-8 system code page rejects both the flag and the default-char query; the round
  // trip below still catches what it cannot carry (lone surrogates).
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int needed = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                         usedDefaultOut);
  if (needed <= 0 || usedDefault) return false;
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), needed, nullptr, usedDefaultOut);
  return !usedDefault && AnsiToWide(ansi) == text;
}

bool FileExists(const std::string& fileName) {
  // A zero inside the name would silently test a shorter name.
  if (fileName.empty() || fileName.find('\0') != std::string::npos) return false;
  // The 8-bit calls name no file longer than a path; asking with one is asking for trouble.
  if (fileName.size() >= MAX_PATH) return false;
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
