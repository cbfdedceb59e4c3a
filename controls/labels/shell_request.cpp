#include "controls/labels/shell_request.h"
#include "framework/shell_calls.h"
#include <utility>
#include "framework/application.h"

namespace {
INT_PTR RealShell(const TOmShellRequest& r) {
  auto text = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
  return reinterpret_cast<INT_PTR>(
      shell::ShellExecuteA(r.owner, text(r.verb), r.file.c_str(), text(r.parameters), text(r.directory), r.show));
}

TOmShellHandler& Handler() {
  static TOmShellHandler handler = RealShell;
  return handler;
}
}  // namespace

INT_PTR OmShellExecute(const TOmShellRequest& request) { return Handler()(request); }

TOmShellHandler OmSetShellHandler(TOmShellHandler handler) {
  if (!handler) handler = RealShell;
  return std::exchange(Handler(), std::move(handler));
}

HWND OmApplicationWindow() { return Application ? Application->Handle() : nullptr; }
