// Reading the log back: the item records of the moves into batch folders,
// and of the moves back out of them, are what a restore goes by.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/cstring.h"
#include "platform/disk_interface.h"
#include "platform/file.h"

// Reads a log file line by line through a buffer of fixed size, so that
// memory does not grow with the log.
class CLogLineReader {
 public:
  // Opens path for reading, shared with writers. False, with the OS error in
  // GetOpenError(), when it cannot be opened (Windows: while another
  // program holds the log).
  bool Open(const CString& path);
  long GetOpenError() const { return m_file.m_lOsError; }
  // The next line without its line end (CR LF or LF), read back as the log
  // wrote it (WidenFromAnsiWithPathBytes). False at the end of the file.
  // Throws CFileException* when a read fails.
  bool ReadLine(CString& line);

 private:
  CFile m_file;
  std::string m_buffer;
  size_t m_nPos = 0;
  bool m_bEnd = false;
};

// The "SRC ==> DST" of an item record of a move that succeeded (the tag
// "... ", the text " OK  From SRC ==> DST"), or false for any other line.
bool ParseMoveRecord(const CString& line, CString& move);

// One recorded item of a batch folder.
struct CBatchItem {
  CString strName;    // its name in the batch folder
  CString strSource;  // where it was before the run moved it
};

// What the log says about the items of some batch folders. A record belongs
// to a batch when one side of its " ==> " lies directly inside that folder,
// found by identity (however the path was spelled) and with both sides full
// paths, so that a name holding " ==> " cannot mislead it. A move into the
// batch records the item under its name there (a later move under the same
// name replaces it); a move out of it (a restore) forgets it. Memory grows
// with the records of these batches only, each name and path held once.
class CBatchRecordScan {
 public:
  // REQUIRES: disk outlives the scan.
  explicit CBatchRecordScan(const CStringArray& batches, CDiskInterface& disk = RealDisk());

  // Takes one line of the log.
  void Add(const CString& line);
  // Adds every line of the log at path. A missing log has no records. False,
  // with a text that says why, when it exists but cannot be read.
  bool ReadLog(const CString& path, CString& error);
  // Whether the log can restore the item name of batches[index].
  bool IsRecorded(size_t index, const CString& name) const;
  // Hands over the items of batches[index] the log can restore, in the order
  // of their records; the batch then has none.
  std::vector<CBatchItem> TakeItems(size_t index);

 private:
  struct CBatch {
    CFileIdentity identity;
    bool bKnown = false;                                   // identity could be read
    std::deque<CBatchItem> items;                          // forgotten ones have no name
    std::unordered_map<std::wstring_view, size_t> byName;  // live items, by their own names
  };
  // The batch that holds path directly, and the name there; false for none.
  bool FindBatch(const CString& path, size_t& index, CString& name);

  CDiskInterface& m_disk;
  std::vector<CBatch> m_batches;
  std::unordered_multimap<CString, size_t> m_byFolderName;  // last name of each batch's path
  std::unordered_map<CString, long> m_folders;              // folder as written: batch, or -1
};
