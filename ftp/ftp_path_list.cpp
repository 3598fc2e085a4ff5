#include "ftp/ftp_path_list.h"

#include <climits>
#include <cwchar>

#include "text/string_tokenizer.h"

template class CStdList<CFtpPath, CFtpPath*>;

namespace {

// The most steps UniqueName takes before it settles for its last name.
constexpr int kMaxUniqueSteps = 2000;

// The number inside a name's parentheses: a signed decimal number read up to
// its first other character, 0 when there is none; beyond 64 bits the
// nearest limit.
long long ParseNumber(const CString& s) { return std::wcstoll(s.c_str(), nullptr, 10); }

// The next free-looking name: "base(n+1)" from "base (n)", "base(1)" from
// a name without a number in parentheses.
CString NextName(const CString& name) {
  CStringTokenizer text(name, true);
  const long long number = ParseNumber(text.RightToken('(', ')'));
  const long long next = number == LLONG_MAX ? number : number + 1;
  return Trimmed(static_cast<CString>(text)) + L"(" + std::to_wstring(next) + L")";
}

}  // namespace

CFtpPathList::CFtpPathList(const CString& tag, bool bOwning, bool bSpare)
    : CStdList(bOwning, bSpare), CObj(), tag(tag) {}

CFtpPathList::CFtpPathList(const CFtpPathList& o) : CStdList(o), CObj(), tag(o.tag) {}

CFtpPathList::~CFtpPathList() = default;

void CFtpPathList::Copy(const CFtpPathList& o) {
  tag = o.tag;
  CStdList::Copy(o);  // which leaves a list copied onto itself as it was
}

void CFtpPathList::operator=(const CFtpPathList& o) { Copy(o); }

long long CFtpPathList::ComputeTotalLength() const {
  unsigned long long total = 0;
  for (const CFtpPath* item : *this) {
    if (item) total += item->Length();
  }
  return static_cast<long long>(total);
}

CFtpPath* CFtpPathList::FindByPath(const CString& path) const {
  for (CFtpPath* item : *this) {
    if (item && item->GetPath() == path) return item;
  }
  return nullptr;
}

CFtpPath* CFtpPathList::Find(const CFtpPath& p) const {
  for (CFtpPath* item : *this) {
    if (item && item->IsEqual(p)) return item;
  }
  return nullptr;
}

CFtpPath* CFtpPathList::FindByFileName(const CFtpPath& p, bool bWithExt) const {
  const CString name = p.GetFileName(bWithExt);
  for (CFtpPath* item : *this) {
    if (item && item->GetFileName(bWithExt) == name) return item;
  }
  return nullptr;
}

bool CFtpPathList::UniqueName(CFtpPath* p) const {
  if (p == nullptr) return false;
  CFtpPath candidate(*p);
  int steps = 0;
  while (FindByFileName(candidate, true) != nullptr && steps < kMaxUniqueSteps) {
    candidate.SetFileName(NextName(candidate.GetFileName(false)));
    ++steps;
  }
  if (steps == 0) return false;
  p->Copy(static_cast<const CObj&>(candidate));
  return true;
}
