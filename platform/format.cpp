#include "platform/format.h"

#include <cstdio>
#include <string>
#include <cwchar>

namespace {

struct Spec {
  std::string flags;
  int width = -1;
  int precision = -1;
  wchar_t conversion = 0;
};

CString Widen(const std::string& ascii) { return CString(ascii.begin(), ascii.end()); }

// Formats one number through the C library's narrow printf: the result is
// plain ASCII, and the buffer is sized from a first measuring call.
template <typename T>
CString PrintNumber(const Spec& spec, const char* lengthAndConversion, T value) {
  std::string f = "%" + spec.flags;
  if (spec.width >= 0) f += std::to_string(spec.width);
  if (spec.precision >= 0) f += "." + std::to_string(spec.precision);
  f += lengthAndConversion;
  const int n = std::snprintf(nullptr, 0, f.c_str(), value);
  if (n <= 0) return CString();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(&out[0], out.size(), f.c_str(), value);
  out.resize(static_cast<size_t>(n));
  return Widen(out);
}

CString Pad(const Spec& spec, CString text) {
  if (spec.width > 0 && text.size() < static_cast<size_t>(spec.width)) {
    const CString fill(static_cast<size_t>(spec.width) - text.size(), L' ');
    if (spec.flags.find('-') != std::string::npos) text += fill;
    else text.insert(0, fill);
  }
  return text;
}

unsigned long long AsUnsigned(const CFormatArg& a) {
  if (a.kind == CFormatArg::kSigned && a.bytes > 0 && a.bytes < sizeof(unsigned long long)) {
    const unsigned long long mask = (1ULL << (a.bytes * 8)) - 1;
    return a.u & mask;
  }
  return a.u;
}

CString Convert(const Spec& spec, const CFormatArg& a) {
  switch (spec.conversion) {
    case L's':
    case L'S': {
      CString text;
      if (a.kind == CFormatArg::kText) {
        size_t n = a.length;
        if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < n) n = spec.precision;
        text.assign(a.text, n);
      } else if (a.kind == CFormatArg::kDouble) {
        text = PrintNumber(Spec(), "g", a.d);
      } else {
        text = a.kind == CFormatArg::kSigned ? PrintNumber(Spec(), "lld", a.i)
                                             : PrintNumber(Spec(), "llu", a.u);
      }
      return Pad(spec, text);
    }
    case L'c':
    case L'C': {
      CString text;
      if (a.kind == CFormatArg::kText) text.assign(a.text, a.length ? 1 : 0);
      else text.assign(1, static_cast<wchar_t>(a.u));
      return Pad(spec, text);
    }
    case L'd':
    case L'i':
      if (a.kind == CFormatArg::kText) return Pad(spec, CString(a.text, a.length));
      if (a.kind == CFormatArg::kDouble) return PrintNumber(spec, "lld", static_cast<long long>(a.d));
      if (a.kind == CFormatArg::kUnsigned) return PrintNumber(spec, "llu", a.u);
      return PrintNumber(spec, "lld", a.i);
    case L'u':
    case L'x':
    case L'X':
    case L'o': {
      if (a.kind == CFormatArg::kText) return Pad(spec, CString(a.text, a.length));
      const char* conv = spec.conversion == L'u' ? "llu"
                         : spec.conversion == L'x' ? "llx"
                         : spec.conversion == L'X' ? "llX" : "llo";
      const unsigned long long v =
          a.kind == CFormatArg::kDouble ? static_cast<unsigned long long>(a.d) : AsUnsigned(a);
      return PrintNumber(spec, conv, v);
    }
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G': {
      if (a.kind == CFormatArg::kText) return Pad(spec, CString(a.text, a.length));
      const double v = a.kind == CFormatArg::kDouble     ? a.d
                       : a.kind == CFormatArg::kSigned ? static_cast<double>(a.i)
                                                       : static_cast<double>(a.u);
      const char conv[2] = {static_cast<char>(spec.conversion), '\0'};
      return PrintNumber(spec, conv, v);
    }
    case L'p':
      return PrintNumber(spec, "llx", a.u);
    default:
      return CString();
  }
}

}  // namespace

CString FormatArgs(const wchar_t* format, const CFormatArg* args, size_t count) {
  CString out;
  if (!format) return out;
  size_t next = 0;
  auto takeInt = [&]() -> int {
    if (next >= count) return 0;
    const CFormatArg& a = args[next++];
    return a.kind == CFormatArg::kUnsigned ? static_cast<int>(a.u) : static_cast<int>(a.i);
  };
  for (const wchar_t* p = format; *p;) {
    if (*p != L'%') {
      out += *p++;
      continue;
    }
    const wchar_t* start = p++;
    if (*p == L'%') {
      out += L'%';
      ++p;
      continue;
    }
    Spec spec;
    while (*p == L'-' || *p == L'+' || *p == L' ' || *p == L'#' || *p == L'0') {
      if (spec.flags.find(static_cast<char>(*p)) == std::string::npos) spec.flags += static_cast<char>(*p);
      ++p;
    }
    if (*p == L'*') {
      spec.width = takeInt();
      if (spec.width < 0) {
        spec.flags += '-';
        spec.width = -spec.width;
      }
      ++p;
    } else {
      for (; *p >= L'0' && *p <= L'9'; ++p) {
        if (spec.width < 0) spec.width = 0;
        if (spec.width < 100000) spec.width = spec.width * 10 + (*p - L'0');
      }
    }
    if (*p == L'.') {
      ++p;
      spec.precision = 0;
      if (*p == L'*') {
        spec.precision = takeInt();
        ++p;
      } else {
        for (; *p >= L'0' && *p <= L'9'; ++p)
          if (spec.precision < 100000) spec.precision = spec.precision * 10 + (*p - L'0');
      }
    }
    for (;;) {
      if (*p && std::wcschr(L"hlLzjtqw", *p)) {
        ++p;
      } else if (*p == L'I') {  // I, I32, I64
        for (++p; *p >= L'0' && *p <= L'9'; ++p) {
        }
      } else {
        break;
      }
    }
    if (!*p) {
      out.append(start);
      break;
    }
    spec.conversion = *p++;
    if (next >= count) {
      // Nothing left to print: keep the directive visible rather than invent a value.
      out.append(start, p);
      continue;
    }
    out += Convert(spec, args[next++]);
  }
  return out;
}
