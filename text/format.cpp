#include "text/format.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <cwchar>

namespace {

// The largest width or precision an argument (*) may give, as large as six
// written digits can make one (written ones stop there): no argument can
// make one directive take gigabytes.
const long long kArgumentLimit = 999999;

struct Directive {
  std::string flags;
  int width = -1;
  int precision = -1;
  wchar_t conversion = 0;
};

CString Widen(const std::string& ascii) { return CString(ascii.begin(), ascii.end()); }

// Formats one number through the C library's narrow printf: the result is
// plain ASCII, and the buffer is sized from a first measuring call.
template <typename T>
CString PrintNumber(const Directive& directive, const char* lengthAndConversion, T value) {
  std::string f = "%" + directive.flags;
  if (directive.width >= 0) f += std::to_string(directive.width);
  if (directive.precision >= 0) f += "." + std::to_string(directive.precision);
  f += lengthAndConversion;
  const int n = std::snprintf(nullptr, 0, f.c_str(), value);
  if (n <= 0) return CString();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(&out[0], out.size(), f.c_str(), value);
  out.resize(static_cast<size_t>(n));
  return Widen(out);
}

CString Pad(const Directive& directive, CString text) {
  const size_t width = static_cast<size_t>(std::max(directive.width, 0));
  const CString fill(width - std::min(width, text.size()), L' ');
  if (directive.flags.find('-') != std::string::npos) text += fill;
  else text.insert(0, fill);
  return text;
}

unsigned long long AsUnsigned(const CFormatArg& a) {
  if (a.kind == CFormatArg::kSigned && a.bytes > 0 && a.bytes < sizeof(unsigned long long)) {
    const unsigned long long mask = (1ULL << (a.bytes * 8)) - 1;
    return a.u & mask;
  }
  return a.u;
}

CString Convert(const Directive& directive, const CFormatArg& a) {
  switch (directive.conversion) {
    case L's':
    case L'S': {
      CString text;
      if (a.kind == CFormatArg::kText) {
        size_t n = a.length;
        if (directive.precision >= 0 && static_cast<size_t>(directive.precision) < n) n = directive.precision;
        text.assign(a.text, n);
      } else if (a.kind == CFormatArg::kDouble) {
        text = PrintNumber(Directive(), "g", a.d);
      } else {
        text = a.kind == CFormatArg::kSigned ? PrintNumber(Directive(), "lld", a.i)
                                             : PrintNumber(Directive(), "llu", a.u);
      }
      return Pad(directive, text);
    }
    case L'c':
    case L'C': {
      CString text;
      if (a.kind == CFormatArg::kText) text.assign(a.text, a.length ? 1 : 0);
      else text.assign(1, static_cast<wchar_t>(a.u));
      return Pad(directive, text);
    }
    case L'd':
    case L'i':
      if (a.kind == CFormatArg::kText) return Pad(directive, CString(a.text, a.length));
      if (a.kind == CFormatArg::kDouble) return PrintNumber(directive, "lld", static_cast<long long>(a.d));
      if (a.kind == CFormatArg::kUnsigned) return PrintNumber(directive, "llu", a.u);
      return PrintNumber(directive, "lld", a.i);
    case L'u':
    case L'x':
    case L'X':
    case L'o': {
      if (a.kind == CFormatArg::kText) return Pad(directive, CString(a.text, a.length));
      const char* conv = directive.conversion == L'u' ? "llu"
                         : directive.conversion == L'x' ? "llx"
                         : directive.conversion == L'X' ? "llX" : "llo";
      const unsigned long long v =
          a.kind == CFormatArg::kDouble ? static_cast<unsigned long long>(a.d) : AsUnsigned(a);
      return PrintNumber(directive, conv, v);
    }
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G': {
      if (a.kind == CFormatArg::kText) return Pad(directive, CString(a.text, a.length));
      const double v = a.kind == CFormatArg::kDouble     ? a.d
                       : a.kind == CFormatArg::kSigned ? static_cast<double>(a.i)
                                                       : static_cast<double>(a.u);
      const char conv[2] = {static_cast<char>(directive.conversion), '\0'};
      return PrintNumber(directive, conv, v);
    }
    case L'p':
      return PrintNumber(directive, "llx", a.u);
    default:
      return CString();
  }
}

}  // namespace

CFormatArg MakeFormatArg(const CString& s) {
  CFormatArg a{CFormatArg::kText};
  a.text = s.c_str();
  a.length = s.size();
  return a;
}

CFormatArg MakeFormatArg(const wchar_t* s) {
  CFormatArg a{CFormatArg::kText};
  a.text = s ? s : L"(null)";
  a.length = std::char_traits<wchar_t>::length(a.text);
  return a;
}

CFormatArg MakeFormatArg(wchar_t* s) { return MakeFormatArg(static_cast<const wchar_t*>(s)); }

CFormatArg MakeFormatArg(const void* p) {
  CFormatArg a{CFormatArg::kPointer};
  a.u = reinterpret_cast<unsigned long long>(p);
  return a;
}

CString FormatArgs(const wchar_t* format, const CFormatArg* args, size_t count) {
  CString out;
  if (!format) return out;
  size_t next = 0;
  auto takeInt = [&]() -> int {
    if (next >= count) return 0;
    const CFormatArg& a = args[next++];
    const long long n = a.kind == CFormatArg::kUnsigned
                            ? static_cast<long long>(std::min<unsigned long long>(a.u, kArgumentLimit))
                            : a.i;
    return static_cast<int>(std::clamp(n, -kArgumentLimit, kArgumentLimit));
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
    Directive directive;
    while (*p == L'-' || *p == L'+' || *p == L' ' || *p == L'#' || *p == L'0') {
      if (directive.flags.find(static_cast<char>(*p)) == std::string::npos) directive.flags += static_cast<char>(*p);
      ++p;
    }
    if (*p == L'*') {
      directive.width = takeInt();
      if (directive.width < 0) {
        directive.flags += '-';
        directive.width = -directive.width;
      }
      ++p;
    } else {
      for (; *p >= L'0' && *p <= L'9'; ++p) {
        if (directive.width < 0) directive.width = 0;
        if (directive.width < 100000) directive.width = directive.width * 10 + (*p - L'0');
      }
    }
    if (*p == L'.') {
      ++p;
      directive.precision = 0;
      if (*p == L'*') {
        directive.precision = takeInt();
        ++p;
      } else {
        for (; *p >= L'0' && *p <= L'9'; ++p)
          if (directive.precision < 100000) directive.precision = directive.precision * 10 + (*p - L'0');
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
    directive.conversion = *p++;
    if (next >= count) {
      // Nothing left to print: keep the directive visible rather than invent a value.
      out.append(start, p);
      continue;
    }
    out += Convert(directive, args[next++]);
  }
  return out;
}
