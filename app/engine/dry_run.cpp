#include "app/engine/dry_run.h"

#include "app/engine/actions.h"
#include "app/engine/walk.h"
#include "platform/fs/file_find.h"
#include "platform/ui/message_loop.h"

namespace {

// Sum of the sizes of everything below folder that is not a folder; a link
// counts its own size and is never followed.
uint64_t FolderSize(const CFileFind& folder, CDiskInterface& disk) {
  uint64_t total = 0;
  CFileFind find;
  if (!disk.ListSubfolder(folder, find)) return 0;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (find.IsDots()) continue;
    if (find.IsDirectory() && !find.IsReparsePoint())
      total += FolderSize(find, disk);
    else
      total += find.GetLength();
  }
  return total;
}

// Consumes what the moving action would move, and lists it instead.
class CDryRunAction : public CFileAction {
 public:
  CDryRunAction(CleanupKind kind, const CString& list, const std::function<void(const CDryRunItem&)>& onItem,
                CDryRunOutcome& outcome, CDiskInterface& disk)
      : CFileAction(list, nullptr, disk), m_kind(kind), m_onItem(onItem), m_outcome(outcome) {}

  bool OnFound(CFileFind& entry) override {
    const bool folder = m_kind == CleanupKind::kFolders;
    if ((folder ? FindFolderNameMatch(entry, m_arrList) : FindExtensionMatch(entry, m_arrList)) == nullptr)
      return false;
    CDryRunItem item;
    item.strPath = entry.GetFilePath();
    item.bFolder = folder;
    item.nSize = ItemSize(entry, m_disk);
    ++m_nCount;
    ++m_outcome.nItems;
    m_outcome.nTotalSize += item.nSize;
    if (m_onItem) m_onItem(item);
    PumpQueuedMessages();
    return true;
  }

 private:
  CleanupKind m_kind;
  const std::function<void(const CDryRunItem&)>& m_onItem;
  CDryRunOutcome& m_outcome;
};

}  // namespace

uint64_t ItemSize(const CFileFind& entry, CDiskInterface& disk) {
  return entry.IsDirectory() && !entry.IsReparsePoint() ? FolderSize(entry, disk) : entry.GetLength();
}

CDryRunOutcome DryRunCleanup(CleanupKind kind, const CString& source, const CString& trash, const CString& list,
                             const std::function<void(const CDryRunItem&)>& onItem, CDiskInterface& disk) {
  CDryRunOutcome outcome;
  CDryRunAction action(kind, list, onItem, outcome, disk);
  try {
    WalkFolder(source, trash, action);
  } catch (CActException* e) {
    outcome.bCancelled = true;
    delete e;
  }
  outcome.arrUnopened = action.m_arrUnopened;
  return outcome;
}
