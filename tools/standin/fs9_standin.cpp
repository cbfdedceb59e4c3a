// A stand-in for the simulator's executable: says what it is, and leaves a marker file
// beside itself so tests can see it was started.
#include <windows.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string marker(path);
  marker = marker.substr(0, marker.find_last_of('\\') + 1) + "started.txt";
  HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, "started\r\n", 9, &written, nullptr);
    CloseHandle(file);
  }
  if (GetEnvironmentVariableA("OSTRI_STANDIN_QUIET", nullptr, 0) == 0)
    MessageBoxA(nullptr, "This is the stand-in fs9.exe of the Ostrimark demo.\r\nThe real simulator would start here.",
                "FS9 stand-in", MB_OK | MB_ICONINFORMATION);
  return 0;
}
