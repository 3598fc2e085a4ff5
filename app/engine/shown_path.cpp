#include "app/engine/shown_path.h"

#include <algorithm>

#include "text/format.h"

bool IsControlCharacter(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool HoldsControlCharacter(const CString& path) {
  return std::any_of(path.begin(), path.end(), IsControlCharacter);
}

CString ShownPath(const CString& path) {
  if (!HoldsControlCharacter(path)) return path;
  CString shown;
  for (const wchar_t c : path) {
    if (!IsControlCharacter(c)) shown += c;
    else if (c == L'\n') shown += L"\\n";
    else if (c == L'\r') shown += L"\\r";
    else if (c == L'\t') shown += L"\\t";
    else shown += Format(L"\\x%02X", static_cast<unsigned>(c));
  }
  return shown;
}
