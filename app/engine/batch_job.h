// The frame a restore and a purge share with the runs: the question, the
// job's start and end records in the log, one line per item to the view and
// the log, Stop (or Ctrl-C) at the next item, and what happened.
#pragma once

#include <cstdint>
#include <functional>

#include "app/engine/cleanup_run.h"
#include "app/engine/run_types.h"
#include "platform/cstring.h"

// What a front end gives a job: OnBegin / OnEnd around it, OnStatus for
// each item line (one progress step).
class CBatchJobView : public CWorker, public CProgressStatus {
 public:
  // Asks the question; false ends the job before anything happens.
  virtual bool Confirm(const CString& question) = 0;
  // Appends one line to the output (not written to the log file).
  virtual void AddLine(const CString& line) = 0;
  // Shows a text in an error box captioned "Error" (the CLI: on stderr).
  virtual void ErrorBox(const CString& text) = 0;
  // Sets the progress range to 0 .. count, once, before the first item.
  virtual void SetProgressRange(int32_t /*count*/) {}

 protected:
  ~CBatchJobView() = default;
};

// What a job did.
struct CBatchJobOutcome {
  CCleanupOutcome::End nEnd = CCleanupOutcome::kNotStarted;
  int32_t nItems = 0;   // what it set out to do
  int32_t nDone = 0;    // done ("OK" lines)
  int32_t nErrors = 0;  // " ERROR " lines
  int32_t nLeft = 0;    // items it left alone on purpose (a restore: no record)
  CString strError;     // the text shown when it ended early
};

// Runs a job named jobName: OnBegin; Confirm(question), and on No OnEnd and
// nothing else; the line that says the log takes no records (as a run's);
// the job's start record; body, which adds its lines and counts to the
// outcome and may throw the run's exceptions; OnEnd; then, when it ended
// early, the text as a line and in an error box (kCancelled for the cancel
// text, else kFailed; "Error Exception" for a CException*); the end record.
CBatchJobOutcome RunBatchJob(const CString& jobName, const CString& question, CBatchJobView& view,
                             const std::function<void(CBatchJobOutcome&)>& body);

// Throws CActException* with kCancelText once Stop (g_bCancel) or Ctrl-C
// (IsInterruptRecorded) has come.
void ThrowIfCancelled();

// The summary ("== Done: %d of %d ") and "== Finished" as the last lines.
void AddSummary(CBatchJobView& view, const CBatchJobOutcome& outcome);
