#include "text/tokens.h"

CString GetNextToken(CString& s, const CString& delimiters) {
  const size_t pos = s.find_first_of(delimiters);
  CString piece;
  if (pos == CString::npos) {
    piece.swap(s);
    return piece;
  }
  piece = s.substr(0, pos);
  s.erase(0, pos + 1);
  return piece;
}

CString GetToken(CString& s, const CString& delimiters) {
  while (!s.empty()) {
    CString piece = GetNextToken(s, delimiters);
    if (!piece.empty()) return piece;
  }
  return CString();
}

CString GetLeftToken(CString& s, int n) {
  if (n <= 0) return CString();
  const size_t count = static_cast<size_t>(n) < s.size() ? static_cast<size_t>(n) : s.size();
  CString piece = s.substr(0, count);
  s.erase(0, count);
  return piece;
}
