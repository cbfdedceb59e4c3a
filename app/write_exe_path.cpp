#include "app/write_exe_path.h"
#include "app/texts.h"
#include "framework/object.h"
#include "framework/strings.h"

namespace {
// The one right the write needs: not KEY_WRITE's right to make subkeys.
constexpr REGSAM kSetValueAccess = KEY_SET_VALUE | KEY_WOW64_32KEY;

bool IsSeparator(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view SkipSeparators(std::wstring_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  return text;
}

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsAbsolute(const std::wstring& folder) {
  const bool letter = folder.size() >= 3 && ((folder[0] >= L'A' && folder[0] <= L'Z') ||
                                             (folder[0] >= L'a' && folder[0] <= L'z'));
  return (letter && folder[1] == L':' && folder[2] == L'\\') || folder.rfind(L"\\\\", 0) == 0;
}

// The checks the window's own write makes, and those a folder name passed by hand needs.
bool Acceptable(const std::wstring& folder) {
  if (folder.empty() || folder.size() > kMaxFolderLength || !IsAbsolute(folder)) return false;
  for (wchar_t c : folder) {
    if (IsControl(c)) return false;
  }
  return FitsAnsiCodePage(folder);
}

// The quoted text between the quotes, decoded as CommandLineToArgvW would; nothing when the
// closing quote would be read as part of the text.
std::optional<std::wstring> Unquoted(std::wstring_view body) {
  std::size_t backslashes = 0;
  while (backslashes < body.size() && body[body.size() - 1 - backslashes] == L'\\') ++backslashes;
  if (backslashes % 2 != 0) return std::nullopt;
  return std::wstring(body.substr(0, body.size() - backslashes / 2));
}
}  // namespace

std::wstring WriteExePathArgument(const std::wstring& folder) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : folder) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them: only then are they doubled.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, L'\\');
  return std::wstring(kWriteExePathSwitch) + L" " + quoted + L"\"";
}

std::wstring_view CommandLineArguments(std::wstring_view commandLine) {
  // The program's name ends at its closing quote, or unquoted at the first separator.
  std::size_t end = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    end = commandLine.find(L'"', 1);
    end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
  } else {
    while (end < commandLine.size() && !IsSeparator(commandLine[end])) ++end;
  }
  return commandLine.substr(end);
}

bool IsBlank(std::wstring_view text) { return SkipSeparators(text).empty(); }

bool StartsWithSwitch(std::wstring_view arguments) {
  const std::wstring_view rest = SkipSeparators(arguments);
  return !rest.empty() && (rest.front() == L'/' || rest.front() == L'-');
}

std::optional<std::wstring> ParseWriteExePath(std::wstring_view arguments) {
  std::wstring_view rest = SkipSeparators(arguments);
  const std::wstring_view name = kWriteExePathSwitch;
  if (rest.substr(0, name.size()) != name) return std::nullopt;
  rest.remove_prefix(name.size());
  if (rest.empty() || !IsSeparator(rest.front())) return std::nullopt;
  rest = SkipSeparators(rest);
  if (rest.empty() || rest.front() != L'"') return std::nullopt;
  // No folder name holds a quote, so the next one closes it; only separators may follow.
  const std::size_t close = rest.find(L'"', 1);
  if (close == std::wstring_view::npos || !IsBlank(rest.substr(close + 1))) return std::nullopt;
  std::optional<std::wstring> folder = Unquoted(rest.substr(1, close - 1));
  if (!folder || !Acceptable(*folder)) return std::nullopt;
  return folder;
}

DWORD RunWriteExePath(TSystemPort& system, std::wstring_view arguments) {
  const std::optional<std::wstring> folder = ParseWriteExePath(arguments);
  if (!folder) return weRefused;
  try {
    TKeyScope scope(system);
    const TKeyOpen opened = system.RegOpenKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kSetValueAccess);
    if (opened == TKeyOpen::Denied) return weDenied;
    if (opened == TKeyOpen::Missing) return weFailed;  // never created: no installer made it
    system.RegWriteString(texts::kExePathValue, WideToAnsi(*folder));
    return weWritten;
  } catch (const std::exception&) {
    return weFailed;
  }
}
