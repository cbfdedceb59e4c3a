#include "app/main_form.h"
#include "app/win32_system.h"
#include "app/write_exe_path.h"
#include "framework/application.h"

namespace {
// Runs elevated, so it takes nothing else from the user: no window, no other program, and no
// library from the current folder, where anyone may have put one.
int RunElevatedEntry(std::wstring_view arguments) {
  SetDllDirectoryW(L"");
  TWin32System system;
  return static_cast<int>(RunWriteExePath(system, arguments));
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A switch is the elevated entry's: what it does not accept exactly, it refuses.
  const std::wstring_view arguments = CommandLineArguments(GetCommandLineW());
  if (StartsWithSwitch(arguments)) return RunElevatedEntry(arguments);
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
