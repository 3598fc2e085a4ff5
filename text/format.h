// Format: a printf-style formatter for wide text that cannot overflow or cut.
// Conversions: %s (wide text), %c, %d %i, %u %x %X %o, %f %e %E %g %G, %p, %%;
// flags - + blank # 0, width and precision (also as *). Length modifiers
// (h, l, ll, I64, z, ...) are accepted and ignored: the argument's own type
// decides. Arguments are taken by type, so a wrong pairing prints the value
// in the form of its own type instead of reading past the argument list.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

#include "platform/api.h"
#include "platform/cstring.h"

struct VELMORA_API CFormatArg {
  enum Kind { kSigned, kUnsigned, kDouble, kText, kPointer } kind;
  long long i = 0;
  unsigned long long u = 0;
  double d = 0;
  const wchar_t* text = nullptr;
  size_t length = 0;
  unsigned bytes = 0;  // size of the original integer, for %x of a negative value
};

// The argument forms of text and pointers; numbers take the template below.
VELMORA_API CFormatArg MakeFormatArg(const CString& s);
VELMORA_API CFormatArg MakeFormatArg(const wchar_t* s);  // null prints "(null)"
VELMORA_API CFormatArg MakeFormatArg(wchar_t* s);
VELMORA_API CFormatArg MakeFormatArg(const void* p);

template <typename T>
CFormatArg MakeFormatArg(T v) {
  static_assert(std::is_arithmetic<T>::value || std::is_enum<T>::value,
                "Format takes text, numbers and pointers");
  CFormatArg a{CFormatArg::kSigned};
  if constexpr (std::is_floating_point<T>::value) {
    a.kind = CFormatArg::kDouble;
    a.d = static_cast<double>(v);
  } else if constexpr (std::is_enum<T>::value) {
    a.i = static_cast<long long>(v);
    a.u = static_cast<unsigned long long>(a.i);
    a.bytes = sizeof(T);
  } else if constexpr (std::is_signed<T>::value) {
    a.i = v;
    a.u = static_cast<unsigned long long>(v);
    a.bytes = sizeof(T);
  } else {
    a.kind = CFormatArg::kUnsigned;
    a.u = v;
    a.i = static_cast<long long>(v);
    a.bytes = sizeof(T);
  }
  return a;
}

VELMORA_API CString FormatArgs(const wchar_t* format, const CFormatArg* args, size_t count);

template <typename... Args>
CString Format(const wchar_t* format, const Args&... args) {
  const std::array<CFormatArg, sizeof...(Args)> list{{MakeFormatArg(args)...}};
  return FormatArgs(format, list.data(), list.size());
}
