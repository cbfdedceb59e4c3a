// What nearly every source includes, compiled once per preset and reused by every target
// (windows.h alone cost about 0.9 s of each file). Sources still include what they use.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>
