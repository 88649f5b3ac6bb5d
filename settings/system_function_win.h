// Functions that not every Windows has, looked up by name at run time, so the programs still start
// where they are missing.
#pragma once

#include <windows.h>

// Null when the library or the function is not there.
template <typename Function>
Function systemFunction(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  return module == nullptr ? nullptr
                           : reinterpret_cast<Function>(
                                 reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
