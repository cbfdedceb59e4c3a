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

const wchar_t* SwitchOf(TExePathForm form) {
  return form == TExePathForm::Create ? kCreateExePathSwitch : kWriteExePathSwitch;
}

// The form whose switch `text` starts with as a whole word, and the text after it.
std::optional<TExePathForm> TakeSwitch(std::wstring_view& text) {
  for (TExePathForm form : {TExePathForm::Write, TExePathForm::Create}) {
    const std::wstring_view name = SwitchOf(form);
    if (text.substr(0, name.size()) != name || (text.size() > name.size() && !IsSeparator(text[name.size()])))
      continue;
    text.remove_prefix(name.size());
    return form;
  }
  return std::nullopt;
}

// The create form makes the key when missing, with the security its parent gives.
TKeyOpen OpenForWrite(TSystemPort& system, TExePathForm form) {
  const TKeyOpen opened = system.RegOpenKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kSetValueAccess);
  if (opened != TKeyOpen::Missing || form != TExePathForm::Create) return opened;
  return system.RegCreateKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kSetValueAccess);
}
}  // namespace

std::wstring ExePathArgument(TExePathForm form, const std::wstring& folder) {
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
  return std::wstring(SwitchOf(form)) + L" " + quoted + L"\"";
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

bool NamesExePathSwitch(std::wstring_view arguments) {
  std::wstring_view rest = SkipSeparators(arguments);
  return TakeSwitch(rest).has_value();
}

std::optional<TExePathCommand> ParseExePathCommand(std::wstring_view arguments) {
  std::wstring_view rest = SkipSeparators(arguments);
  const std::optional<TExePathForm> form = TakeSwitch(rest);
  if (!form || rest.empty()) return std::nullopt;
  rest = SkipSeparators(rest);
  if (rest.empty() || rest.front() != L'"') return std::nullopt;
  // No folder name holds a quote, so the next one closes it; only separators may follow.
  const std::size_t close = rest.find(L'"', 1);
  if (close == std::wstring_view::npos || !IsBlank(rest.substr(close + 1))) return std::nullopt;
  std::optional<std::wstring> folder = Unquoted(rest.substr(1, close - 1));
  if (!folder || !Acceptable(*folder)) return std::nullopt;
  return TExePathCommand{*form, *folder};
}

DWORD RunExePathCommand(TSystemPort& system, std::wstring_view arguments) {
  const std::optional<TExePathCommand> command = ParseExePathCommand(arguments);
  if (!command) return weRefused;
  try {
    TKeyScope scope(system);
    const TKeyOpen opened = OpenForWrite(system, command->form);
    if (opened == TKeyOpen::Denied) return weDenied;
    if (opened == TKeyOpen::Missing) return weFailed;  // the write form never creates it
    system.RegWriteString(texts::kExePathValue, WideToAnsi(command->folder));
    return weWritten;
  } catch (const std::exception&) {
    return weFailed;
  }
}
