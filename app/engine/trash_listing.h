// The batch folders of a trash folder and what they hold: what `list`
// shows, what `purge` chooses from and where `restore --last` looks.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

struct CBatchFolder {
  CString strName;  // e.g. "2026_12_05_02_34_50"
  CString strPath;  // the trash folder, the separator and the name
  CLocalTime time;  // the local time of its name
};

// The entries directly inside trash that are real folders (never links)
// with names of the batch form (ParseBatchFolderName), newest first. Empty
// when trash cannot be listed.
std::vector<CBatchFolder> ListBatchFolders(const CString& trash, CDiskInterface& disk = RealDisk());

// The newest batch folder of trash that holds anything (a run that found
// nothing leaves an empty one), or false.
bool FindLastBatch(const CString& trash, CBatchFolder& batch, CDiskInterface& disk = RealDisk());

// The names directly inside folder, and the items and bytes (ItemSize) of
// them.
struct CFolderContents {
  CStringArray names;
  int32_t nItems = 0;
  uint64_t nSize = 0;
};
CFolderContents ListFolderContents(const CString& folder, bool withSizes, CDiskInterface& disk = RealDisk());

// A batch folder as `list` shows it.
struct CBatchSummary {
  CBatchFolder folder;
  int32_t nItems = 0;
  uint64_t nSize = 0;
  int32_t nRestorable = 0;  // items the log's records can move back
};

// ListBatchFolders with what each holds and how many of its items the log
// at logPath can restore to source: the items there whose record a restore
// takes (RecordMatchesItem), less those a later record moved out. The log
// is read in one pass, in memory that grows with the batch folders, not
// with the log. logError is set, and nothing counts as restorable, when the
// log exists but cannot be read; skipped is the number of lines of the log
// it skipped (CBatchRecordScan::GetSkippedLines).
std::vector<CBatchSummary> SummarizeBatchFolders(const CString& trash, const CString& source, const CString& logPath,
                                                 CString& logError, int32_t& skipped,
                                                 CDiskInterface& disk = RealDisk());
