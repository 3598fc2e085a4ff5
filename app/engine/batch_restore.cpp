#include "app/engine/batch_restore.h"

#include <utility>

#include "app/engine/actions.h"
#include "app/engine/item_record.h"
#include "app/engine/shown_path.h"
#include "platform/fs/file_find.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "text/format.h"
#include "platform/ui/message_loop.h"

namespace {

// The folders items go back into, opened one level at a time from an
// anchor, and the last one kept open for the next item: a batch lists the
// items of one folder together.
class CSourceFolders {
 public:
  CSourceFolders(const CString& source, CDiskInterface& disk) : m_strSource(source), m_disk(disk) {}

  // The folder that holds path, and the name in it; null when the folder
  // cannot be reached or made.
  const CFolderHandle* ParentOf(const CString& path, CString& name) {
    const wchar_t sep = PlatformPathSeparator();
    const size_t slash = path.find_last_of(sep);
    if (slash == CString::npos) return nullptr;
    name = path.substr(slash + 1);
    const CString parent = path.substr(0, slash + 1);
    if (m_folder.IsOpen() && parent == m_strOpen) return &m_folder;
    m_folder.Close();
    if (!Open(parent)) return nullptr;
    m_strOpen = parent;
    return &m_folder;
  }

 private:
  // parent ends with the separator and lies inside the source.
  bool Open(const CString& parent) {
    const wchar_t sep = PlatformPathSeparator();
    const CString within = !m_strSource.empty() && m_strSource.back() == sep ? m_strSource : m_strSource + sep;
    if (m_strSource.empty() || parent.compare(0, within.size(), within) != 0) return false;
    const CString rest = parent.substr(within.size());
    CFolderHandle folder;
    if (!m_disk.OpenFolder(nullptr, m_strSource, false, folder)) return false;
    for (size_t start = 0; start < rest.size();) {
      const size_t end = rest.find(sep, start);
      const CString level = rest.substr(start, end - start);
      start = end + 1;
      if (level.empty()) continue;
      CFolderHandle next;
      if (!m_disk.OpenFolder(&folder, level, true, next)) return false;
      folder = std::move(next);
    }
    m_folder = std::move(folder);
    return true;
  }

  CString m_strSource;
  CDiskInterface& m_disk;
  CString m_strOpen;  // the path m_folder was opened for
  CFolderHandle m_folder;
};

CString ParentPath(const CString& path) { return path.substr(0, path.find_last_of(PlatformPathSeparator())); }

CString LastName(const CString& path) { return path.substr(path.find_last_of(PlatformPathSeparator()) + 1); }

// The moves back and what follows them. Throws the run's exceptions.
void RestoreItems(const CRestorePlan& plan, const CString& source, CBatchJobView& view, CDiskInterface& disk,
                  CBatchJobOutcome& outcome) {
  const CString& batchPath = plan.strBatch;
  view.AddLine(Format(L"== Restore %d items from '%s'", outcome.nItems, ShownPath(batchPath)));
  CFolderHandle trash, batch;
  if (!disk.OpenPrivateFolder(nullptr, ParentPath(batchPath), false, trash) ||
      !disk.OpenPrivateFolder(&trash, LastName(batchPath), false, batch))
    throw new CActException(L"Cannot open folder " + ShownPath(batchPath));
  for (const CString& note : plan.notes) view.AddLine(note);
  view.SetProgressRange(outcome.nItems);
  CAction reporter(&view, disk);
  CSourceFolders folders(source, disk);
  for (size_t i = 0; i < plan.items.size(); ++i) {
    ThrowIfCancelled();
    const CBatchItem item = plan.items[i];
    CString name;
    const CFolderHandle* parent = nullptr;
    // An item gone from the batch makes no folder on its way back.
    const bool moved = plan.inBatch[i] &&
                       (parent = folders.ParentOf(item.strSource, name)) != nullptr &&
                       disk.MoveItem(batch, item.strName, *parent, name);
    ++(moved ? outcome.nDone : outcome.nErrors);
    try {
      reporter.LogMove(batchPath + PlatformPathSeparator() + item.strName, item.strSource, !moved);
    } catch (CFileException* e) {
      const CString text = FormatLogWriteFailure(*e);
      e->Delete();
      throw new CActException(text + (moved ? L"; the item is back in its place: " + ShownPath(item.strSource)
                                            : CString()));
    }
    PumpQueuedMessagesIfDue();
  }
  for (const CString& name : plan.unrecorded)
    view.AddLine(FormatLeftInPlace(batchPath + PlatformPathSeparator() + name));
  outcome.nLeft = static_cast<int32_t>(plan.unrecorded.size()) + plan.nRefused;
  batch.Close();
  if (disk.RemoveEmptyFolder(trash, LastName(batchPath)))
    view.AddLine(L"== Removed the empty batch folder '" + batchPath + L"'");
  AddSummary(view, outcome);
}

}  // namespace

void CBatchItems::Assign(std::deque<CPackedBatchItem> items, CPackedStore store) {
  m_items = std::move(items);
  m_store = std::move(store);
}

size_t CBatchItems::size() const { return m_items.size(); }

CBatchItem CBatchItems::operator[](size_t index) const {
  return CBatchItem{UnpackText(m_items[index].name), UnpackText(m_items[index].source)};
}

CBatchJobOutcome RunRestore(const CRestorePlan& plan, const CString& source, CBatchJobView& view,
                            CDiskInterface& disk) {
  const int32_t count = static_cast<int32_t>(plan.items.size());
  return RunBatchJob(kRestoreJobName, FormatRestoreQuestion(count, plan.strBatch), view,
                     [&](CBatchJobOutcome& outcome) {
                       outcome.nItems = count;
                       RestoreItems(plan, source, view, disk, outcome);
                     });
}

CString FormatRestoreQuestion(int32_t count, const CString& batch) {
  return Format(L"Are you sure you want to move %d items back to where they came from\nFrom:\n'%s'", count, batch);
}

CString FormatLeftInPlace(const CString& path) { return L"== Left in place, not in the log: " + ShownPath(path); }

bool CanOpenBatchFolder(const CString& batch, CDiskInterface& disk) {
  CFolderHandle trash, folder;
  return disk.OpenPrivateFolder(nullptr, ParentPath(batch), false, trash) &&
         disk.OpenPrivateFolder(&trash, LastName(batch), false, folder);
}
