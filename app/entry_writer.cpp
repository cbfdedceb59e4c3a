#include "app/entry_writer.h"
#include "app/texts.h"
#include "framework/strings.h"

#include <cstdio>

namespace {
// The 32-bit view, where the simulator and its installers keep the key.
constexpr REGSAM kWriteAccess = KEY_WRITE | KEY_WOW64_32KEY;
const TMsgDlgButtons kYesNo{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};

// A Win32 error in decimal as the system lists it; an exception code as it is written.
std::string CodeText(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, code < 0x10000 ? "%lu" : "0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// Why the elevated write did not happen; empty when it did or may have (the refresh then
// shows what the registry holds).
std::string ElevationFailure(HANDLE process, DWORD error, std::optional<DWORD> exitCode) {
  if (!process) {
    if (error == ERROR_CANCELLED) return texts::kElevationCancelled;
    return error ? texts::kElevationFailed + CodeText(error) + "." : std::string();
  }
  if (!exitCode || *exitCode == weWritten) return {};
  if (*exitCode == weDenied) return texts::kElevatedDenied;
  if (*exitCode == weRefused) return texts::kElevatedRefused;
  return texts::kElevatedFailed + CodeText(*exitCode) + ".";
}
}  // namespace

void TEntryWriter::Write(const std::wstring& folder, TKeyCreation creation) {
  TKeyOpen opened = WriteToKey(folder, false);
  const bool missing = opened == TKeyOpen::Missing;
  if (missing) {
    if (creation == TKeyCreation::AskFirst && !AgreesToCreate(folder)) return;
    opened = WriteToKey(folder, true);
    if (opened == TKeyOpen::Missing) {
      system_.ShowMessageBox(texts::kCreateFailed, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
      return;
    }
  }
  // The user said yes to a write: a refusal must not pass for success, and need not end it.
  if (opened == TKeyOpen::Denied &&
      system_.ShowMessageBox(texts::kWriteDeniedQuestion, TMsgDlgType::mtWarning, kYesNo) == mrYes)
    WriteElevated(folder, missing ? TExePathForm::Create : TExePathForm::Write);
}

TKeyOpen TEntryWriter::WriteToKey(const std::wstring& folder, bool create) {
  TKeyScope scope(system_);
  const TKeyOpen opened = create ? system_.RegCreateKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kWriteAccess)
                                 : system_.RegOpenKey(HKEY_LOCAL_MACHINE, texts::kFS9KeyPath, kWriteAccess);
  if (opened == TKeyOpen::Opened) system_.RegWriteString(texts::kExePathValue, WideToAnsi(folder));
  return opened;
}

bool TEntryWriter::AgreesToCreate(const std::wstring& folder) {
  const std::string question = texts::kMissingKeyHead + WideToAnsi(folder) + texts::kMissingKeyTail;
  return system_.ShowMessageBox(question, TMsgDlgType::mtWarning, kYesNo) == mrYes;
}

void TEntryWriter::WriteElevated(const std::wstring& folder, TExePathForm form) {
  const std::wstring file = system_.ProgramFile();
  const std::wstring argument = ExePathArgument(form, folder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(SHELLEXECUTEINFOW);
  // No box of the shell's own: the one below says why nothing was written.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_;
  info.lpVerb = L"runas";
  info.lpFile = file.c_str();
  info.lpParameters = argument.c_str();
  info.nShow = SW_HIDE;
  DWORD error = 0;
  HANDLE process = system_.ShellStartWide(info, error);
  std::optional<DWORD> exitCode;
  if (process) {
    exitCode = system_.WaitForProcessExit(process);
    system_.CloseHandle(process);
  }
  const std::string failure = ElevationFailure(process, error, exitCode);
  if (!failure.empty()) system_.ShowMessageBox(failure, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
}
