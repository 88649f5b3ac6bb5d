// Reading a window's controls, across process boundaries where need be.
#include "bench/control_description.h"

#include <cstdio>

namespace {

// Only the wide forms carry texts across processes; they come back in the ANSI code page.
std::string narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], bytes,
                      nullptr, nullptr);
  return text;
}

std::string windowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]));
  wide.resize(static_cast<size_t>(copied));
  return narrow(wide);
}

std::string listEntries(HWND window) {
  std::string entries;
  const LRESULT count = SendMessageW(window, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(window, CB_GETLBTEXTLEN, index, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<size_t>(length));
    entries += " [" + narrow(wide) + "]";
  }
  return entries;
}

std::string describeControl(HWND control, HWND parent) {
  char className[64] = {};
  GetClassNameA(control, className, sizeof(className));
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  char line[256];
  std::snprintf(line, sizeof(line), "%s style %08lx ex %03lx at %ld,%ld size %ldx%ld", className,
                static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(control, GWL_EXSTYLE)), rect.left,
                rect.top, rect.right - rect.left, rect.bottom - rect.top);
  // A drop-down list's text is its selected entry: a value, which the floor does not set.
  if (lstrcmpiA(className, "ComboBox") == 0) return line + listEntries(control);
  return line + (" \"" + windowText(control) + "\"");
}

struct ChildSearch {
  HWND parent;
  std::vector<HWND> children;
};

BOOL CALLBACK collectDirectChild(HWND child, LPARAM parameter) {
  auto* search = reinterpret_cast<ChildSearch*>(parameter);
  if (GetAncestor(child, GA_PARENT) == search->parent) search->children.push_back(child);
  return TRUE;
}

}  // namespace

std::vector<std::string> describeControls(HWND window) {
  std::vector<std::string> lines{"title \"" + windowText(window) + "\""};
  ChildSearch search{window, {}};
  EnumChildWindows(window, collectDirectChild, reinterpret_cast<LPARAM>(&search));
  for (HWND child : search.children) lines.push_back(describeControl(child, window));
  return lines;
}

bool sameDescription(const std::vector<std::string>& editor,
                     const std::vector<std::string>& floor) {
  for (size_t i = 0; i < editor.size() || i < floor.size(); ++i) {
    const std::string editorLine = i < editor.size() ? editor[i] : "(none)";
    const std::string floorLine = i < floor.size() ? floor[i] : "(none)";
    if (editorLine == floorLine) continue;
    std::fprintf(stderr, "The floor's controls differ from the editor's at line %zu:\n", i + 1);
    std::fprintf(stderr, "  editor: %s\n  floor:  %s\n", editorLine.c_str(), floorLine.c_str());
    return false;
  }
  return true;
}
