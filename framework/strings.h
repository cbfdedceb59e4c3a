// The one place where 8-bit (system code page) and 16-bit text meet, plus the file-exists test.
#pragma once
#include <string>

using TEdFString = std::wstring;

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
// True when the text converts to the system code page and back without change.
bool FitsAnsiCodePage(const std::wstring& text);
// True when an entry of that name exists and is not a folder.
bool FileExists(const std::string& fileName);
