// Redirects one imported function of this executable, so a test can watch what the code under
// test hands to the platform.
#pragma once

// Replaces the import of `function` from `dll` in the executable's import table and returns the
// original address (null when the executable does not import it).
void* patchImport(const char* dll, const char* function, void* replacement);

// The import replaced for the life of the object and put back at its end, however the test
// ends (a failed assertion included), so that no later test meets the replacement.
template <typename Function>
class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, Function replacement)
      : dll_(dll),
        function_(function),
        original_(reinterpret_cast<Function>(
            patchImport(dll, function, reinterpret_cast<void*>(replacement)))) {}
  ~ImportPatch() {
    if (original_ != nullptr) patchImport(dll_, function_, reinterpret_cast<void*>(original_));
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  bool patched() const { return original_ != nullptr; }
  // For a replacement that passes calls on.
  Function original() const { return original_; }

 private:
  const char* dll_;
  const char* function_;
  Function original_;
};
