// Reading the log back: the item records of the moves into batch folders,
// and of the moves back out of them, are what a restore goes by. Every line
// may have been written by someone else: a record is read in bounded memory
// and checked before anything acts on it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/engine/flat_name.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"
#include "platform/fs/file.h"

// The longest line a run can write, with room to spare: two paths of the
// longest Windows path, at up to four bytes a character. Longer lines are
// skipped.
constexpr size_t kMaxLogLineBytes = 512 * 1024;

// Reads a log file line by line through a buffer of bounded size, so that
// memory grows neither with the log nor with one of its lines.
class CLogLineReader {
 public:
  // Opens path for reading, shared with writers; only a regular file of the
  // user's own that others may not write, never through a link. False, with
  // the error in GetOpenError() (FileOpenErrorText), when it cannot be
  // opened (Windows: while another program holds the log).
  bool Open(const CString& path);
  long GetOpenError() const { return m_file.m_lOsError; }
  // The next line as the log's bytes, without its line end (CR LF or LF),
  // valid until the next call. A line longer than kMaxLogLineBytes or
  // holding a NUL byte is skipped (no run writes one) and counted. False at
  // the end of the file. Throws CFileException* when a read fails.
  bool ReadLine(std::string_view& line);
  int32_t GetSkippedLines() const { return m_nSkipped; }

 private:
  // Reads the next chunk after what is kept; sets m_bEnd at the end of the file.
  void Fill();

  CFile m_file;
  std::string m_buffer;
  size_t m_nPos = 0;
  bool m_bEnd = false;
  int32_t m_nSkipped = 0;
};

// The "SRC ==> DST" of an item record of a move that succeeded (the tag
// "... ", the text " OK  From SRC ==> DST"), read back as the log wrote it
// (WidenFromAnsiWithPathBytes), or false for any other line.
bool ParseMoveRecord(std::string_view line, CString& move);

// Whether from, a recorded source, can be the item name of a batch folder
// that a run over source moved: from lies inside source, its names below it
// hold no empty, "." or ".." name, and name is exactly the flattened name
// the run gives from (names.Of). The separators are the platform's and '/'.
bool RecordMatchesItem(const CString& source, const CString& from, const CString& name, bool isFolder,
                       CFlatNames& names);

// One move between a batch folder and elsewhere, as a record tells it.
struct CBatchRecord {
  size_t nBatch;    // index of the batch folder in the scan's list
  bool bInto;       // into the batch folder (a run), or out of it (a restore)
  CString strName;  // the item's name in the batch folder
  CString strFrom;  // the record's source side
  CString strTo;    // the record's destination side
};

// Finds the records of some batch folders in a log. A record belongs to a
// batch when one side of its " ==> " lies directly inside that folder, found
// by identity (however the path was spelled) and with both sides full
// paths, so that a name holding " ==> " cannot mislead it. Memory grows
// with the batch folders, not with the log.
class CBatchRecordScan {
 public:
  using CRecordSink = std::function<void(const CBatchRecord&)>;

  // REQUIRES: disk outlives the scan.
  explicit CBatchRecordScan(const CStringArray& batches, CDiskInterface& disk = RealDisk());

  // Passes each record of the batches in one line of the log to sink.
  void Add(std::string_view line, const CRecordSink& sink);
  // Adds every line of the log at path. A missing log has no records. False,
  // with a text that says why, when it exists but cannot be read or is not
  // the user's own regular file (CLogLineReader::Open).
  bool ReadLog(const CString& path, const CRecordSink& sink, CString& error);
  // The lines ReadLog skipped (CLogLineReader::GetSkippedLines).
  int32_t GetSkippedLines() const { return m_nSkipped; }

 private:
  struct CBatch {
    CFileIdentity identity;
    bool bKnown = false;  // identity could be read
  };
  // The batch that holds path directly, and the name there; false for none.
  bool FindBatch(const CString& path, size_t& index, CString& name);

  CDiskInterface& m_disk;
  std::vector<CBatch> m_batches;
  std::unordered_multimap<CString, size_t> m_byFolderName;  // last name of each batch's path
  std::unordered_map<CString, long> m_folders;              // folder as written: batch, or -1
  int32_t m_nSkipped = 0;
};

// "== Skipped N lines of the log that no run writes (a NUL byte, or longer
// than any record)", or empty for none.
CString FormatSkippedLines(int32_t count);
