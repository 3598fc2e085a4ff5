// The XML-like text form of CObj: writing, and reading an element back.
#include "object/obj.h"

#include <climits>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

struct CEntity {
  wchar_t ch;
  const wchar_t* text;
};
// The characters that would end a value (') or break the element apart
// (< >), and & so that an escape in the text itself survives.
const CEntity kEntities[] = {{L'&', L"&amp;"}, {L'\'', L"&apos;"}, {L'<', L"&lt;"}, {L'>', L"&gt;"}};

CString Escape(const CString& value) {
  if (value.find_first_of(L"&'<>") == CString::npos) return value;
  CString out;
  for (wchar_t c : value) {
    const CEntity* hit = nullptr;
    for (const CEntity& e : kEntities) {
      if (e.ch == c) hit = &e;
    }
    if (hit) {
      out += hit->text;
    } else {
      out += c;
    }
  }
  return out;
}

// Decodes exactly the four entities of Escape, left to right in one pass, so
// that "&amp;lt;" gives "&lt;". Any other "&" stays as it is.
CString Unescape(const CString& value) {
  if (value.find(L'&') == CString::npos) return value;
  CString out;
  size_t i = 0;
  while (i < value.size()) {
    const CEntity* hit = nullptr;
    if (value[i] == L'&') {
      for (const CEntity& e : kEntities) {
        if (value.compare(i, wcslen(e.text), e.text) == 0) hit = &e;
      }
    }
    if (hit) {
      out += hit->ch;
      i += wcslen(hit->text);
    } else {
      out += value[i++];
    }
  }
  return out;
}

// Signed decimal after optional white space and sign, up to the first
// non-digit; no digits give 0. Out-of-range values stop at the nearest
// 32-bit limit instead of overflowing.
int ParseDecimal(const CString& s) {
  size_t i = 0;
  while (i < s.size() && std::iswspace(static_cast<wint_t>(s[i]))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
  long long value = 0;
  for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i) {
    value = value * 10 + (s[i] - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// GetNextToken over text from pos without shortening text: the piece before
// the next delimiter, pos moved past it (to the end when there is none).
// Keeps a long attribute list linear to read.
CString TakeUntil(const CString& text, size_t& pos, wchar_t delimiter) {
  const size_t hit = text.find(delimiter, pos);
  const size_t end = hit == CString::npos ? text.size() : hit;
  CString piece = text.substr(pos, end - pos);
  pos = hit == CString::npos ? text.size() : hit + 1;
  return piece;
}

}  // namespace

CString CObj::XMLAttr(const CString& name, const CString& value) {
  return L" " + name + L"='" + Escape(value) + L"' ";
}

CString CObj::XMLAttr(const CString& name, int value) {
  return L" " + name + L"='" + std::to_wstring(value) + L"' ";
}

CString CObj::XMLObject() const { return L"CObj"; }

void CObj::WriteXMLOpenTag(CString& out) { out += L"\r\n<" + XMLObject() + L" "; }

void CObj::WriteXMLAttr(CString& out) {
  CString attributes;
  attributes += XMLAttr(L"CObj::uModified", static_cast<int>(uModified));
  attributes += XMLAttr(L"CObj::Status", static_cast<int>(Status));
  attributes += XMLAttr(L"CObj::strGUID", strGUID);
  out += attributes;
}

void CObj::WriteXMLBody(CString&) {}

void CObj::WriteXMLCloseTag(CString& out) { out += L"</" + XMLObject() + L">"; }

void CObj::WriteXML(CString& out) {
  CString element;
  WriteXMLOpenTag(element);
  WriteXMLAttr(element);
  element += L">";
  WriteXMLBody(element);
  WriteXMLCloseTag(element);
  out += element;
}

bool CObj::ReadXML(CString& xml) {
  const CString name = XMLObject();
  const CString close = L"</" + name + L">";
  GetNextToken(xml, L"<");
  const CString open = GetNextToken(xml, L">");
  if (open.empty()) return false;
  CString attributes = open;
  const CString tag = GetNextToken(attributes, L" ");
  if (tag.empty() || tag != name) return false;
  LeftToken(xml, close);  // the body: CObj has none
  ReadXMLAttr(attributes);
  return true;
}

void CObj::ReadXMLAttr(const CString& attributes) {
  Default();
  size_t pos = 0;
  while (pos < attributes.size()) {
    const CString attributeName = ToLower(Trimmed(TakeUntil(attributes, pos, L'=')));
    TakeUntil(attributes, pos, L'\'');
    const CString value = Unescape(Trimmed(TakeUntil(attributes, pos, L'\'')));
    ReadXMLAttr(attributeName, value);
  }
}

bool CObj::ReadXMLAttr(const CString& name, const CString& value) {
  if (CompareNoCase(name, L"CObj::uModified") == 0) {
    uModified = static_cast<unsigned>(ParseDecimal(value));
  } else if (CompareNoCase(name, L"CObj::Status") == 0) {
    Status = static_cast<unsigned>(ParseDecimal(value));
  } else if (CompareNoCase(name, L"CObj::strGUID") == 0) {
    strGUID = value;
  } else {
    return false;
  }
  return true;
}
