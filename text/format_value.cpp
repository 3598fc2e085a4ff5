#include "text/format_value.h"

#include "text/format.h"

namespace {

// The size form of a value already converted to double.
CString FormatSize(double x) {
  if (x > 1073741824.0) return Format(L"%.1f GB", x * (1.0 / 1073741824.0));
  if (x > 1048576.0) return Format(L"%.1f MB", x * (1.0 / 1048576.0));
  if (x > 1024.0) return Format(L"%.1f KB", x * (1.0 / 1024.0));
  return Format(L"%.1f   B", x);
}

// A decimal text with its digits grouped by at most four commas.
CString Group(const CString& text) {
  const bool bSigned = !text.empty() && text[0] == L'-';
  CString digits = bSigned ? text.substr(1) : text;
  for (size_t group : {3, 7, 11, 15}) {
    if (digits.size() > group) digits.insert(digits.size() - group, L",");
  }
  return bSigned ? L"-" + digits : digits;
}

}  // namespace

CString FormatValue(const CString& text, bool) { return Group(text); }

CString FormatValue(int value, bool) { return Group(Format(L"%d", value)); }

CString FormatValue(unsigned int value, bool) { return Group(Format(L"%u", value)); }

CString FormatValue(long value, bool) { return Group(Format(L"%ld", value)); }

CString FormatValue(unsigned long value, bool) { return Group(Format(L"%lu", value)); }

CString FormatValue(long long value, bool bAsSize) {
  if (bAsSize) return FormatSize(static_cast<double>(value));
  return Group(Format(L"%lld", value));
}

CString FormatValue(unsigned long long value, bool bAsSize) {
  if (bAsSize) return FormatSize(static_cast<double>(value));
  return Group(Format(L"%llu", value));
}

CString FormatValue(const LARGE_INTEGER& value, bool bAsSize) {
  return FormatValue(static_cast<long long>(GetLargeIntegerQuadPart(value)), bAsSize);
}
