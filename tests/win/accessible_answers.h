// What an accessible object answers for itself, as text: the questions a screen reader asks of
// a list, shared by the tests in the editor's process and those asking from outside it.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <ostream>
#include <string>

#include "tests/win/test_support.h"

// One answer: the call's result and what it gave, as text (a role as its number).
struct Answer {
  HRESULT result;
  std::string text;
  bool operator==(const Answer& other) const {
    return result == other.result && text == other.text;
  }
};

inline void PrintTo(const Answer& answer, std::ostream* out) {
  *out << "0x" << std::hex << static_cast<unsigned long>(answer.result) << std::dec << " \""
       << answer.text << "\"";
}

inline VARIANT itself() {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  return child;
}

// Frees `text`: the caller owns what the object gave.
inline Answer textAnswer(HRESULT result, BSTR text) {
  const Answer answer{result,
                      text == nullptr ? "<none>" : utf8Of(std::wstring(text, SysStringLen(text)))};
  SysFreeString(text);
  return answer;
}

inline Answer nameOf(IAccessible* object) {
  BSTR name = nullptr;
  const HRESULT result = object->get_accName(itself(), &name);
  return textAnswer(result, name);
}

inline Answer valueOf(IAccessible* object) {
  BSTR value = nullptr;
  const HRESULT result = object->get_accValue(itself(), &value);
  return textAnswer(result, value);
}

inline Answer roleOf(IAccessible* object) {
  VARIANT role;
  VariantInit(&role);
  const HRESULT result = object->get_accRole(itself(), &role);
  const std::string text =
      role.vt == VT_I4 ? std::to_string(role.lVal) : "type " + std::to_string(role.vt);
  VariantClear(&role);
  return {result, text};
}
