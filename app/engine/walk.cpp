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
    return disk.GetIdentity(entry.GetFilePath(), id) && id == identity;
  }
};

struct CWalkContext {
  CSkipFolder trash;
  CSkipFolder batch;
};

void Walk(const CString& folder, CFileAction& action, const CWalkContext& context) {
  g_bCancel = false;
  CFileFind find;
  CDiskInterface& disk = action.m_disk;
  if (!disk.ListFolder(folder, find)) return;
  for (bool more = true; more;) {
    if (g_bCancel || IsInterruptRecorded()) throw new CActException(kCancelText);
    more = find.FindNextFile();
    if (find.IsDots()) continue;
    // Only a real folder can be the trash or the batch folder.
    const bool realFolder = find.IsDirectory() && !find.IsReparsePoint();
    if (realFolder && (context.trash.Matches(find, disk) || context.batch.Matches(find, disk))) continue;
    if (!action.OnFound(find) && realFolder) Walk(find.GetFilePath(), action, context);
  }
}

}  // namespace

void WalkFolder(const CString& folder, CFileAction& action) {
  CDiskInterface& disk = action.m_disk;
  const CWalkContext context{CSkipFolder(GetTrashFolder(), disk), CSkipFolder(GetBatchFolder(), disk)};
  Walk(folder, action, context);
}
