// Names for screen readers: each drop-down list answers with an object that is the system's own
// for it in everything but its name, which is the caption painted beside it.
#include "ui/accessible_names.h"

#include <oleacc.h>

#include <cstddef>
#include <cstring>

#include "ui/captions.h"
#include "ui/controls.h"
#include "ui/system_function.h"

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

// A method table's entry: every method has its own type, the table one for all.
using Method = void (*)();

// The system's object for a list, passed every call but the list's own name. COM sees the
// method table first, as in every object. A screen reader may hold the object after the list is
// gone: the system's object then answers for the dead window, the name included. Called on the
// window's thread alone, a single-threaded apartment, so the count needs no interlocking.
struct NamedList {
  const Method* methods;
  IAccessible* standard;
  HWND list;
  ULONG references;
};

// The thunks below find the system's object right after the method table.
static_assert(offsetof(NamedList, standard) == sizeof(void*), "the thunks read it there");

// Every method but four goes on to the system's object as it came: its thunk puts that object
// in place of ours as the first argument and jumps to the same method of it, so it needs to know
// neither the method's arguments nor who clears them from the stack. The same 24 methods written
// in C++ cost the 64-bit editor 1 KiB more, a copy of every VARIANT passed by value included.
// Slot n jumps to slot n: 3-6 are IDispatch's, 7-27 IAccessible's in their declared order.
// clang-format off
#define FORWARDED_BEFORE_NAME(X) X(3) X(4) X(5) X(6) X(7) X(8) X(9)
#define FORWARDED_AFTER_NAME(X) \
  X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26) X(27)
#if defined(__x86_64__)
#define THUNK(slot)                   \
  "namedListForward" #slot ":\n"      \
  "  movq 8(%rcx), %rcx\n"            \
  "  movq (%rcx), %rax\n"             \
  "  jmp *(" #slot "*8)(%rax)\n"
#elif defined(__i386__)
#define THUNK(slot)                   \
  "namedListForward" #slot ":\n"      \
  "  movl 4(%esp), %eax\n"            \
  "  movl 4(%eax), %eax\n"            \
  "  movl %eax, 4(%esp)\n"            \
  "  movl (%eax), %eax\n"             \
  "  jmp *(" #slot "*4)(%eax)\n"
#endif
asm(".section .text$namedListForwards,\"x\"\n"
    FORWARDED_BEFORE_NAME(THUNK) FORWARDED_AFTER_NAME(THUNK)
    ".text\n");
#define DECLARE_THUNK(slot) extern "C" void namedListForward##slot() asm("namedListForward" #slot);
FORWARDED_BEFORE_NAME(DECLARE_THUNK)
FORWARDED_AFTER_NAME(DECLARE_THUNK)
// clang-format on

HRESULT STDMETHODCALLTYPE queryInterface(NamedList* self, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (same(iid, iidUnknown) || same(iid, iidDispatch) || same(iid, iidAccessible)) {
    *object = self;
    ++self->references;
    return S_OK;
  }
  // The window and the children are the system object's to tell.
  if (same(iid, iidEnumVariant) || same(iid, iidOleWindow))
    return self->standard->QueryInterface(iid, object);
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE addRef(NamedList* self) {
  return ++self->references;
}

ULONG STDMETHODCALLTYPE release(NamedList* self) {
  const ULONG left = --self->references;
  if (left == 0) {
    self->standard->Release();
    HeapFree(GetProcessHeap(), 0, self);
  }
  return left;
}

HRESULT STDMETHODCALLTYPE getName(NamedList* self, VARIANT child, BSTR* name) {
  const char* caption =
      child.vt == VT_I4 && child.lVal == CHILDID_SELF ? captionOf(self->list) : nullptr;
  if (caption == nullptr || name == nullptr) return self->standard->get_accName(child, name);
  return answerText(caption, name);
}

// clang-format off
#define THUNK_SLOT(slot) namedListForward##slot,
const Method namedListMethods[] = {
    reinterpret_cast<Method>(queryInterface),
    reinterpret_cast<Method>(addRef),
    reinterpret_cast<Method>(release),
    FORWARDED_BEFORE_NAME(THUNK_SLOT)
    reinterpret_cast<Method>(getName),
    FORWARDED_AFTER_NAME(THUNK_SLOT)
};
// clang-format on
static_assert(sizeof(namedListMethods) == 28 * sizeof(void*), "IAccessible has 28 methods");

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
  auto* named = static_cast<NamedList*>(HeapAlloc(GetProcessHeap(), 0, sizeof(NamedList)));
  if (named == nullptr) {
    standard->Release();
    return 0;
  }
  *named = NamedList{namedListMethods, standard, list, 1};
  joinComOnce();
  const LRESULT reference = referenceFrom(iidAccessible, flags, reinterpret_cast<IUnknown*>(named));
  // The reference holds the object by itself now.
  release(named);
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
