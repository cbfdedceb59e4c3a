#include "tests/app/fake_system.h"
#include <gtest/gtest.h>
#include <cstdio>
#include "framework/object.h"
#include "framework/strings.h"

namespace {
const char* TypeName(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return "mtWarning";
    case TMsgDlgType::mtError: return "mtError";
    case TMsgDlgType::mtInformation: return "mtInformation";
    case TMsgDlgType::mtConfirmation: return "mtConfirmation";
    case TMsgDlgType::mtCustom: return "mtCustom";
  }
  return "?";
}

std::string ButtonNames(TMsgDlgButtons buttons) {
  static const std::pair<TMsgDlgBtn, const char*> kNames[] = {
      {TMsgDlgBtn::mbYes, "Yes"}, {TMsgDlgBtn::mbNo, "No"}, {TMsgDlgBtn::mbOK, "OK"}, {TMsgDlgBtn::mbCancel, "Cancel"}};
  std::string out;
  for (const auto& [button, name] : kNames) {
    if (!buttons.Contains(button)) continue;
    if (!out.empty()) out += ",";
    out += name;
  }
  return "[" + out + "]";
}

std::string MessageName(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_CHAR: return "WM_CHAR";
  }
  return TFakeSystem::Hex(msg);
}
}  // namespace

std::string BoxLine(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& text) {
  return std::string("MessageBox ") + TypeName(type) + " " + ButtonNames(buttons) + " " + text;
}

std::string TFakeSystem::Hex(unsigned long long n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llX", n);
  return buffer;
}

std::string TFakeSystem::Name(const void* handle) const {
  if (!handle) return "null";
  if (handle == process) return "process";
  if (handle == editor) return "editor";
  if (handle == tree) return "tree";
  return Hex(reinterpret_cast<uintptr_t>(handle));
}

TKeyOpen TFakeSystem::RegOpenKey(HKEY root, const std::string& path, REGSAM access) {
  const bool user = root == HKEY_CURRENT_USER;
  calls.push_back("RegOpenKey " + std::string(root == HKEY_LOCAL_MACHINE ? "HKLM" : user ? "HKCU" : "other-root") +
                  " " + path + " " + Hex(access));
  openedForWrite_ = (access & KEY_SET_VALUE) != 0;
  openUserKey_ = user ? path : std::string();
  openOtherView_ = !user && (access & KEY_WOW64_64KEY) != 0;
  const bool present = user ? userCopies.count(path) != 0 : openOtherView_ ? otherViewValue.has_value() : keyPresent;
  const bool allowed = !openedForWrite_ || (user ? canDeleteCopies : canWrite);
  keyOpen = present && allowed;
  return keyOpen ? TKeyOpen::Opened : present ? TKeyOpen::Denied : TKeyOpen::Missing;
}

TKeyOpen TFakeSystem::RegCreateKey(HKEY root, const std::string& path, REGSAM access) {
  calls.push_back("RegCreateKey " + std::string(root == HKEY_LOCAL_MACHINE ? "HKLM" : "other-root") + " " + path +
                  " " + Hex(access));
  EXPECT_TRUE(root == HKEY_LOCAL_MACHINE && (access & KEY_WOW64_32KEY)) << "only the 32-bit view's key is made";
  openedForWrite_ = (access & KEY_SET_VALUE) != 0;
  openUserKey_.clear();
  openOtherView_ = false;
  keyOpen = false;
  if (!keyPresent && !canCreate) return TKeyOpen::Denied;
  keyPresent = true;
  keyOpen = canWrite;
  return keyOpen ? TKeyOpen::Opened : TKeyOpen::Denied;
}

std::string TFakeSystem::RegReadString(const std::string& name) {
  calls.push_back("RegReadString " + name);
  EXPECT_TRUE(keyOpen) << "read without an open key";
  if (!openUserKey_.empty()) return userCopies[openUserKey_];
  if (openOtherView_) return *otherViewValue;
  if (valueWrongType) throw ERegistryException("Invalid data type for '" + name + "'");
  return value.value_or("");
}

void TFakeSystem::RegWriteString(const std::string& name, const std::string& text) {
  calls.push_back("RegWriteString " + name + " = " + text);
  EXPECT_TRUE(keyOpen && openedForWrite_ && openUserKey_.empty() && !openOtherView_)
      << "write without the machine's 32-bit key open for writing";
  value = text;
  valueWrongType = false;
}

bool TFakeSystem::RegDeleteValue(const std::string& name) {
  calls.push_back("RegDeleteValue " + name);
  EXPECT_TRUE(keyOpen && openedForWrite_ && !openUserKey_.empty()) << "only a user copy is ever removed";
  return userCopies.erase(openUserKey_) != 0;
}

void TFakeSystem::RegCloseKey() {
  calls.push_back("RegCloseKey");
  keyOpen = false;
}

bool TFakeSystem::FileExists(const std::string& fileName) {
  calls.push_back("FileExists " + fileName);
  return files.count(fileName) != 0;
}

int TFakeSystem::ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  calls.push_back(BoxLine(type, buttons, text));
  if (buttons == TMsgDlgButtons{TMsgDlgBtn::mbOK}) return mrOk;  // nothing to choose
  if (answers.empty()) {
    ADD_FAILURE() << "no scripted answer for: " << calls.back();
    return mrNone;
  }
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void TFakeSystem::ShellOpen(const std::string& file) { calls.push_back("ShellOpen " + file); }

HANDLE TFakeSystem::ShellStart(SHELLEXECUTEINFOA& info) {
  started = info;
  startedVerb = info.lpVerb ? info.lpVerb : "(null)";
  startedFile = info.lpFile ? info.lpFile : "(null)";
  startedHadParameters = info.lpParameters != nullptr;
  startedHadDirectory = info.lpDirectory != nullptr;
  calls.push_back("ShellStart " + startedVerb + " " + startedFile);
  if (startOpensEditor) editorRunning = true;
  return process;
}

HANDLE TFakeSystem::ShellStartWide(SHELLEXECUTEINFOW& info, DWORD& error) {
  auto text = [](LPCWSTR s) { return s ? WideToAnsi(s) : std::string("(null)"); };
  char owner[64] = "none";
  if (info.hwnd) GetWindowTextA(info.hwnd, owner, sizeof owner);
  calls.push_back("ShellStartWide " + text(info.lpVerb) + " " + text(info.lpFile) + " " + text(info.lpParameters) +
                  " mask " + Hex(info.fMask) + " show " + std::to_string(info.nShow) + " owner " + owner);
  error = startError;
  return startError ? nullptr : process;
}

std::optional<DWORD> TFakeSystem::WaitForProcessExit(HANDLE handle) {
  calls.push_back("WaitForProcessExit " + Name(handle));
  if (childWrites) {
    value = childWrites;
    keyPresent = true;
  }
  return childExit;
}

std::wstring TFakeSystem::ProgramFile() {
  calls.push_back("ProgramFile");
  return programFile;
}

DWORD TFakeSystem::WaitForInputIdle(HANDLE handle, DWORD milliseconds) {
  calls.push_back("WaitForInputIdle " + Name(handle) + " " + std::to_string(milliseconds));
  return 0;
}

void TFakeSystem::CloseHandle(HANDLE handle) { calls.push_back("CloseHandle " + Name(handle)); }

HWND TFakeSystem::FindWindowByClass(const std::string& className) {
  calls.push_back("FindWindow " + className);
  if (editorRunning && started.cbSize != 0 && editorLateLooks > 0) {
    --editorLateLooks;
    return nullptr;
  }
  return editorRunning ? editor : nullptr;
}

HWND TFakeSystem::FindChildWindow(HWND parent, const std::string& className) {
  calls.push_back("FindChildWindow " + Name(parent) + " " + className);
  return parent == editor ? tree : nullptr;
}

void TFakeSystem::ShowWindow(HWND window, int command) {
  calls.push_back("ShowWindow " + Name(window) + " " + std::to_string(command));
}

void TFakeSystem::SetForegroundWindow(HWND window) { calls.push_back("SetForegroundWindow " + Name(window)); }

LRESULT TFakeSystem::SendMessageTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  calls.push_back("SendMessage " + Name(window) + " " + MessageName(msg) + " " + Hex(wParam) + " " +
                  std::to_string(lParam));
  return 0;
}

void TFakeSystem::Sleep(DWORD milliseconds) { calls.push_back("Sleep " + std::to_string(milliseconds)); }

bool TFakeSystem::Is64BitWindows() {
  calls.push_back("Is64BitWindows");
  return is64Bit;
}
