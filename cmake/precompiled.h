// What nearly every source includes, compiled once per preset and reused by every target
// (windows.h alone cost about 0.9 s of each file). Sources still include what they use.
// Standard headers that bring in <cwchar> (string, memory, functional...) stay out: from a
// precompiled header GCC no longer treats MinGW's wchar.h as a system header and warns about
// its inline wmemcpy in every file that copies a wide string.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>
