#include "app/engine/trash_listing.h"

#include <algorithm>

#include "app/engine/dry_run.h"
#include "app/engine/flat_name.h"
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

std::vector<CBatchSummary> SummarizeBatchFolders(const CString& trash, const CString& source, const CString& logPath,
                                                 CString& logError, int32_t& skipped, CDiskInterface& disk) {
  std::vector<CBatchSummary> summaries;
  CStringArray folders, paths;
  for (const CBatchFolder& batch : ListBatchFolders(trash, disk)) {
    summaries.push_back(CBatchSummary{batch});
    folders.push_back(batch.strPath);
    paths.push_back(batch.strPath + PlatformPathSeparator());
  }
  // Counts, not names: whether an item is there is asked of the disk.
  std::vector<int64_t> restorable(summaries.size(), 0);
  CFlatNames names;
  const auto count = [&](const CBatchRecord& record) {
    uint32_t attributes = 0;
    if (!disk.GetAttributes(paths[record.nBatch] + record.strName, attributes)) return;
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!record.bInto) --restorable[record.nBatch];
    else if (RecordMatchesItem(source, record.strFrom, record.strName, isFolder, names)) ++restorable[record.nBatch];
  };
  CBatchRecordScan scan(folders, disk);
  const bool logRead = summaries.empty() || scan.ReadLog(logPath, count, logError);
  skipped = scan.GetSkippedLines();
  for (size_t i = 0; i < summaries.size(); ++i) {
    const CFolderContents contents = ListFolderContents(summaries[i].folder.strPath, true, disk);
    summaries[i].nItems = contents.nItems;
    summaries[i].nSize = contents.nSize;
    if (logRead) summaries[i].nRestorable = static_cast<int32_t>(std::clamp<int64_t>(restorable[i], 0, contents.nItems));
  }
  return summaries;
}
