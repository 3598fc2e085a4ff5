#include "object/obj.h"

#include "platform/sys/guid.h"
#include "text/tokens.h"

namespace {
const unsigned kSelected = 1;
const unsigned kChecked = 2;

unsigned WithBit(unsigned word, unsigned bit, bool set) { return set ? (word | bit) : (word & ~bit); }
}  // namespace

CObj::CObj() : uModified(0), Status(0) {}

CObj::CObj(const CObj& o) : uModified(o.uModified), Status(o.Status), strGUID(o.strGUID) {}

CObj::~CObj() {}

CObj* CObj::Clone() const {
  CObj* copy = CreateObject();
  copy->Copy(*this);
  return copy;
}

CObj* CObj::CreateObject() const { return new CObj; }

void CObj::ShutDown() { delete this; }

void CObj::Clear() {
  uModified = 0;
  Status = 0;
  strGUID.clear();
}

void CObj::Default() {}

void CObj::Copy(const CObj& o) {
  uModified = o.uModified;
  Status = o.Status;
  strGUID = o.strGUID;
}

bool CObj::IsEqual(const CObj&) const { return false; }

void CObj::operator=(const CObj& o) { Copy(o); }

bool CObj::operator==(const CObj& o) const { return IsEqual(o); }

bool CObj::operator!=(const CObj& o) const { return !IsEqual(o); }

bool CObj::IsSelected() const { return (Status & kSelected) != 0; }

void CObj::SetSelected(bool b) { Status = WithBit(Status, kSelected, b); }

bool CObj::IsChecked() const { return (Status & kChecked) != 0; }

void CObj::SetChecked(bool b) { Status = WithBit(Status, kChecked, b); }

void CObj::SetModified(unsigned m) { uModified = m; }

unsigned CObj::GetModified() const { return uModified; }

bool CObj::IsModified() const { return uModified != 0; }

bool CObj::IsModified(unsigned m) const { return (uModified & m) != 0; }

void CObj::AddModified(unsigned m) { uModified |= m; }

void CObj::RemoveModified(unsigned m) { uModified &= ~m; }

CString CObj::CreateGUID() {
  strGUID = NewGuidText();
  return strGUID;
}

CString CObj::GetStrGUID() const { return strGUID; }

CString CObj::Trim(CString s) { return TrimString(s); }

CString CObj::Squeeze(CString s, bool upper) {
  TrimString(s);
  RemoveAll(s, L" ");
  if (upper) MakeUpper(s);
  return s;
}

CString CObj::GetNextToken(CString& s, const CString& delimiters) { return ::GetNextToken(s, delimiters); }

CString CObj::LeftToken(CString& s, const CString& delimiter) { return ::LeftToken(s, delimiter); }
