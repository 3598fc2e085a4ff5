#include "app/engine/batch_purge.h"

#include "app/engine/actions.h"
#include "app/engine/trash_folder.h"
#include "platform/folder_handle.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

const int64_t kSecondsPerDay = 86400;

// The deletions and the summary. Throws the run's exceptions.
void DeleteBatches(const CString& trashPath, const std::vector<CBatchFolder>& batches, int days,
                   CBatchJobView& view, CDiskInterface& disk, CBatchJobOutcome& outcome) {
  view.AddLine(Format(L"== Delete %d batch folders older than %d days from '%s'", outcome.nItems, days, trashPath));
  CFolderHandle trash;
  if (!disk.OpenPrivateFolder(nullptr, trashPath, false, trash))
    throw new CActException(L"Cannot open folder " + trashPath);
  view.SetProgressRange(outcome.nItems);
  CAction reporter(&view, disk);
  for (const CBatchFolder& batch : batches) {
    ThrowIfCancelled();
    const bool deleted = disk.RemoveTree(trash, batch.strName);
    ++(deleted ? outcome.nDone : outcome.nErrors);
    reporter.Report((deleted ? L" OK  Deleted " : L" ERROR  Cannot delete ") + batch.strPath);
    PumpMessage();
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
