#include "app/main_form.h"
#include "app/texts.h"
#include "app/win32_system.h"
#include "app/write_exe_path.h"
#include "framework/application.h"
#include "framework/msgbox.h"

namespace {
// Runs elevated, so it takes nothing else from the user: no window, no other program, and no
// library from the current folder, where anyone may have put one.
int RunElevatedEntry(std::wstring_view arguments) {
  SetDllDirectoryW(L"");
  TWin32System system;
  return static_cast<int>(RunExePathCommand(system, arguments));
}

// A switch the program does not know: say how it is used rather than end without a word.
int ShowUsage() {
  MessageDlg(texts::kUsage, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
  return static_cast<int>(weRefused);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The two switches are the elevated entry's: what it does not accept exactly, it refuses
  // silently, as scripts read the exit code.
  const std::wstring_view arguments = CommandLineArguments(GetCommandLineW());
  if (NamesExePathSwitch(arguments)) return RunElevatedEntry(arguments);
  if (StartsWithSwitch(arguments)) return ShowUsage();
  // No apartment yet: the first shell call enters one (framework/shell_calls.h), so that
  // ole32 is not loaded before the first paint.
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle("Quarnel Ostrimark");
    application.CreateForm<TForm1>();
  } catch (const std::exception& error) {
    application.HandleException(error);
    return 1;
  }
  return application.Run();
}
