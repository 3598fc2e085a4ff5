#include "app/engine/batch_purge.h"

#include "app/engine/actions.h"
#include "app/engine/shown_path.h"
#include "app/engine/trash_folder.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "text/format.h"
#include "platform/ui/message_loop.h"

namespace {

const int64_t kSecondsPerDay = 86400;

// Why a removal stopped, for its line: what stayed, and why.
CString DescribeStop(const CString& trashPath, const CRemoveStop& stop) {
  const CString item = L"'" + trashPath + PlatformPathSeparator() + stop.strPath + L"'";
  switch (stop.nReason) {
    case CRemoveStop::kOtherFileSystem: return item + L" is on another file system";
    case CRemoveStop::kLink: return item + L" is a link";
    case CRemoveStop::kError: return item + L": " + PlatformErrorText(stop.nError);
    case CRemoveStop::kNone: break;
  }
  return CString();
}

// Deletes one batch folder, held locked for deletion meanwhile. Empty when
// it went, else why it (or part of it) stayed: "in use" when a run holds it.
CString DeleteBatch(const CFolderHandle& trash, const CString& trashPath, const CString& name, CDiskInterface& disk) {
  CFolderHandle batch;
  if (!disk.OpenFolder(&trash, name, false, batch)) return PlatformErrorText(disk.LastError());
  const CFolderResult lock = disk.LockFolder(batch, true);
  if (lock == CFolderResult::kTaken) return L"in use";
  if (lock == CFolderResult::kFailed) return PlatformErrorText(disk.LastError());
  CRemoveStop stop;
  if (disk.RemoveTree(trash, name, stop)) return CString();
  const CString why = DescribeStop(trashPath, stop);
  return why.empty() ? PlatformErrorText(disk.LastError()) : why;
}

// The line of one batch folder.
CString FormatPurgeLine(const CString& path, bool deleted, const CString& why) {
  if (deleted) return L" OK  Deleted " + ShownPath(path);
  return L" ERROR  Cannot delete " + ShownPath(path) + (why.empty() ? CString() : L": " + ShownPath(why));
}

// The deletions and the summary. Throws the run's exceptions.
void DeleteBatches(const CString& trashPath, const std::vector<CBatchFolder>& batches, int days,
                   CBatchJobView& view, CDiskInterface& disk, CBatchJobOutcome& outcome) {
  view.AddLine(Format(L"== Delete %d batch folders older than %d days from '%s'", outcome.nItems, days,
                      ShownPath(trashPath)));
  CFolderHandle trash;
  if (!disk.OpenPrivateFolder(nullptr, trashPath, false, trash))
    throw new CActException(L"Cannot open folder " + trashPath);
  view.SetProgressRange(outcome.nItems);
  CAction reporter(&view, disk);
  for (const CBatchFolder& batch : batches) {
    ThrowIfCancelled();
    const CString why = DeleteBatch(trash, trashPath, batch.strName, disk);
    const bool deleted = why.empty();
    ++(deleted ? outcome.nDone : outcome.nErrors);
    reporter.Report(FormatPurgeLine(batch.strPath, deleted, why));
    PumpQueuedMessagesIfDue();
  }
  AddSummary(view, outcome);
}

}  // namespace

std::vector<CBatchFolder> SelectOldBatches(const CString& trash, int days, const CLocalTime& now,
                                           CDiskInterface& disk) {
  std::vector<CBatchFolder> old;
  for (const CBatchFolder& batch : ListBatchFolders(trash, disk))
    if (SecondsBetween(batch.time, now) > days * kSecondsPerDay) old.push_back(batch);
  return old;
}

CBatchJobOutcome RunPurge(const CString& trash, const std::vector<CBatchFolder>& batches, int days,
                          CBatchJobView& view, CDiskInterface& disk) {
  const int32_t count = static_cast<int32_t>(batches.size());
  return RunBatchJob(kPurgeJobName, FormatPurgeQuestion(count, days, trash), view, [&](CBatchJobOutcome& outcome) {
    outcome.nItems = count;
    DeleteBatches(trash, batches, days, view, disk, outcome);
  });
}

CString FormatPurgeQuestion(int32_t count, int days, const CString& trash) {
  return Format(L"Are you sure you want to permanently delete %d batch folders older than %d days\nFrom:\n'%s'", count,
                days, trash);
}
