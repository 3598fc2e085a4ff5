// One Remove run, start to finish, written once for every front end (the
// Windows dialog and the command line). A front end implements CCleanupView
// and calls RunCleanup from its Remove command; RunCleanup drives the whole
// protocol and returns what happened.
//
// The protocol, in order:
//   1. OnBegin() (through a CRunner).
//   2. view.PrepareRun(): the front end checks its inputs and asks for
//      confirmation (texts: FormatQuestion). false ends the run here: OnEnd()
//      runs, nothing is logged, no folder is made, Refresh() is not called.
//   3. AddLine(announcement) (FormatAnnouncement); before it, while the log
//      file takes no records (CLogFile::IsReady), a line that says this run
//      is not written to it, and why (FormatUnloggedRun).
//   4. MakeBatchFolder() inside the current trash folder (GetTrashFolder();
//      the front end sets it with MakeTrashFolder from the source as it is
//      when the run starts): a folder of its own, locked until the run ends
//      (CloseBatchFolder, however it ends), so that no purge deletes it.
//   5. Job start record: CLogFile::Begin(job name).
//   6. Count pass over the source (CExtCount / CDirsCount, no listener; it
//      neither moves, reports nor pumps). With --older-than
//      (GetOlderThanDays) both passes share one age rule (CAgeRule), made
//      once after the Yes.
//   7. Count > 0: SetProgressRange(count), then the work pass (CDeleteFile /
//      CDeleteFolder): one OnStatus(line) per moved or failed item, each line
//      also written to the log file, then PumpQueuedMessagesIfDue(); the summary is
//      "== Done: %d of %d " (moved, counted). Count 0: no work pass, the
//      summary is the no-match text. A folder the pass could not list is a
//      line of its own ("== Cannot open folder '...': reason"), reported as
//      a move line is: those of the work pass, or of the count pass when no
//      work pass runs.
//   8. SetStatusText(summary); AddLine(summary); AddLine("== Finished").
//   9. OnEnd().
//  10. Job end record: CLogFile::End(job name); Refresh().
// A CActException* (Stop, the batch folder cannot be made, or the record of
// a move cannot be written, whose item then goes back) ends steps 3-8
// early: OnEnd() runs while it unwinds, then AddLine(text) and ErrorBox(text),
// then step 10. Any other CException* (a log write that fails outside an
// item record) does the same with ErrorBox("Error Exception") alone. Items moved before stay in the
// batch folder. A failing end record after a completed run is one more
// "Error Exception" box; after a run that ended early it adds nothing.
//
// Stop: the front end's Stop command (a click dispatched by PumpMessage, or
// an interrupt command) sets g_bCancel; the walk throws at its next entry. A
// Stop seen during the count pass waits in the queue until the first move of
// the work pass has pumped it. An interrupt recorded by an installed handler
// (the command line's Ctrl-C) needs no pump: the walk throws at its next
// entry in either pass.
#pragma once

#include <cstdint>

#include "app/engine/age_rule.h"
#include "app/engine/run_types.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

enum class CleanupKind {
  kFiles,    // "Remove Files": files whose extension is in the list
  kFolders,  // "Remove Folders": folders whose name is in the list
};

// What a front end gives a run. Its CWorker side brackets the run (OnBegin /
// OnEnd); its CProgressStatus side receives each move line (OnStatus: one
// progress step, the status line, the log pane).
class CCleanupView : public CWorker, public CProgressStatus {
 public:
  // Step 2. Called right after OnBegin: check the inputs (source first, then
  // the list), ask the confirmation question, and give the source folder and
  // the list the run works on (the list as typed: it is split at blanks, not
  // trimmed). The source should be a full path. Return false to end the run.
  virtual bool PrepareRun(CleanupKind kind, CString& source, CString& list) = 0;
  // Appends one line to the log pane (no refresh; not written to the log file).
  virtual void AddLine(const CString& line) = 0;
  // Shows a text in an error box captioned "Error" (the CLI: on stderr).
  virtual void ErrorBox(const CString& text) = 0;
  // Shows the summary in the status line, if there is one.
  virtual void SetStatusText(const CString& /*text*/) {}
  // Sets the progress range to 0 .. count, once, before the work pass.
  virtual void SetProgressRange(int32_t /*count*/) {}
  // Refreshes the controls from the front end's members (end of a run).
  virtual void Refresh() {}
  // --older-than: the days an item must be old (age_rule.h), read once
  // right after a Yes; the announcement says it, and both passes take only
  // what is that old. kAnyAge (the default, the dialog): no such rule.
  virtual int GetOlderThanDays() { return kAnyAge; }

 protected:
  ~CCleanupView() = default;
};

// What a run did. A command line maps it to its exit code: kNotStarted 2,
// kCompleted 0 (1 when a match stays in the tree: IsEveryMatchMoved is
// false), kCancelled 3, kFailed 1.
struct CCleanupOutcome {
  enum End {
    kNotStarted,  // PrepareRun said no: nothing happened
    kCompleted,   // both passes ran to their end (count 0 included)
    kCancelled,   // Stop ended the run
    kFailed,      // the batch folder could not be made, or a platform error
  };
  End nEnd = kNotStarted;
  int32_t nCounted = 0;  // matches of the count pass
  int32_t nMoved = 0;    // items moved successfully
  int32_t nErrors = 0;   // items that could not be moved (" ERROR " lines)
  int32_t nUnopened = 0; // folders the last pass could not list ("== Cannot open folder" lines)
  CString strError;      // the text shown when the run ended early
  CString strSource;     // what PrepareRun gave
  CString strList;
};

// True when every match of a completed run is in the batch folder, moved
// itself or inside a moved folder, and the pass that moved them saw the
// whole tree: no " ERROR " line, no folder it could not list. A match
// counted twice (a list that names it twice, a folder inside a moved
// folder) is no failure.
bool IsEveryMatchMoved(const CCleanupOutcome& outcome);

// The whole run (see above), on disk. Never throws the run's exceptions.
CCleanupOutcome RunCleanup(CleanupKind kind, CCleanupView& view, CDiskInterface& disk = RealDisk());

// The texts of a run; with days (--older-than) the list is followed by
// " older than N days" (FormatAgeLimit).
CString FormatQuestion(CleanupKind kind, const CString& list, const CString& source, const CString& trash,
                       int days = kAnyAge);
CString FormatAnnouncement(CleanupKind kind, const CString& list, const CString& source, const CString& trash,
                           int days = kAnyAge);
CString GetJobName(CleanupKind kind);        // "Move Files" / "Move Dirs"
CString GetNoMatchText(CleanupKind kind);    // "No files found" / "No dirs found"
CString FormatSummary(int32_t moved, int32_t counted);  // "== Done: %d of %d "
// "== This run is not written to the log file '<logPath>'", then ": " and the
// system's text for osError when there is one; without a log path, that
// there is no folder for one.
CString FormatUnloggedRun(const CString& logPath, long osError);
constexpr const wchar_t kFinishedText[] = L"== Finished";
constexpr const wchar_t kErrorExceptionText[] = L"Error Exception";
