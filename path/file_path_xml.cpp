// The text form of CFilePath: one "CFilePath" element whose seventeen
// attributes carry the path's fields. The framing, escaping and reading of
// attribute lists are CObj's.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "path/file_path.h"
#include "text/string_tokenizer.h"

namespace {

struct CTextField {
  const wchar_t* name;
  CString CFilePath::*field;
};
const CTextField kTextFields[] = {
    {L"path", &CFilePath::path},       {L"drive", &CFilePath::drive}, {L"dir", &CFilePath::dir},
    {L"filename", &CFilePath::filename}, {L"ext", &CFilePath::ext},
};

// A 32-bit word of the path, written as a signed decimal number.
struct CWordField {
  const wchar_t* name;
  uint32_t (*get)(const CFilePath& p);
  void (*set)(CFilePath& p, uint32_t v);
};
const CWordField kWordFields[] = {
    // The separator is persisted as its character code; reading keeps the
    // low 16 bits.
    {L"slash", [](const CFilePath& p) { return static_cast<uint32_t>(p.slash); },
     [](CFilePath& p, uint32_t v) { p.slash = static_cast<wchar_t>(v & 0xFFFF); }},
    {L"FileAttributes", [](const CFilePath& p) { return p.m_attr.dwFileAttributes; },
     [](CFilePath& p, uint32_t v) { p.m_attr.dwFileAttributes = v; }},
    {L"CreationTimeLo", [](const CFilePath& p) { return p.m_attr.ftCreationTime.dwLowDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftCreationTime.dwLowDateTime = v; }},
    {L"CreationTimeHi", [](const CFilePath& p) { return p.m_attr.ftCreationTime.dwHighDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftCreationTime.dwHighDateTime = v; }},
    {L"LastAccessTimeLo", [](const CFilePath& p) { return p.m_attr.ftLastAccessTime.dwLowDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftLastAccessTime.dwLowDateTime = v; }},
    {L"LastAccessTimeHi", [](const CFilePath& p) { return p.m_attr.ftLastAccessTime.dwHighDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftLastAccessTime.dwHighDateTime = v; }},
    {L"LastWriteTimeLo", [](const CFilePath& p) { return p.m_attr.ftLastWriteTime.dwLowDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftLastWriteTime.dwLowDateTime = v; }},
    {L"LastWriteTimeHi", [](const CFilePath& p) { return p.m_attr.ftLastWriteTime.dwHighDateTime; },
     [](CFilePath& p, uint32_t v) { p.m_attr.ftLastWriteTime.dwHighDateTime = v; }},
    {L"FileSizeHigh", [](const CFilePath& p) { return p.m_attr.nFileSizeHigh; },
     [](CFilePath& p, uint32_t v) { p.m_attr.nFileSizeHigh = v; }},
    {L"FileSizeLow", [](const CFilePath& p) { return p.m_attr.nFileSizeLow; },
     [](CFilePath& p, uint32_t v) { p.m_attr.nFileSizeLow = v; }},
    {L"Icon", [](const CFilePath& p) { return static_cast<uint32_t>(p.m_nIcon); },
     [](CFilePath& p, uint32_t v) { p.m_nIcon = static_cast<int>(v); }},
    {L"PathType", [](const CFilePath& p) { return static_cast<uint32_t>(p.PathType); },
     [](CFilePath& p, uint32_t v) { p.PathType = static_cast<_PathType>(v); }},
};

// A signed decimal number as the C runtime's _wtoi reads one: leading white
// space and a sign accepted, digits up to the first other character, none
// gives 0; beyond 32 bits the nearest limit.
uint32_t ParseWord(const CString& s) {
  const long long v = std::wcstoll(s.c_str(), nullptr, 10);
  return static_cast<uint32_t>(static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)));
}

}  // namespace

CString CFilePath::XMLObject() const { return L"CFilePath"; }

void CFilePath::WriteXMLAttr(CString& out) {
  CString attributes;
  for (const CTextField& f : kTextFields) attributes += XMLAttr(f.name, this->*f.field);
  for (const CWordField& f : kWordFields) attributes += XMLAttr(f.name, static_cast<int>(f.get(*this)));
  out += attributes;
}

bool CFilePath::ReadXMLAttr(const CString& name, const CString& value) {
  for (const CTextField& f : kTextFields) {
    if (CompareNoCase(name, f.name) == 0) {
      this->*f.field = value;
      return true;
    }
  }
  for (const CWordField& f : kWordFields) {
    if (CompareNoCase(name, f.name) == 0) {
      f.set(*this, ParseWord(value));
      return true;
    }
  }
  return true;
}

bool CFilePath::ReadXML(CStringTokenizer& text) {
  const CString name = XMLObject();
  const CString close = L"</" + name + L">";
  text.GetNextToken(L"<");
  const CString open = text.GetNextToken(L">");
  CStringTokenizer attributes(open, true);
  const CString tag = attributes.GetNextToken(L" ");
  if (tag.empty() || tag != name) return false;
  text.LeftToken(close);  // the body: a path has none
  ReadXMLAttr(static_cast<CString>(attributes));
  return true;
}
