// The text rules every path of the toolkit is made with: the C runtime's
// split and join rules, and the free slash helpers.
#include <cwctype>

#include "path/file_path.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

CString WithoutTrailingSpace(CString s) {
  size_t end = s.size();
  while (end > 0 && std::iswspace(static_cast<wint_t>(s[end - 1]))) --end;
  s.erase(end);
  return s;
}

}  // namespace

void CFilePath::SplitPath(const CString& p, CString& drive, CString& dir, CString& fname, CString& ext) {
  const CString text(p);  // p may be one of the out-texts
  const size_t start = text.size() >= 2 && text[1] == L':' ? 2 : 0;
  const size_t last = text.find_last_of(L"/\\");
  const size_t nameStart = last == CString::npos || last < start ? start : last + 1;
  const size_t dot = text.find_last_of(L'.');
  const size_t extStart = dot == CString::npos || dot < nameStart ? text.size() : dot;
  drive = text.substr(0, start);
  dir = text.substr(start, nameStart - start);
  fname = text.substr(nameStart, extStart - nameStart);
  ext = text.substr(extStart);
}

void CFilePath::MakePath(CString& out, const CString& drive, const CString& dir, const CString& fname,
                         const CString& ext) {
  CString result;
  if (!drive.empty()) {
    result += drive[0];
    result += L':';
  }
  if (!dir.empty()) {
    result += dir;
    if (!IsSeparator(dir.back())) result += L'\\';
  }
  result += fname;
  if (!ext.empty()) {
    if (ext[0] != L'.') result += L'.';
    result += ext;
  }
  out.swap(result);
}

CString AppendSlash(const CString& s, wchar_t c) {
  CString result = WithoutTrailingSpace(s);
  if (result.empty() || !IsSeparator(result.back())) result += c;
  return result;
}

CString RemoveSlash(const wchar_t* s) { return s == nullptr ? CString() : RemoveSlash(WithoutTrailingSpace(s)); }

CString RemoveSlash(CString s) {
  if (!s.empty() && IsSeparator(s.back())) s.pop_back();
  return s;
}
