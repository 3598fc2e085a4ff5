// The text form of CFtpPathList: the list element with its tag, and its items
// as "CFilePath" elements.
#include "object/ftp_path_list.h"

#include "text/string_tokenizer.h"

namespace {

// Reads the item elements of body into list, up to the first that does not
// parse. Each item reads the same piece of text that reading the whole body
// from a tokenizer would hand it (from where the previous one ended, through
// its close tag, or through its open tag when no close tag follows), but the
// pieces are cut out of body by position, so that neither thousands of items
// nor items without close tags make the text move again for each item.
void ReadItems(const CString& body, CFtpPathList& list) {
  const CString close = L"</" + CFtpPath().XMLObject() + L">";
  size_t closeAt = body.find(close);  // the first close tag at or after the current item's open tag
  size_t pos = 0;
  while (pos < body.size()) {
    const size_t openAt = body.find(L'<', pos);
    if (openAt == CString::npos) return;
    const size_t openEnd = body.find(L'>', openAt + 1);
    size_t end = body.size();
    if (openEnd != CString::npos) {
      if (closeAt != CString::npos && closeAt <= openEnd) closeAt = body.find(close, openEnd + 1);
      end = closeAt == CString::npos ? openEnd + 1 : closeAt + close.size();
    }
    CStringTokenizer piece(body.substr(pos, end - pos), false);
    CFtpPath item;
    if (!item.ReadXML(piece)) return;
    list.AddTail(new CFtpPath(item));
    pos = end;
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
  const CString open = text.GetNextToken(L">");
  if (open.empty()) return false;
  CStringTokenizer attributes(open, true);
  const CString tagName = attributes.GetNextToken(L" ");
  if (tagName.empty() || tagName != name) return false;
  CObj::ReadXMLAttr(static_cast<CString>(attributes));
  CString body = text.LeftToken(close);
  if (body.empty()) return false;
  for (wchar_t& c : body) {
    if (c == L'\n' || c == L'\r' || c == L'\t') c = L' ';
  }
  ReadItems(Trimmed(body), *this);
  return true;
}
