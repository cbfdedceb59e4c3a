// The message of the description error a load raises, or "no error".
#pragma once
#include <string>
#include "framework/object.h"

template <class F>
std::string LoadErrorOf(F&& load) {
  try {
    load();
  } catch (const EFormReadError& e) {
    return e.what();
  }
  return "no error";
}
