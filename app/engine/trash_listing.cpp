#include "app/engine/trash_listing.h"

#include <algorithm>

#include "app/engine/dry_run.h"
#include "app/engine/log_records.h"
#include "app/engine/trash_folder.h"
#include "platform/file_find.h"
#include "platform/process.h"

namespace {

bool HoldsAnything(const CString& folder, CDiskInterface& disk) {
  CFileFind find;
  if (!disk.ListFolder(folder, find)) return false;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (!find.IsDots()) return true;
  }
  return false;
}

}  // namespace

std::vector<CBatchFolder> ListBatchFolders(const CString& trash, CDiskInterface& disk) {
  std::vector<CBatchFolder> batches;
  CFileFind find;
  if (!disk.ListFolder(trash, find)) return batches;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    CBatchFolder batch;
    batch.strName = find.GetFileName();
    if (find.IsDots() || !ParseBatchFolderName(batch.strName, batch.time) || !find.IsDirectory() ||
        find.IsReparsePoint())
      continue;
    batch.strPath = trash + PlatformPathSeparator() + batch.strName;
    batches.push_back(batch);
  }
  // The name's fields run from the year down, all of fixed width.
  std::sort(batches.begin(), batches.end(),
            [](const CBatchFolder& a, const CBatchFolder& b) { return a.strName > b.strName; });
  return batches;
}

bool FindLastBatch(const CString& trash, CBatchFolder& batch, CDiskInterface& disk) {
  for (const CBatchFolder& candidate : ListBatchFolders(trash, disk)) {
    if (!HoldsAnything(candidate.strPath, disk)) continue;
    batch = candidate;
    return true;
  }
  return false;
}

CFolderContents ListFolderContents(const CString& folder, bool withSizes, CDiskInterface& disk) {
  CFolderContents contents;
  CFileFind find;
  if (!disk.ListFolder(folder, find)) return contents;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (find.IsDots()) continue;
    contents.names.push_back(find.GetFileName());
    ++contents.nItems;
    if (withSizes) contents.nSize += ItemSize(find, disk);
  }
  return contents;
}

std::vector<CBatchSummary> SummarizeBatchFolders(const CString& trash, const CString& logPath, CString& logError,
                                                 CDiskInterface& disk) {
  std::vector<CBatchSummary> summaries;
  CStringArray paths;
  for (const CBatchFolder& batch : ListBatchFolders(trash, disk)) {
    summaries.push_back(CBatchSummary{batch});
    paths.push_back(batch.strPath);
  }
  CBatchRecordScan scan(paths, disk);
  const bool logRead = summaries.empty() || scan.ReadLog(logPath, logError);
  for (size_t i = 0; i < summaries.size(); ++i) {
    const CFolderContents contents = ListFolderContents(paths[i], true, disk);
    summaries[i].nItems = contents.nItems;
    summaries[i].nSize = contents.nSize;
    if (!logRead) continue;
    for (const CString& name : contents.names) summaries[i].nRestorable += scan.IsRecorded(i, name);
  }
  return summaries;
}
