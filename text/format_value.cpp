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

}  // namespace

CString FormatValue(const CString& text, bool) {
  const bool bSigned = !text.empty() && text[0] == L'-';
  CString digits = bSigned ? text.substr(1) : text;
  for (size_t group : {3, 7, 11, 15}) {
    if (digits.size() > group) digits.insert(digits.size() - group, L",");
  }
  return bSigned ? L"-" + digits : digits;
}

CString FormatValue(int value, bool) { return FormatValue(Format(L"%d", value), false); }

CString FormatValue(unsigned int value, bool) { return FormatValue(Format(L"%u", value), false); }

CString FormatValue(long value, bool) { return FormatValue(Format(L"%ld", value), false); }

CString FormatValue(unsigned long value, bool) { return FormatValue(Format(L"%lu", value), false); }

CString FormatValue(long long value, bool bAsSize) {
  if (bAsSize) return FormatSize(static_cast<double>(value));
  return FormatValue(Format(L"%lld", value), false);
}

CString FormatValue(unsigned long long value, bool bAsSize) {
  if (bAsSize) return FormatSize(static_cast<double>(value));
  return FormatValue(Format(L"%llu", value), false);
}

CString FormatValue(const LARGE_INTEGER& value, bool bAsSize) {
  return FormatValue(static_cast<long long>(GetLargeIntegerQuadPart(value)), bAsSize);
}
