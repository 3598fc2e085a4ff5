#include "app/engine/trash_listing.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "app/engine/dry_run.h"
#include "app/engine/flat_name.h"
#include "app/engine/log_records.h"
#include "app/engine/trash_folder.h"
#include "platform/fs/file_find.h"
#include "platform/sys/process.h"

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

// What the batch folders hold, for their records as they come: the entries
// of the batch whose records come now, listed once (a run's records come
// together), or, for a batch whose records come again after another's or
// that holds too many names to keep, the disk asked item by item. Memory
// stays bounded whatever the log and the batches hold.
class CBatchEntries {
 public:
  CBatchEntries(const CStringArray& folders, CDiskInterface& disk)
      : m_folders(folders), m_disk(disk), m_listed(folders.size(), false) {}

  // Whether name is in batch index, and whether it is a folder.
  bool Find(size_t index, const CString& name, bool& isFolder) {
    if (index != m_nCurrent && !m_listed[index]) List(index);
    if (index == m_nCurrent) {
      const auto at = m_names.find(name);
      if (at == m_names.end()) return false;
      isFolder = at->second;
      return true;
    }
    uint32_t attributes = 0;
    if (!m_disk.GetAttributes(m_folders[index] + PlatformPathSeparator() + name, attributes)) return false;
    isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
  }

 private:
  static const size_t kMaxNames = 100000;

  void List(size_t index) {
    m_listed[index] = true;
    m_names.clear();
    m_nCurrent = index;
    CFileFind find;
    if (!m_disk.ListFolder(m_folders[index], find)) return;
    for (bool more = true; more;) {
      more = find.FindNextFile();
      if (find.IsDots()) continue;
      if (m_names.size() == kMaxNames) {
        m_names.clear();
        m_nCurrent = SIZE_MAX;
        return;
      }
      m_names.emplace(find.GetFileName(), find.IsDirectory());
    }
  }

  const CStringArray& m_folders;
  CDiskInterface& m_disk;
  std::vector<bool> m_listed;
  size_t m_nCurrent = SIZE_MAX;  // the batch m_names holds
  std::unordered_map<CString, bool> m_names;
};

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
  CStringArray folders;
  for (const CBatchFolder& batch : ListBatchFolders(trash, disk)) {
    summaries.push_back(CBatchSummary{batch});
    folders.push_back(batch.strPath);
  }
  // Counts, not records.
  std::vector<int64_t> restorable(summaries.size(), 0);
  CFlatNames names;
  names.SetTree(source);  // only records from inside source count
  CBatchEntries entries(folders, disk);
  const auto count = [&](const CBatchRecord& record) {
    bool isFolder = false;
    if (!entries.Find(record.nBatch, record.strName, isFolder)) return;
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
    if (logRead)
      summaries[i].nRestorable = static_cast<int32_t>(std::clamp<int64_t>(restorable[i], 0, contents.nItems));
  }
  return summaries;
}
