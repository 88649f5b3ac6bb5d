// Import-table patching for this executable's own calls.
#include "tests/win/import_patch.h"

#include <windows.h>

#include <cstring>

namespace {

template <typename T>
T* at(BYTE* base, DWORD offset) {
  return reinterpret_cast<T*>(base + offset);
}

void writeEntry(void** entry, void* value) {
  DWORD oldProtection = 0;
  VirtualProtect(entry, sizeof(void*), PAGE_READWRITE, &oldProtection);
  *entry = value;
  VirtualProtect(entry, sizeof(void*), oldProtection, &oldProtection);
}

}  // namespace

void* patchImport(const char* dll, const char* function, void* replacement) {
  BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = at<IMAGE_NT_HEADERS>(base, dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* module = at<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); module->Name != 0;
       ++module) {
    if (_stricmp(at<char>(base, module->Name), dll) != 0) continue;
    auto* names = at<IMAGE_THUNK_DATA>(base, module->OriginalFirstThunk);
    auto* addresses = at<IMAGE_THUNK_DATA>(base, module->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          at<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      void** entry = reinterpret_cast<void**>(&addresses->u1.Function);
      void* original = *entry;
      writeEntry(entry, replacement);
      return original;
    }
  }
  return nullptr;
}
