// CFtpCache: what a client knows of a remote FTP tree, as a map from a
// directory text (a path's dir, with its leading and trailing separator) to
// the list of the paths known in that directory, whose tag is the same text.
// The cache owns its lists, and each list its items: destroying the cache
// destroys them all. It cannot be copied, so that no two caches ever hold
// (and destroy) the same lists. It does no network work: entries come from
// the caller, typically CFtpPath(const CFtpFileFind&) over a listing.
#pragma once

#include "ftp/ftp_path.h"
#include "ftp/ftp_path_list.h"
#include "object/std_map.h"
#include "platform/api.h"
#include "platform/cstring.h"

// The exported instantiation, made in ftp_cache.cpp.
extern template class VELMORA_API CStdMap<CString, CFtpPathList*>;

class VELMORA_API CFtpCache : public CStdMap<CString, CFtpPathList*> {
 public:
  CFtpCache();
  CFtpCache(const CFtpCache&) = delete;
  void operator=(const CFtpCache&) = delete;
  // RemoveAndDestroy().
  virtual ~CFtpCache();

  // Appends a new copy of p to the list of p's dir, made (owning, tagged
  // with dir) when there is none. Duplicates are kept. Returns that list.
  CFtpPathList* Add(const CFtpPath& p);
  // The list of dir; null when dir is empty or has none.
  CFtpPathList* CurList(const CString& dir) const;

  // Takes p out of the first list, in key order, that holds it (every
  // occurrence there) and returns it, now the caller's; null when no list
  // holds it or p is null.
  CFtpPath* Remove(CFtpPath* p);
  // Takes p out of every list that holds it and destroys it; nothing when no
  // list holds it or p is null.
  void RemoveAndDestroy(CFtpPath* p);
  // Destroys the list of dir and its entry: 1, or 0 when there is none.
  int RemoveAndDestroy(const CString& dir);
  // Destroys every list (each its items when owning) and empties the cache.
  void RemoveAndDestroy();

  // list->UniqueName(p); nothing when list is null.
  void UniqueName(CFtpPathList* list, CFtpPath* p);
  // Renames each item of incoming, head to tail, whose name the list of dir
  // already uses (CFtpPathList::UniqueName); nothing when dir is empty or
  // has no list.
  void UniqueName(const CString& dir, CFtpPathList& incoming);
};
