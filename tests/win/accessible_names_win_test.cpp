// The lists' objects for screen readers inside the process: which questions they answer, how long
// they live, and the lists without an accessibility library. What another process hears is the
// end-to-end tests' part (tests/e2e/screen_reader_e2e_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include "tests/common/window_reference.h"
#include "tests/win/accessible_answers.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "ui/controls.h"
#include "ui/main_window.h"

namespace {

class AccessibleNames : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    CoInitialize(nullptr);
  }
  void TearDown() override { CoUninitialize(); }
};

LRESULT askWindow(HWND window, LONG objectId) {
  return SendMessageA(window, WM_GETOBJECT, 0, static_cast<LPARAM>(objectId));
}

// A drop-down list as the builder makes one, never named: what every list answered before.
class PlainList {
 public:
  PlainList()
      : window_(CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", nullptr,
                                WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 50, 200, mainWindow,
                                nullptr, nullptr, nullptr)) {}
  ~PlainList() { DestroyWindow(window_); }
  PlainList(const PlainList&) = delete;
  PlainList& operator=(const PlainList&) = delete;
  HWND window() const { return window_; }

 private:
  HWND window_;
};

// Which object a question names, and whether a list answers it with its named object.
struct Question {
  const char* name;
  LONG objectId;
  bool named;
};

const Question questions[] = {
    {"client",          OBJID_CLIENT,            true },
    {"window",          OBJID_WINDOW,            false},
    {"vertical scroll", OBJID_VSCROLL,           false},
    {"class's index",   OBJID_QUERYCLASSNAMEIDX, false},
};

// A question a named list does not answer itself gets the answer a plain list gives.
TEST_F(AccessibleNames, ListsAnswerWithANamedObjectForTheirClientAreaAlone) {
  const PlainList plain;
  for (const Question& question : questions) {
    SCOPED_TRACE(question.name);
    const LRESULT answer = askWindow(memoryCombo, question.objectId);
    if (!question.named) {
      EXPECT_EQ(askWindow(plain.window(), question.objectId), answer);
      continue;
    }
    ASSERT_GT(answer, 0);
    IAccessible* object = nullptr;
    ASSERT_EQ(S_OK,
              ObjectFromLresult(answer, IID_IAccessible, 0, reinterpret_cast<void**>(&object)));
    EXPECT_EQ((Answer{S_OK, referenceCaptionOf("memoryCombo")->text[0]}), nameOf(object));
    object->Release();
  }
}

// Allocations and frees of the process heap made through this program's own imports, which
// the code under test uses for its objects; the system's libraries have imports of their own.
namespace heapWatch {

int allocations;
int frees;
decltype(&HeapAlloc) realHeapAlloc;
decltype(&HeapFree) realHeapFree;

LPVOID WINAPI heapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  ++allocations;
  return realHeapAlloc(heap, flags, size);
}

BOOL WINAPI heapFree(HANDLE heap, DWORD flags, LPVOID memory) {
  ++frees;
  return realHeapFree(heap, flags, memory);
}

class Watching {
 public:
  Watching() {
    realHeapAlloc = allocs_.original();
    realHeapFree = frees_.original();
    allocations = frees = 0;
  }
  bool patched() const { return allocs_.patched() && frees_.patched(); }

 private:
  const ImportPatch<decltype(&HeapAlloc)> allocs_{"kernel32.dll", "HeapAlloc", heapAlloc};
  const ImportPatch<decltype(&HeapFree)> frees_{"kernel32.dll", "HeapFree", heapFree};
};

}  // namespace heapWatch

IAccessible* objectOf(HWND list) {
  IAccessible* object = nullptr;
  ObjectFromLresult(askWindow(list, OBJID_CLIENT), IID_IAccessible, 0,
                    reinterpret_cast<void**>(&object));
  return object;
}

// Whether the list is there or not when it is asked and let go: held by a screen reader past a
// rebuild, the object answers for the gone list without its caption, and goes with the last
// release, not before.
TEST_F(AccessibleNames, AnObjectLivesUntilItsLastReleaseAndOutlivesItsList) {
  for (const bool rebuiltBetween : {false, true}) {
    SCOPED_TRACE(rebuiltBetween ? "list rebuilt while held" : "list kept");
    const heapWatch::Watching watching;
    ASSERT_TRUE(watching.patched());
    const HWND list = clockCombo;
    IAccessible* object = objectOf(list);
    ASSERT_NE(nullptr, object);
    object->AddRef();
    if (rebuiltBetween) rebuild();
    ASSERT_EQ(!rebuiltBetween, IsWindow(list) != FALSE);
    if (rebuiltBetween)
      EXPECT_NE("Uhr", nameOf(object).text) << "a gone list still speaks as if it were there";
    else
      EXPECT_EQ((Answer{S_OK, "Uhr"}), nameOf(object));
    object->Release();
    EXPECT_EQ(0, heapWatch::frees) << "freed while still held";
    object->Release();
    EXPECT_EQ(1, heapWatch::allocations);
    EXPECT_EQ(heapWatch::allocations, heapWatch::frees);
  }
}

// Where the system has no oleacc.dll, a list answers every question as a plain list does.
namespace withoutOleacc {

decltype(&LoadLibraryA) realLoadLibrary;

HMODULE WINAPI loadLibrary(LPCSTR name) {
  return lstrcmpiA(name, "oleacc.dll") == 0 ? nullptr : realLoadLibrary(name);
}

}  // namespace withoutOleacc

TEST_F(AccessibleNames, WithoutTheAccessibilityLibraryListsAnswerAsPlainOnes) {
  const PlainList plain;
  const ImportPatch<decltype(&LoadLibraryA)> loads("kernel32.dll", "LoadLibraryA",
                                                   withoutOleacc::loadLibrary);
  withoutOleacc::realLoadLibrary = loads.original();
  ASSERT_TRUE(loads.patched());
  for (const Question& question : questions) {
    SCOPED_TRACE(question.name);
    EXPECT_EQ(askWindow(plain.window(), question.objectId),
              askWindow(memoryCombo, question.objectId));
  }
}

}  // namespace
