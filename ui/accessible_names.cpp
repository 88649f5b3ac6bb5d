// Names for screen readers: each drop-down list answers with an object that is the system's own
// for it in everything but its name, which is the caption painted beside it.
#include "ui/accessible_names.h"

#include <oleacc.h>

#include <cstring>
#include <new>

#include "settings/system_function_win.h"
#include "ui/captions.h"
#include "ui/controls.h"

namespace {

// The interfaces by their identities, written here: the editor links no COM import library, and
// oleacc.dll, oleaut32.dll and ole32.dll are found at run time.
// clang-format off
constexpr IID iidUnknown     = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iidDispatch    = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iidEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iidOleWindow   = {0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iidAccessible  = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
// clang-format on

using CreateStandardObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ReferenceFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
using AllocateText = BSTR(WINAPI*)(const OLECHAR*, UINT);
using JoinCom = HRESULT(WINAPI*)(void*);

bool same(REFIID a, const IID& b) {
  return std::memcmp(&a, &b, sizeof(IID)) == 0;
}

// The caption that labels `list`, in the window's language; null for a window that is no longer
// one of the lists.
const char* captionOf(HWND list) {
  for (const Caption& caption : allCaptions())
    if (caption.labels != nullptr && *caption.labels == list) return caption.text[languageColumn()];
  return nullptr;
}

// The caption as the text a screen reader is given, converted as the ANSI functions that paint
// it convert it.
HRESULT answerText(const char* text, BSTR* answer) {
  const auto allocate = systemFunction<AllocateText>("oleaut32.dll", "SysAllocStringLen");
  const int length = static_cast<int>(std::strlen(text));
  *answer = allocate == nullptr ? nullptr : allocate(nullptr, static_cast<UINT>(length));
  if (*answer == nullptr) return E_OUTOFMEMORY;
  MultiByteToWideChar(CP_ACP, 0, text, length, *answer, length);
  return S_OK;
}

// The system's object for a list, passed every call but the list's own name. A screen reader may
// hold the object after the list is gone: the system's object then answers for the dead window,
// the name included. Called on the window's thread alone, a single-threaded apartment, so the
// count needs no interlocking.
class NamedList final : public IAccessible {
 public:
  // Keeps the caller's reference to `standard`, which stays the caller's where there is no memory
  // (null then). On the process heap: the editor links no C++ runtime for new and delete.
  static NamedList* create(IAccessible* standard, HWND list) {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(NamedList));
    return memory == nullptr ? nullptr : new (memory) NamedList(standard, list);
  }

  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (same(iid, iidUnknown) || same(iid, iidDispatch) || same(iid, iidAccessible)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    // The window and the children are the system object's to tell.
    if (same(iid, iidEnumVariant) || same(iid, iidOleWindow))
      return standard_->QueryInterface(iid, object);
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      this->~NamedList();
      HeapFree(GetProcessHeap(), 0, this);
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const char* caption =
        child.vt == VT_I4 && child.lVal == CHILDID_SELF ? captionOf(list_) : nullptr;
    if (caption == nullptr || name == nullptr) return standard_->get_accName(child, name);
    return answerText(caption, name);
  }

  // Every other method goes on to the system's object as it came.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrongArgument) override {
    return standard_->Invoke(member, iid, locale, flags, parameters, result, exception,
                             wrongArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(helpFile, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
    return standard_->get_accFocus(focused);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
    return standard_->get_accSelection(selected);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG selection, VARIANT child) override {
    return standard_->accSelect(selection, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  NamedList(IAccessible* standard, HWND list) : standard_(standard), list_(list) {}
  // Only Release ends the object, and with it the reference to the system's.
  ~NamedList() { standard_->Release(); }

  IAccessible* standard_;
  HWND list_;
  ULONG references_ = 1;
};

bool comJoined;

// A screen reader in another process reaches the object through COM, which hands its calls to
// this thread as a single-threaded apartment: through the message loop, one at a time. Once, on
// the first question, so that nothing changes for a user without a screen reader.
void joinComOnce() {
  if (comJoined) return;
  comJoined = true;
  const auto join = systemFunction<JoinCom>("ole32.dll", "CoInitialize");
  if (join != nullptr) join(nullptr);
}

// The reference WM_GETOBJECT answers with, or 0 where the system has no accessibility library:
// the list then answers as it always has.
LRESULT namedObjectReference(HWND list, WPARAM flags) {
  const auto createStandard =
      systemFunction<CreateStandardObject>("oleacc.dll", "CreateStdAccessibleObject");
  const auto referenceFrom = systemFunction<ReferenceFromObject>("oleacc.dll", "LresultFromObject");
  IAccessible* standard = nullptr;
  if (createStandard == nullptr || referenceFrom == nullptr ||
      createStandard(list, OBJID_CLIENT, iidAccessible, reinterpret_cast<void**>(&standard)) !=
          S_OK)
    return 0;
  NamedList* named = NamedList::create(standard, list);
  if (named == nullptr) {
    standard->Release();
    return 0;
  }
  joinComOnce();
  const LRESULT reference = referenceFrom(iidAccessible, flags, named);
  // The reference holds the object by itself now.
  named->Release();
  return reference;
}

// The lists are all of one class, so one procedure stands behind each of them.
WNDPROC listProcedure;

LRESULT CALLBACK namedListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  // The object's identifier is a 32-bit value, however wide lParam is.
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    const LRESULT reference = namedObjectReference(list, wParam);
    if (reference > 0) return reference;
  }
  return CallWindowProcA(listProcedure, list, message, wParam, lParam);
}

}  // namespace

void nameListsForScreenReaders() {
  for (const Caption& caption : allCaptions()) {
    if (caption.labels == nullptr || *caption.labels == nullptr) continue;
    const LONG_PTR previous = SetWindowLongPtrA(*caption.labels, GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(namedListProcedure));
    if (previous != 0) listProcedure = reinterpret_cast<WNDPROC>(previous);
  }
}
