// The one way the label family hands an address or a file to the shell, so tests can record
// the request instead of starting a browser or a mail program.
#pragma once
#include <functional>
#include <string>
#include <windows.h>

struct TOmShellRequest {
  HWND owner = nullptr;
  std::string verb;  // empty: the default action
  std::string file;
  std::string parameters, directory;  // empty: none
  int show = SW_SHOWNORMAL;
};

// Answers what ShellExecute answers: greater than 32 on success.
using TOmShellHandler = std::function<INT_PTR(const TOmShellRequest& request)>;

INT_PTR OmShellExecute(const TOmShellRequest& request);
// Replaces the handler; an empty one puts the real shell back. Returns the previous one.
TOmShellHandler OmSetShellHandler(TOmShellHandler handler);
// The application's window, owner of the requests.
HWND OmApplicationWindow();
