#include "app/main_form.h"
#include "app/win32_system.h"
#include "app/write_exe_path.h"
#include "framework/application.h"
#include "framework/com_apartment.h"

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
  // One apartment for the GUI thread's life: the shell's objects live only inside it.
  TComApartment apartment;
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
