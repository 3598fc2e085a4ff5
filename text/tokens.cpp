#include "text/tokens.h"

#include <algorithm>

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

// Skips the run of delimiters in one step: taking the empty pieces one at a
// time would move the rest of s once per delimiter.
CString GetToken(CString& s, const CString& delimiters) {
  const size_t start = s.find_first_not_of(delimiters);
  if (start == CString::npos) {
    s.clear();
    return CString();
  }
  s.erase(0, start);
  return GetNextToken(s, delimiters);
}

CString GetLeftToken(CString& s, int n) {
  const size_t count = std::min(static_cast<size_t>(std::max(n, 0)), s.size());
  CString piece = s.substr(0, count);
  s.erase(0, count);
  return piece;
}

CString LeftToken(CString& s, const CString& delimiter) {
  const size_t pos = s.find(delimiter);
  if (pos == CString::npos) return CString();
  CString left = s.substr(0, pos);
  const size_t end = pos + delimiter.size();
  // An occurrence that ends s leaves s as it was.
  if (end < s.size()) s.erase(0, end);
  return left;
}
