#include "app/engine/batch_restore.h"

#include <algorithm>
#include <numeric>

#include "app/engine/actions.h"
#include "platform/file_find.h"
#include "platform/folder_handle.h"
#include "platform/process.h"
#include "text/format.h"
#include "winui/message_pump.h"

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
  // parent ends with the separator.
  bool Open(const CString& parent) {
    const wchar_t sep = PlatformPathSeparator();
    CString anchor = m_strSource, rest;
    const CString within = !anchor.empty() && anchor.back() == sep ? anchor : anchor + sep;
    if (!m_strSource.empty() && parent.compare(0, within.size(), within) == 0) {
      rest = parent.substr(within.size());
    } else {
      const size_t root = parent.find(sep);
      anchor = parent.substr(0, root + 1);
      rest = parent.substr(root + 1);
    }
    CFolderHandle folder;
    if (!m_disk.OpenFolder(nullptr, anchor, false, folder)) return false;
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
  view.AddLine(Format(L"== Restore %d items from '%s'", outcome.nItems, batchPath));
  CFolderHandle trash, batch;
  if (!disk.OpenPrivateFolder(nullptr, ParentPath(batchPath), false, trash) ||
      !disk.OpenPrivateFolder(&trash, LastName(batchPath), false, batch))
    throw new CActException(L"Cannot open folder " + batchPath);
  view.SetProgressRange(outcome.nItems);
  CAction reporter(&view, disk);
  CSourceFolders folders(source, disk);
  for (size_t i = 0; i < plan.items.size(); ++i) {
    ThrowIfCancelled();
    const CBatchItem& item = plan.items[i];
    CString name;
    const CFolderHandle* parent = nullptr;
    // An item gone from the batch makes no folder on its way back.
    const bool moved = plan.inBatch[i] &&
                       (parent = folders.ParentOf(item.strSource, name)) != nullptr &&
                       disk.MoveItem(batch, item.strName, *parent, name);
    ++(moved ? outcome.nDone : outcome.nErrors);
    reporter.LogMove(batchPath + PlatformPathSeparator() + item.strName, item.strSource, !moved);
    PumpMessage();
  }
  for (const CString& name : plan.unrecorded) view.AddLine(FormatLeftInPlace(batchPath + PlatformPathSeparator() + name));
  outcome.nLeft = static_cast<int32_t>(plan.unrecorded.size());
  batch.Close();
  if (disk.RemoveEmptyFolder(trash, LastName(batchPath)))
    view.AddLine(L"== Removed the empty batch folder '" + batchPath + L"'");
  AddSummary(view, outcome);
}

}  // namespace

bool PlanRestore(const CString& batch, const CString& logPath, CRestorePlan& plan, CString& error,
                 CDiskInterface& disk) {
  plan = CRestorePlan();
  plan.strBatch = batch;
  {
    CBatchRecordScan scan({batch}, disk);
    if (!scan.ReadLog(logPath, error)) return false;
    plan.items = scan.TakeItems(0);
  }
  std::vector<CBatchItem>& items = plan.items;
  std::reverse(items.begin(), items.end());
  // The listing is matched against the items sorted by name (their names
  // differ), not against a copy of their names.
  std::vector<size_t> byName(items.size());
  std::iota(byName.begin(), byName.end(), size_t(0));
  const auto nameLess = [&items](size_t a, size_t b) { return items[a].strName < items[b].strName; };
  std::sort(byName.begin(), byName.end(), nameLess);
  plan.inBatch.assign(items.size(), false);
  CFileFind find;
  if (disk.ListFolder(batch, find)) {
    for (bool more = true; more;) {
      more = find.FindNextFile();
      if (find.IsDots()) continue;
      const CString name = find.GetFileName();
      const auto at = std::lower_bound(byName.begin(), byName.end(), name,
                                       [&items](size_t i, const CString& n) { return items[i].strName < n; });
      if (at != byName.end() && items[*at].strName == name)
        plan.inBatch[*at] = true;
      else
        plan.unrecorded.push_back(name);
    }
  }
  std::sort(plan.unrecorded.begin(), plan.unrecorded.end());
  return true;
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

CString FormatLeftInPlace(const CString& path) { return L"== Left in place, not in the log: " + path; }
