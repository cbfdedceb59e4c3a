// Waiting on the GUI thread for something outside it, as a modal box waits: the thread's
// windows stay painted and answer what is sent or posted to them, but take no input.
#pragma once
#include <windows.h>

// True once `object` is signalled; false when a quit request (posted again for the loop
// outside) or a failed wait ended it first.
bool WaitKeepingWindowsPainted(HANDLE object);
