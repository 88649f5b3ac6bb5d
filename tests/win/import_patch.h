// Redirects one imported function of this executable, so a test can watch what the code under
// test hands to the platform.
#pragma once

// Replaces the import of `function` from `dll` in the executable's import table and returns the
// original address (null when the executable does not import it).
void* patchImport(const char* dll, const char* function, void* replacement);
