#include "platform/cstring.h"

#include <cwctype>

CString& TrimString(CString& s) {
  size_t begin = 0;
  while (begin < s.size() && std::iswspace(static_cast<wint_t>(s[begin]))) ++begin;
  size_t end = s.size();
  while (end > begin && std::iswspace(static_cast<wint_t>(s[end - 1]))) --end;
  s.erase(end);
  s.erase(0, begin);
  return s;
}

CString Trimmed(const CString& s) {
  CString copy(s);
  return TrimString(copy);
}

CString& MakeUpper(CString& s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return s;
}

CString& MakeLower(CString& s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return s;
}

CString ToUpper(const CString& s) {
  CString copy(s);
  return MakeUpper(copy);
}

CString ToLower(const CString& s) {
  CString copy(s);
  return MakeLower(copy);
}

int CompareNoCase(const CString& a, const CString& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const wint_t ca = std::towlower(static_cast<wint_t>(a[i]));
    const wint_t cb = std::towlower(static_cast<wint_t>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int ReplaceAll(CString& s, const CString& from, const CString& to) {
  if (from.empty()) return 0;
  int count = 0;
  CString out;
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != CString::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out += to;
    ++count;
  }
  if (count == 0) return 0;
  out.append(s, pos, CString::npos);
  s.swap(out);
  return count;
}

int RemoveAll(CString& s, const CString& what) { return ReplaceAll(s, what, CString()); }
