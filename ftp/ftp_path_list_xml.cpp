// The text form of CFtpPathList: the list element with its tag, and its items
// as "CFilePath" elements.
#include "ftp/ftp_path_list.h"

#include "text/string_tokenizer.h"

namespace {

// Reads the item elements of body into list, up to the first that does not
// parse, exactly as one tokenizer over body hands them out: from the first
// "<" to the next ">" (or the end), then past the first close tag that
// follows, unless that close tag ends body (a delimiter that ends the text
// leaves the text as it was, so the next item is read from just after the
// ">"). The tokenizer's steps are taken by position instead of cutting each
// piece off the text's front: thousands of items, or items without close
// tags, never make the rest of the text move or be searched again.
void ReadItems(const CString& body, CFtpPathList& list) {
  const CString close = L"</" + CFtpPath().XMLObject() + L">";
  size_t closeAt = body.find(close);  // the first close tag at or after pos
  size_t pos = 0;
  for (;;) {
    const size_t openAt = body.find(L'<', pos);
    if (openAt == CString::npos) return;
    const size_t openEnd = body.find(L'>', openAt + 1);
    pos = openEnd == CString::npos ? body.size() : openEnd + 1;
    CStringTokenizer element(body.substr(openAt, pos - openAt), false);
    if (closeAt != CString::npos && closeAt < pos) closeAt = body.find(close, pos);
    if (closeAt != CString::npos && closeAt + close.size() < body.size()) pos = closeAt + close.size();
    CFtpPath item;
    if (!item.ReadXML(element)) return;
    list.AddTail(new CFtpPath(item));
  }
}

}  // namespace

CString CFtpPathList::XMLObject() const { return L"CFtpPathList"; }

void CFtpPathList::WriteXML(CString& out) {
  CString element = L"\r\n<" + XMLObject() + L" " + XMLAttr(L"tag", tag) + L">";
  for (CFtpPath* item : *this) {
    if (item == nullptr) continue;
    CString one;
    item->WriteXML(one);
    element += one;
  }
  element += L"</" + XMLObject() + L">";
  out += element;
}

bool CFtpPathList::ReadXMLAttr(const CString& name, const CString& value) {
  if (CompareNoCase(name, L"tag") == 0) tag = value;
  return true;
}

bool CFtpPathList::ReadXML(CString xml) {
  const CString name = XMLObject();
  const CString close = L"</" + name + L">";
  CStringTokenizer text(xml, true);
  text.GetNextToken(L"<");
  CStringTokenizer attributes(text.GetNextToken(L">"), true);
  if (attributes.GetNextToken(L" ") != name) return false;  // none, or another
  CObj::ReadXMLAttr(static_cast<CString>(attributes));
  CString body = text.LeftToken(close);
  if (body.empty()) return false;
  for (wchar_t& c : body) {
    if (c == L'\n' || c == L'\r' || c == L'\t') c = L' ';
  }
  ReadItems(Trimmed(body), *this);
  return true;
}
