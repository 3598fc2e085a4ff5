#include "ftp/ftp_cache.h"

#include <algorithm>

template class CStdMap<CString, CFtpPathList*>;

CFtpCache::CFtpCache() : CStdMap() {}

CFtpCache::~CFtpCache() { RemoveAndDestroy(); }

CFtpPathList* CFtpCache::Add(const CFtpPath& p) {
  const CString key = p.GetDir(false);
  CFtpPathList* list = Find(key);
  if (list == nullptr) {
    list = new CFtpPathList(key, true);
    SetAt(key, list);
  }
  list->AddTail(new CFtpPath(p));
  return list;
}

CFtpPathList* CFtpCache::CurList(const CString& dir) const { return dir.empty() ? nullptr : Find(dir); }

CFtpPath* CFtpCache::Remove(CFtpPath* p) {
  if (p == nullptr) return nullptr;
  for (auto& entry : *this) {
    CFtpPathList* list = entry.second;
    if (list && std::find(list->begin(), list->end(), p) != list->end()) {
      list->Remove(p);
      return p;
    }
  }
  return nullptr;
}

void CFtpCache::RemoveAndDestroy(CFtpPath* p) {
  if (Remove(p) == nullptr) return;
  // A pointer left in a second list would be destroyed again with it.
  while (Remove(p) != nullptr) continue;
  delete p;
}

int CFtpCache::RemoveAndDestroy(const CString& dir) { return CStdMap::RemoveAndDestroy(dir); }

void CFtpCache::RemoveAndDestroy() { CStdMap::RemoveAndDestroy(); }

void CFtpCache::UniqueName(CFtpPathList* list, CFtpPath* p) {
  if (list) list->UniqueName(p);
}

void CFtpCache::UniqueName(const CString& dir, CFtpPathList& incoming) {
  CFtpPathList* list = CurList(dir);
  if (list == nullptr) return;
  for (CFtpPath* item : incoming) list->UniqueName(item);
}
