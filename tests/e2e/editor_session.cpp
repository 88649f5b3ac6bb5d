// The shared fixture of the end-to-end tests.
#include "tests/e2e/editor_session.h"

#include <utility>

std::string preparedAsSaved(const std::map<std::string, std::string>& changed) {
  std::map<std::string, std::string> values = {
      {"MEM:",      "064"},
      {"FPS:",      "2"  },
      {"UHRZEIT:",  "1"  },
      {"WINDOWED:", "1"  },
      {"FSAA:",     "4"  },
      {"STATS:",    "1"  }
  };
  for (const auto& change : changed) values[change.first] = change.second;
  return canonicalSettingsFile(values);
}

void EditorTest::start(const std::string& settings, WORD showState) {
  writeWholeFile(settingsFile(), settings);
  startHere(showState);
}

void EditorTest::startHere(WORD showState) {
  editor_ = std::make_unique<EditorProcess>(directory_.path(), showState);
  ASSERT_TRUE(editor_->started()) << "cannot start " << editorPath() << ", error "
                                  << GetLastError();
  window_ = editor_->waitForMainWindow();
  ASSERT_NE(nullptr, window_) << "the editor shows no MainWindow";
}

namespace {

// The prefix's DPI for the processes started while this lives; then as it was before.
class PrefixDpi {
 public:
  explicit PrefixDpi(DWORD dpi) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof(previous_);
    hadOne_ = RegQueryValueExA(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_),
                               &size) == ERROR_SUCCESS;
    set(dpi);
  }
  ~PrefixDpi() {
    if (hadOne_)
      set(previous_);
    else
      RegDeleteValueA(key_, kValue);
    RegCloseKey(key_);
  }
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;

 private:
  static constexpr const char* kValue = "LogPixels";
  void set(DWORD dpi) {
    RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool hadOne_ = false;
};

}  // namespace

void EditorTest::startAtDpi(const std::string& settings, DWORD dpi) {
  // Once the window shows, the editor has read its DPI; the next start sees the old one again.
  PrefixDpi scaled(dpi);
  start(settings);
}

HWND EditorTest::control(Child child) const {
  const std::vector<HWND> children = controls();
  return children.size() == kControlCount ? children[child] : nullptr;
}

void EditorTest::clickCheck(Child child, int expectedState) const {
  const HWND check = control(child);
  ASSERT_NE(nullptr, check) << "the editor does not show its controls";
  clickControl(check);
  ASSERT_TRUE(waitUntil([&] { return editor_->running() && checkState(check) == expectedState; }))
      << (editor_->running() ? "the click did not reach the editor" : "the editor has ended");
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window_; }))
      << "the click did not activate the editor";
}

void EditorTest::clickButton(Child child) const {
  // A sent message is answered only between the editor's handlers: once it is, an earlier
  // rebuild is over and the button below is the one on screen, not one about to go.
  SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr);
  const HWND button = control(child);
  ASSERT_NE(nullptr, button) << "the editor does not show its controls";
  clickControl(button);
}

namespace {

// Size and last write time, or zeros for a file that is not there.
std::pair<ULONGLONG, ULONGLONG> fileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {0, 0};
  return {
      (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
      (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

}  // namespace

std::string EditorTest::saveAndRead() const {
  const auto before = fileStamp(settingsFile());
  clickButton(kSaveButton);
  // Just after the replace the editor's handle on the new file, open for the rename, may still
  // keep a reader out for a moment.
  std::string bytes = "<unchanged>";
  waitUntil([&] {
    return fileStamp(settingsFile()) != before &&
           (bytes = readWholeFile(settingsFile())) != "<missing>";
  });
  return bytes;
}

void EditorTest::clickFace() const {
  // Inside the upper left panel, right of the order button and above the check boxes.
  clickAt(window_, POINT{285, 45});
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window_; }))
      << "the click did not activate the editor";
}

void EditorTest::expectEndedWithoutWriting(const std::string& fileBefore) const {
  ASSERT_TRUE(editor_->waitForExit()) << "the editor is still running";
  EXPECT_EQ(0u, editor_->exitCode());
  EXPECT_EQ(fileBefore, readWholeFile(settingsFile()));
  EXPECT_EQ("quenlix.ini\n", directoryListing(directory_.path())) << "no stray file may be left";
}

void EditorTest::focusOn(Child child) const {
  if (child == kOrderButton) {
    pressAndSlideOff(control(kOrderButton));
  } else {
    ASSERT_NO_FATAL_FAILURE(clickFace());
    for (size_t press = 0; press < kControlCount && focusedWindow(window_) != control(child);
         ++press) {
      const HWND before = focusedWindow(window_);
      pressChord({kTabKey});
      ASSERT_TRUE(waitUntil([&] { return focusedWindow(window_) != before; }))
          << "Tab did not move the focus";
    }
  }
  ASSERT_TRUE(waitUntil([&] { return focusedWindow(window_) == control(child); }))
      << "the focus did not reach child " << child + 1;
}
