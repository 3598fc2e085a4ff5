// --older-than DAYS: the age an item must have for a run to take it. A file
// (or link) is old enough when its own last write lies more than DAYS days
// back; a folder when nothing inside it, files and folders at any depth
// (links as themselves, never followed), was written within DAYS days. Both
// passes of a run and a dry run share one rule, and so one "now".
#pragma once

#include <cstdint>

#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"
#include "platform/fs/file_time.h"

class CFileFind;

// No --older-than: every item is old enough.
constexpr int kAnyAge = -1;
// The most days --older-than takes.
constexpr int kMaxAgeDays = 1000000;

class CAgeRule {
 public:
  // Every item is old enough.
  CAgeRule() = default;
  // Old enough: last written more than days days before now, the file-time
  // clock (GetFileTimeNow) read here, once. days < 0 (kAnyAge): every item.
  // More than kMaxAgeDays: nothing is old enough.
  explicit CAgeRule(int days);

  bool IsActive() const { return m_nDays >= 0; }
  int GetDays() const { return m_nDays; }
  // A last write time older than the limit (strictly). An unknown time (0)
  // never is. Always true when not active.
  bool IsOld(const CFileTime& lastWrite) const;
  // The entry's own last write time (a link's own) is old enough.
  bool IsOldEntry(const CFileFind& entry) const;

 private:
  int m_nDays = kAnyAge;
  CFileTime m_limit;  // written before it: old enough; 0: nothing is
};

// What one reading of a folder's tree found.
struct CFolderScan {
  // Nothing inside written within the rule's age (always true without a
  // rule). With a rule, false also when a folder inside could not be listed
  // (its age cannot be shown); the reading stops at the first such entry.
  bool bOld = true;
  // The sum of the sizes of all that is not a folder below it, links
  // counting their own size; whole only when bOld.
  uint64_t nSize = 0;
  // The folders inside (any depth) whose name is a token of names, once per
  // token (any case); whole only when bOld.
  int32_t nNamed = 0;
};

// Reads the tree of folder, the current entry of a listing and a real
// folder, once: every level listed relative to the one above it
// (ListSubfolder, descriptor-relative on POSIX), links never followed or
// entered, without recursion. names may be null.
CFolderScan ScanFolder(const CFileFind& folder, CDiskInterface& disk, const CAgeRule& rule,
                       const CStringArray* names = nullptr);

// A real folder that the rule takes (ScanFolder's bOld); true without a rule,
// without reading anything.
bool IsOldFolder(const CFileFind& folder, CDiskInterface& disk, const CAgeRule& rule);

// A match the rule takes: a real folder by IsOldFolder, anything else (a
// file, a link) by its own time (IsOldEntry).
bool IsOldItem(const CFileFind& entry, CDiskInterface& disk, const CAgeRule& rule);

// The filter's part of the question and the announcement: " older than N
// days" (" older than 1 day"), or nothing without a rule.
CString FormatAgeLimit(int days);
