// Undoing a run: the items of a batch folder go back to where the log says
// they came from.
#pragma once

#include <deque>
#include <string_view>
#include <vector>

#include "app/engine/batch_job.h"
#include "app/engine/log_records.h"
#include "app/engine/packed_text.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

// One recorded item of a batch folder.
struct CBatchItem {
  CString strName;    // its name in the batch folder
  CString strSource;  // where it was before the run moved it
};

// A recorded item as a plan holds it: its name and source, packed.
struct CPackedBatchItem {
  std::string_view name;
  std::string_view source;
};

// The recorded items of a plan, held packed (packed_text.h): a plan of a
// big batch costs about a byte for each character of its names and paths.
class CBatchItems {
 public:
  // Takes over items and the store their packed texts lie in.
  void Assign(std::deque<CPackedBatchItem> items, CPackedStore store);
  size_t size() const;
  // The item at index, unpacked. REQUIRES: index < size().
  CBatchItem operator[](size_t index) const;

 private:
  CPackedStore m_store;
  std::deque<CPackedBatchItem> m_items;
};

// What a restore will do, found before anything moves.
struct CRestorePlan {
  CString strBatch;               // the batch folder
  CBatchItems items;              // recorded items, in the order they go back
                                  // (the reverse of their records)
  std::vector<bool> inBatch;      // for each item: it is in the batch folder
  CStringArray unrecorded;        // names in it without a record, sorted
  CStringArray notes;             // lines on records that stay unused, and why
  int32_t nRefused = 0;           // records whose items stay (in notes)
};

// Reads the log at logPath (one pass, line by line) for the records of
// batch, and lists batch. A record is taken only when its item's name is
// exactly the flattened name of a source inside source (RecordMatchesItem);
// where the log could not hold a name whole (AnsiLosesCharacters), a record
// holding '?' takes the one entry that fits it and that no other record
// names. Records refused, records that several entries fit, and lines of
// the log skipped are said in notes. Memory grows with the batch's records
// (about a byte for each character of their names and paths, packed) and
// its entries, never with the log. False, with the reason in error, when the log exists
// but cannot be read or is not the user's own regular file.
bool PlanRestore(const CString& batch, const CString& source, const CString& logPath, CRestorePlan& plan,
                 CString& error, CDiskInterface& disk = RealDisk());

// The job "Restore" (RunBatchJob): the announcement and the plan's notes;
// then each item of the plan goes back to its source path, from the batch
// folder opened as a private folder. The folders on the way there are
// opened from source (links up to it are followed, as the run followed
// them), never through a link below it, and made where missing. A move
// back never replaces anything: an item no longer in the batch folder, or
// whose source path is taken, is an " ERROR " line and stays where it is. One line per item, " OK  From BATCH\NAME ==> SOURCE"
// or " ERROR  From ...", to the view and the log. Then a line for each
// unrecorded item left in place, the removal of the batch folder when it is
// empty (never otherwise), and the summary. nLeft counts the unrecorded
// items and the refused records.
CBatchJobOutcome RunRestore(const CRestorePlan& plan, const CString& source, CBatchJobView& view,
                            CDiskInterface& disk = RealDisk());

// The texts of a restore.
CString FormatRestoreQuestion(int32_t count, const CString& batch);
CString FormatLeftInPlace(const CString& path);  // "== Left in place, not in the log: PATH"
// Whether the restore can open the batch folder as the user's private
// folder (never a link); a dry run asks before it says what would go back.
bool CanOpenBatchFolder(const CString& batch, CDiskInterface& disk = RealDisk());
constexpr const wchar_t kRestoreJobName[] = L"Restore";
