// The program's command line: /write-exe-path "<folder>" and /create-exe-path "<folder>", which
// an elevated copy of the program is started with when Windows refused the window's own write.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include "app/system_port.h"

// The elevated copy's exit codes, documented for people who script the repair.
enum TWriteExePathExit : DWORD { weWritten = 0, weFailed = 1, weRefused = 2, weDenied = 5 };

// Write stores into the existing key only; Create also makes the key when it is missing.
enum class TExePathForm { Write, Create };

constexpr wchar_t kWriteExePathSwitch[] = L"/write-exe-path";
constexpr wchar_t kCreateExePathSwitch[] = L"/create-exe-path";
// The longest folder the registry value may be given.
constexpr std::size_t kMaxFolderLength = 32767;

struct TExePathCommand {
  TExePathForm form;
  std::wstring folder;
};

// The argument for `folder`, quoted so that CommandLineToArgvW reads the folder back.
std::wstring ExePathArgument(TExePathForm form, const std::wstring& folder);
// What follows the program's own name in a command line as GetCommandLineW gives it.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);
bool IsBlank(std::wstring_view text);
// Arguments that start with a switch are the command line's; anything else (a folder dropped on
// the program, say) is not meant for it, and the window opens as without arguments.
bool StartsWithSwitch(std::wstring_view arguments);
// True when the first word is one of the two switches: a malformed form of them is refused
// silently (scripts read the exit code); any other switch is answered with the usage.
bool NamesExePathSwitch(std::wstring_view arguments);
// The command when `arguments` are exactly a switch and one acceptable quoted folder.
std::optional<TExePathCommand> ParseExePathCommand(std::wstring_view arguments);
// Refuses a malformed argument, else writes the folder; the result is the exit code.
DWORD RunExePathCommand(TSystemPort& system, std::wstring_view arguments);
