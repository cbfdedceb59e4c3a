// A scripted stand-in for the system: answers from the fields below and records every call,
// in order, as one readable line each.
#pragma once
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include "app/system_port.h"

class TFakeSystem : public TSystemPort {
public:
  // Script: the FS9 key and its value.
  bool keyPresent = true;
  std::optional<std::string> value;  // nullopt: the value is absent
  bool valueWrongType = false;       // the read throws as the registry does for a non-string
  bool canWrite = true;              // false: an open for writing is refused
  bool canCreate = true;             // false: making the missing key is refused
  // The same key in the 64-bit view, as a 64-bit tool may have left it (nullopt: no key there).
  std::optional<std::string> otherViewValue;
  // The user's virtualized copies of the value, by key path under HKEY_CURRENT_USER.
  std::map<std::string, std::string> userCopies;
  bool canDeleteCopies = true;

  std::set<std::string> files;       // files that exist
  std::deque<int> answers;           // message box answers, taken in order

  bool editorRunning = false;        // the registry editor window exists
  bool startOpensEditor = true;      // starting it makes the window exist
  int editorLateLooks = 0;           // after a start, this many looks still find no window
  bool is64Bit = false;
  // Starting this program elevated: a start error (ERROR_CANCELLED: the user declined), else
  // what the child stores, if anything, and its exit code (nothing: the wait was cut short).
  std::wstring programFile = L"C:\\Tools\\ostrimark.exe";
  DWORD startError = 0;
  std::optional<std::string> childWrites;
  std::optional<DWORD> childExit = 0;

  // Handles handed out; printed by name in the record.
  HANDLE process = reinterpret_cast<HANDLE>(0x501);
  HWND editor = reinterpret_cast<HWND>(0x601);
  HWND tree = reinterpret_cast<HWND>(0x602);

  // Record.
  std::vector<std::string> calls;
  bool keyOpen = false;
  SHELLEXECUTEINFOA started{};       // the record given to ShellStart; its strings copied below
  std::string startedVerb, startedFile;
  bool startedHadParameters = false, startedHadDirectory = false;

  TKeyOpen RegOpenKey(HKEY root, const std::string& path, REGSAM access) override;
  TKeyOpen RegCreateKey(HKEY root, const std::string& path, REGSAM access) override;
  std::string RegReadString(const std::string& name) override;
  void RegWriteString(const std::string& name, const std::string& value) override;
  bool RegDeleteValue(const std::string& name) override;
  void RegCloseKey() override;
  bool FileExists(const std::string& fileName) override;
  int ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  void ShellOpen(const std::string& file) override;
  HANDLE ShellStart(SHELLEXECUTEINFOA& info) override;
  DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds) override;
  HANDLE ShellStartWide(SHELLEXECUTEINFOW& info, DWORD& error) override;
  std::optional<DWORD> WaitForProcessExit(HANDLE process) override;
  std::wstring ProgramFile() override;
  void CloseHandle(HANDLE handle) override;
  HWND FindWindowByClass(const std::string& className) override;
  HWND FindChildWindow(HWND parent, const std::string& className) override;
  void ShowWindow(HWND window, int command) override;
  void SetForegroundWindow(HWND window) override;
  LRESULT SendMessageTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Sleep(DWORD milliseconds) override;
  bool Is64BitWindows() override;

  std::string Name(const void* handle) const;
  static std::string Hex(unsigned long long n);

private:
  bool openedForWrite_ = false;
  std::string openUserKey_;  // the user key open now, or empty for the machine's
  bool openOtherView_ = false;
};

// The recorded line for a message box, as TFakeSystem writes it.
std::string BoxLine(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& text);
