// Undoing a run: the items of a batch folder go back to where the log says
// they came from.
#pragma once

#include <vector>

#include "app/engine/batch_job.h"
#include "app/engine/log_records.h"
#include "platform/cstring.h"
#include "platform/disk_interface.h"

// What a restore will do, found before anything moves.
struct CRestorePlan {
  CString strBatch;               // the batch folder
  std::vector<CBatchItem> items;  // recorded items, in the order they go back
                                  // (the reverse of their records)
  std::vector<bool> inBatch;      // for each item: it is in the batch folder
  CStringArray unrecorded;        // names in it without a record, sorted
};

// Reads the log at logPath (one pass, line by line) for the records of
// batch, and lists batch. Memory grows with the batch's records, never with
// the log. False, with the reason in error, when the log exists but cannot
// be read.
bool PlanRestore(const CString& batch, const CString& logPath, CRestorePlan& plan, CString& error,
                 CDiskInterface& disk = RealDisk());

// The job "Restore" (RunBatchJob): the announcement; then each item of the
// plan goes back to its source path, from the batch folder opened as a
// private folder. The folders on the way there are opened from source (when
// the item lies inside it; links up to it are followed, as the run followed
// them) or else from the root, never through a link below that, and made
// where missing. A move back never replaces anything: an item no longer in
// the batch folder, or whose source path is taken, is an " ERROR " line and
// stays where it is. One line per item, " OK  From BATCH\NAME ==> SOURCE"
// or " ERROR  From ...", to the view and the log. Then a line for each
// unrecorded item left in place, the removal of the batch folder when it is
// empty (never otherwise), and the summary.
CBatchJobOutcome RunRestore(const CRestorePlan& plan, const CString& source, CBatchJobView& view,
                            CDiskInterface& disk = RealDisk());

// The texts of a restore.
CString FormatRestoreQuestion(int32_t count, const CString& batch);
CString FormatLeftInPlace(const CString& path);  // "== Left in place, not in the log: PATH"
constexpr const wchar_t kRestoreJobName[] = L"Restore";
