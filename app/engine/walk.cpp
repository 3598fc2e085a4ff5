#include "app/engine/walk.h"

#include "app/engine/actions.h"
#include "app/engine/trash_folder.h"
#include "platform/file_find.h"
#include "platform/disk_interface.h"
#include "winui/message_pump.h"

namespace {

// A folder the walk leaves out: its last name (a cheap first test) and its
// identity (the proof).
struct CSkipFolder {
  CString strName;
  CFileIdentity identity;
  bool bValid = false;

  CSkipFolder(const CString& path, CDiskInterface& disk) {
    CString p = path;
    while (p.size() > 1 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    const size_t slash = p.find_last_of(L"\\/");
    strName = slash == CString::npos ? p : p.substr(slash + 1);
    bValid = !p.empty() && disk.GetIdentity(p, identity);
  }

  bool Matches(const CFileFind& entry, CDiskInterface& disk) const {
    if (!bValid || CompareNoCase(entry.GetFileName(), strName) != 0) return false;
    CFileIdentity id;
    return disk.GetEntryIdentity(entry, id) && id == identity;
  }
};

struct CWalkContext {
  CSkipFolder trash;
  CSkipFolder batch;

  // The trash and batch folders are left out whatever the entry is: a link
  // to elsewhere named like them as much as the folders themselves.
  bool Skips(const CFileFind& entry, CDiskInterface& disk) const {
    return trash.Matches(entry, disk) || batch.Matches(entry, disk);
  }
};

// Offers the entries of a started listing; enters each real folder not
// consumed, relative to this listing.
void Walk(CFileFind& find, CFileAction& action, const CWalkContext& context) {
  CDiskInterface& disk = action.m_disk;
  for (bool more = true; more;) {
    if (g_bCancel || IsInterruptRecorded()) throw new CActException(kCancelText);
    more = find.FindNextFile();
    if (find.IsDots() || context.Skips(find, disk)) continue;
    const bool realFolder = find.IsDirectory() && !find.IsReparsePoint();
    if (action.OnFound(find) || !realFolder) continue;
    g_bCancel = false;
    CFileFind sub;
    if (disk.ListSubfolder(find, sub)) Walk(sub, action, context);
  }
}

}  // namespace

void WalkFolder(const CString& folder, CFileAction& action) {
  CDiskInterface& disk = action.m_disk;
  const CWalkContext context{CSkipFolder(GetTrashFolder(), disk), CSkipFolder(GetBatchFolder(), disk)};
  g_bCancel = false;
  CFileFind find;
  if (disk.ListFolder(folder, find)) Walk(find, action, context);
}
