// Helpers for the tests under Wine: private directories, whole-file reads and writes, and the
// canonical settings file. Paths are UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "tests/common/expected_file.h"

// A fresh empty directory under the temporary folder, removed with its content at the end.
// The current directory stays as it is.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  // A directory of that name (UTF-8) inside a fresh one; both are removed at the end.
  explicit TemporaryDirectory(const std::string& name);
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::string& path() const { return path_; }
  // The full path of the entry `name` in the directory.
  std::string file(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
  std::string parent_;
};

// Moves the process into a fresh empty directory for one test and back out afterwards,
// removing what the test left there.
class ScratchDirectory {
 public:
  ScratchDirectory();
  // Into a directory of that name (UTF-8), made as TemporaryDirectory(name) makes it.
  explicit ScratchDirectory(const std::string& name);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& path() const { return directory_.path(); }

 private:
  // Declared first: the way back is known before the directory exists.
  std::string previous_;
  TemporaryDirectory directory_;
};

// A relative path counts from the current directory.
void writeWholeFile(const std::string& path, const std::string& bytes);
// The file's bytes, or "<missing>" when it cannot be opened.
std::string readWholeFile(const std::string& path);
// Names of the directory's entries, sorted, one a line, "." and ".." left out.
std::string directoryListing(const std::string& directory = ".");

// The window's text (a title or a control's label), read through the platform.
std::string windowText(HWND window);

// The same through the wide function, as UTF-8: letters beyond the ANSI code page survive.
std::string windowTextUtf8(HWND window);

// UTF-16 and UTF-8, both ways.
std::string utf8Of(const std::wstring& text);
std::wstring wideOf(const std::string& utf8);

// Folder names the Western ANSI code page cannot spell, where a game folder or a Windows
// account may well be named so: Cyrillic and Japanese, UTF-8.
inline constexpr const char* foreignFolderNames[] = {"Игры", "ゲーム"};

// True when the ANSI code page has no letters for the text: without this, a test of such a
// folder would pass on a system whose code page happens to fit.
bool ansiCodePageCannotSpell(const std::string& utf8);

// The system's own words for an error, without the line end they come with.
std::string systemText(DWORD error);

// Another program's handle on the file for reading, sharing only `sharing` with others: 0, as a
// game opens it, lets nobody else in. INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE holdFile(const std::string& path, DWORD sharing = 0);

// Closes a handle on a thread of its own once `afterMs` have passed, as a virus scanner or a
// game lets go of a file while the code under test waits for it.
class ReleaseLater {
 public:
  ReleaseLater(HANDLE held, DWORD afterMs);
  // Waits for the close; without a thread the handle is closed here.
  ~ReleaseLater();
  ReleaseLater(const ReleaseLater&) = delete;
  ReleaseLater& operator=(const ReleaseLater&) = delete;
  bool started() const { return thread_ != nullptr; }

 private:
  static DWORD WINAPI closeWhenDue(void* self);
  HANDLE held_;
  DWORD afterMs_;
  HANDLE thread_;
};
