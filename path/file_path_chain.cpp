// Folder chains: the directory of a path read as the sequence of folder
// names from the root, split into one path per folder, rebuilt, extended,
// cut and compared.
#include <algorithm>

#include "path/file_path.h"
#include "path/file_path_list.h"
#include "object/std_list.h"
#include "text/tokens.h"

namespace {

const wchar_t kSeparators[] = L"\\/";

// Cuts pieces off the end of d at its last separator until a non-empty one
// has gone or d is used up; returns that piece (empty when there was none).
CString CutLastName(CString& d) {
  for (;;) {
    const size_t at = d.find_last_of(kSeparators);
    const CString piece = at == CString::npos ? d : d.substr(at + 1);
    d.erase(at == CString::npos ? 0 : at);
    if (!piece.empty() || d.empty()) return piece;
  }
}

}  // namespace

void CFilePath::SplitSubfolders(CFilePathList& list) const {
  CFilePath folder(*this);
  CString names = Trimmed(GetDir(false));
  for (CString name = GetToken(names, kSeparators); !name.empty(); name = GetToken(names, kSeparators)) {
    folder.SetDir(AppendSlash(name, L'/'));
    list.AddTail(new CFilePath(folder));
  }
}

void CFilePath::MakeSubfolders(const CFilePathList& list) {
  CString chain;
  for (const CFilePath* folder : list)
    if (folder != nullptr) chain += folder->GetDir(false);
  SetDir(chain);
}

bool CFilePath::AddFolder(const CFilePath& o) {
  CString names = Trimmed(o.GetDir(false));
  const CString name = CutLastName(names);  // a blank name is a name too
  if (name.empty()) return false;
  // A blank name appends a separator alone, which the normalisation
  // collapses: the directory stays as it was, the root included.
  dir = AppendSlash(dir, L'/') + AppendSlash(name, L'/');
  MakePath();
  return true;
}

bool CFilePath::AppendDir(const CString& d) {
  dir = AppendSlash(dir, L'/') + AppendSlash(d, L'/');
  MakePath();
  return true;
}

bool CFilePath::AppendDir(const CFilePath& o) { return AppendDir(o.dir); }

bool CFilePath::SubstructDir(const CFilePath& o) {
  const CString& other = o.dir;
  const size_t shared = std::mismatch(dir.begin(), dir.end(), other.begin(), other.end()).first - dir.begin();
  if (shared > 0) {
    dir.erase(0, shared);
    MakePath();
  }
  return true;
}

void CFilePath::UpDir() {
  CString rest = Trimmed(dir);
  CutLastName(rest);
  SetDir(rest);
}

CString CFilePath::GetTailDir() const {
  CString rest = Trimmed(GetDir(true));
  return CutLastName(rest);
}

bool CFilePath::IsParent(const CFilePath& o) const {
  CFilePathList mine, theirs;
  SplitSubfolders(mine);
  o.SplitSubfolders(theirs);
  if (theirs.GetCount() != mine.GetCount() + 1) return false;
  auto other = theirs.begin();
  for (const CFilePath* folder : mine)
    if (!folder->IsEqualDir(**other++)) return false;
  return true;
}
