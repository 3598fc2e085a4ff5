// CComBSTR: a counted wide string as handed over by COM callers. It may
// carry embedded zero characters; a null source is the empty string.
#pragma once

#include <cstddef>

#include "platform/cstring.h"

class CComBSTR {
 public:
  CComBSTR() = default;
  CComBSTR(const wchar_t* text) : m_str(text != nullptr ? text : L"") {}  // implicit: text converts at the call
  CComBSTR(const wchar_t* text, size_t length) : m_str(text != nullptr ? CString(text, length) : CString()) {}
  CComBSTR(const CString& text) : m_str(text) {}

  size_t Length() const { return m_str.size(); }
  operator CString() const { return m_str; }

 private:
  CString m_str;
};
