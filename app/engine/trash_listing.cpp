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
  bool any = false;
  ForEachEntry(disk, folder, [&any](const CFileFind&) {
    any = true;
    return false;  // one is enough
  });
  return any;
}

// What the batch folders hold, for their records as they come: the entries
// of the batch whose records come now, listed once (a run's records come
// together), or, for a batch whose records come again after another's or
// that holds too many names to keep, the disk asked item by item. Memory
// stays bounded whatever the log and the batches hold. The listing that
// finds a batch's names also counts its items and their size, so that no
// batch is listed twice.
class CBatchEntries {
 public:
  CBatchEntries(const CStringArray& folders, CDiskInterface& disk)
      : m_folders(folders), m_disk(disk), m_listed(folders.size(), false), m_contents(folders.size()) {}

  // The number and size of the items of batch index (its names not kept).
  const CFolderContents& Contents(size_t index) {
    if (!m_listed[index]) List(index, false);
    return m_contents[index];
  }

  // Whether name is in batch index, and whether it is a folder.
  bool Find(size_t index, const CString& name, bool& isFolder) {
    if (index != m_nCurrent && !m_listed[index]) List(index, true);
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

  void List(size_t index, bool keepNames) {
    m_listed[index] = true;
    m_names.clear();
    m_nCurrent = keepNames ? index : SIZE_MAX;
    CFolderContents& contents = m_contents[index];
    ForEachEntry(m_disk, m_folders[index], [&](const CFileFind& find) {
      ++contents.nItems;
      contents.nSize += ItemSize(find, m_disk);
      if (m_nCurrent == index && m_names.size() == kMaxNames) {
        m_names.clear();
        m_nCurrent = SIZE_MAX;
      }
      if (m_nCurrent == index) m_names.emplace(find.GetFileName(), find.IsDirectory());
      return true;
    });
  }

  const CStringArray& m_folders;
  CDiskInterface& m_disk;
  std::vector<bool> m_listed;
  std::vector<CFolderContents> m_contents;  // of the batches listed
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
  ForEachEntry(disk, folder, [&](const CFileFind& find) {
    contents.names.push_back(find.GetFileName());
    ++contents.nItems;
    if (withSizes) contents.nSize += ItemSize(find, disk);
    return true;
  });
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
    const CFolderContents& contents = entries.Contents(i);
    summaries[i].nItems = contents.nItems;
    summaries[i].nSize = contents.nSize;
    if (logRead)
      summaries[i].nRestorable = static_cast<int32_t>(std::clamp<int64_t>(restorable[i], 0, contents.nItems));
  }
  return summaries;
}
