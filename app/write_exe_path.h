// The program's one command line: /write-exe-path "<folder>", which an elevated copy of the
// program is started with when Windows refused the window's own write.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include "app/system_port.h"

// The elevated copy's exit codes, documented for people who script the repair.
enum TWriteExePathExit : DWORD { weWritten = 0, weFailed = 1, weRefused = 2, weDenied = 5 };

constexpr wchar_t kWriteExePathSwitch[] = L"/write-exe-path";
// The longest folder the registry value may be given.
constexpr std::size_t kMaxFolderLength = 32767;

// The argument for `folder`, quoted so that CommandLineToArgvW reads the folder back.
std::wstring WriteExePathArgument(const std::wstring& folder);
// What follows the program's own name in a command line as GetCommandLineW gives it.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);
bool IsBlank(std::wstring_view text);
// Arguments that start with a switch are the command line's; anything else (a folder dropped on
// the program, say) is not meant for it, and the window opens as without arguments.
bool StartsWithSwitch(std::wstring_view arguments);
// The folder when `arguments` are exactly the switch and one acceptable quoted folder.
std::optional<std::wstring> ParseWriteExePath(std::wstring_view arguments);
// Refuses a malformed argument, else writes the folder; the result is the exit code.
DWORD RunWriteExePath(TSystemPort& system, std::wstring_view arguments);
