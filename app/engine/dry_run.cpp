#include "app/engine/dry_run.h"

#include "app/engine/actions.h"
#include "app/engine/walk.h"
#include "platform/fs/file_find.h"
#include "platform/ui/message_loop.h"

namespace {

// Consumes what the moving action would move, and lists it instead.
class CDryRunAction : public CFileAction {
 public:
  CDryRunAction(CleanupKind kind, const CString& list, const std::function<void(const CDryRunItem&)>& onItem,
                CDryRunOutcome& outcome, CDiskInterface& disk, const CAgeRule& age)
      : CFileAction(list, nullptr, disk), m_kind(kind), m_onItem(onItem), m_outcome(outcome) {
    m_age = age;
  }

  bool OnFound(CFileFind& entry) override {
    const bool folder = m_kind == CleanupKind::kFolders;
    if ((folder ? FindFolderNameMatch(entry, m_arrList) : FindExtensionMatch(entry, m_arrList)) == nullptr)
      return false;
    CDryRunItem item;
    if (entry.IsDirectory() && !entry.IsReparsePoint()) {
      // One reading of the tree gives its age and its size.
      const CFolderScan scan = ScanFolder(entry, m_disk, m_age);
      if (!scan.bOld) return false;
      item.nSize = scan.nSize;
    } else {
      if (!m_age.IsOldEntry(entry)) return false;
      item.nSize = entry.GetLength();
    }
    item.strPath = entry.GetFilePath();
    item.bFolder = folder;
    ++m_nCount;
    ++m_outcome.nItems;
    m_outcome.nTotalSize += item.nSize;
    if (m_onItem) m_onItem(item);
    PumpQueuedMessagesIfDue();
    return true;
  }

 private:
  CleanupKind m_kind;
  const std::function<void(const CDryRunItem&)>& m_onItem;
  CDryRunOutcome& m_outcome;
};

}  // namespace

uint64_t ItemSize(const CFileFind& entry, CDiskInterface& disk) {
  return entry.IsDirectory() && !entry.IsReparsePoint() ? ScanFolder(entry, disk, CAgeRule()).nSize
                                                        : entry.GetLength();
}

CDryRunOutcome DryRunCleanup(CleanupKind kind, const CString& source, const CString& trash, const CString& list,
                             const std::function<void(const CDryRunItem&)>& onItem, CDiskInterface& disk,
                             const CAgeRule& age) {
  CDryRunOutcome outcome;
  CDryRunAction action(kind, list, onItem, outcome, disk, age);
  try {
    WalkFolder(source, trash, action);
  } catch (CActException* e) {
    outcome.bCancelled = true;
    delete e;
  }
  outcome.arrUnopened = action.m_arrUnopened;
  return outcome;
}
