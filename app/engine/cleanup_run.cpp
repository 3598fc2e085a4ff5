#include "app/engine/cleanup_run.h"

#include <memory>

#include "app/engine/actions.h"
#include "app/engine/shown_path.h"
#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "log/log_file.h"
#include "platform/exception.h"
#include "platform/fs/file.h"
#include "text/format.h"

namespace {

// The two actions of a run. They outlive the walks, so that their counts
// are there also when the run ends early.
struct CRunActions {
  std::unique_ptr<CFileAction> counter;
  std::unique_ptr<CFileAction> mover;

  CRunActions(CleanupKind kind, const CString& list, CProgressStatus* status, CDiskInterface& disk,
              const CAgeRule& age) {
    if (kind == CleanupKind::kFiles) {
      counter = std::make_unique<CExtCount>(list, nullptr, disk);
      mover = std::make_unique<CDeleteFile>(list, status, disk);
    } else {
      counter = std::make_unique<CDirsCount>(list, nullptr, disk);
      mover = std::make_unique<CDeleteFolder>(list, status, disk);
    }
    // One rule, one "now", for both passes.
    counter->m_age = age;
    mover->m_age = age;
  }
};

// The folders the count pass could not list, said by the mover, for a run
// that has no work pass to find them again.
void ReportUnopened(const CFileAction& counter, CFileAction& mover) {
  for (const CString& line : counter.m_arrUnopened) mover.OnCannotOpen(line);
}

// Steps 3 to 8, after a Yes. Throws the run's exceptions.
void RunPasses(CleanupKind kind, CCleanupView& view, CDiskInterface& disk, const CCleanupOutcome& outcome,
               CRunActions& actions) {
  const CLogFile log;
  if (!log.IsReady()) view.AddLine(FormatUnloggedRun(log.GetFilePathName(), log.GetOpenError()));
  view.AddLine(FormatAnnouncement(kind, outcome.strList, outcome.strSource, GetTrashFolder(),
                                  actions.mover->m_age.GetDays()));
  MakeBatchFolder(disk);
  CLogFile().Begin(GetJobName(kind));
  WalkFolder(outcome.strSource, *actions.counter);
  CString summary = GetNoMatchText(kind);
  if (actions.counter->m_nCount == 0) ReportUnopened(*actions.counter, *actions.mover);
  if (actions.counter->m_nCount > 0) {
    view.SetProgressRange(actions.counter->m_nCount);
    WalkFolder(outcome.strSource, *actions.mover);
    summary = FormatSummary(actions.mover->m_nCount, actions.counter->m_nCount);
  }
  view.SetStatusText(summary);
  view.AddLine(summary);
  view.AddLine(kFinishedText);
}

// A run that failed: its outcome and the box that says so.
void Fail(CCleanupView& view, CCleanupOutcome& outcome, CCleanupOutcome::End end, const CString& error) {
  outcome.nEnd = end;
  outcome.strError = error;
  view.ErrorBox(error);
}

// Step 10's record. A log that cannot be written fails a completed run; a
// run that ended early has said so already.
void WriteEndRecord(CleanupKind kind, CCleanupView& view, CCleanupOutcome& outcome) {
  try {
    CLogFile().End(GetJobName(kind));
  } catch (CException* e) {
    if (outcome.nEnd == CCleanupOutcome::kCompleted) Fail(view, outcome, CCleanupOutcome::kFailed, kErrorExceptionText);
    e->Delete();
  }
}

}  // namespace

CString FormatQuestion(CleanupKind kind, const CString& list, const CString& source, const CString& trash,
                       int days) {
  return Format(kind == CleanupKind::kFiles
                    ? L"Are you sure you want to move files with extension '%s'%s\nFrom:\n'%s'\nTo:\n'%s'"
                    : L"Are you sure you want to move folders with name '%s'%s\nFrom:\n'%s'\nTo:\n'%s'",
                list, FormatAgeLimit(days), ShownPath(source), ShownPath(trash));
}

CString FormatAnnouncement(CleanupKind kind, const CString& list, const CString& source, const CString& trash,
                           int days) {
  return Format(kind == CleanupKind::kFiles ? L"== Move Files with extension '%s'%s from '%s' To '%s'"
                                            : L"== Move Dirs with name '%s'%s from '%s' To '%s'",
                list, FormatAgeLimit(days), ShownPath(source), ShownPath(trash));
}

CString GetJobName(CleanupKind kind) { return kind == CleanupKind::kFiles ? L"Move Files" : L"Move Dirs"; }

CString GetNoMatchText(CleanupKind kind) {
  return kind == CleanupKind::kFiles ? L"No files found" : L"No dirs found";
}

CString FormatUnloggedRun(const CString& logPath, long osError) {
  if (logPath.empty()) return L"== This run is not written to a log file: there is no folder for one";
  const CString line = L"== This run is not written to the log file '" + logPath + L"'";
  const CString why = osError != 0 ? FileOpenErrorText(osError) : CString();
  return why.empty() ? line : line + L": " + why;
}

bool IsEveryMatchMoved(const CCleanupOutcome& outcome) { return outcome.nErrors == 0 && outcome.nUnopened == 0; }

CString FormatSummary(int32_t moved, int32_t counted) { return Format(L"== Done: %d of %d ", moved, counted); }

CCleanupOutcome RunCleanup(CleanupKind kind, CCleanupView& view, CDiskInterface& disk) {
  CCleanupOutcome outcome;
  std::unique_ptr<CRunActions> actions;
  try {
    CRunner runner(&view);
    if (!view.PrepareRun(kind, outcome.strSource, outcome.strList)) return outcome;
    actions = std::make_unique<CRunActions>(kind, outcome.strList, &view, disk, CAgeRule(view.GetOlderThanDays()));
    RunPasses(kind, view, disk, outcome, *actions);
    outcome.nEnd = CCleanupOutcome::kCompleted;
  } catch (CActException* e) {
    view.AddLine(e->m_strError);
    // Stop's text; any other is a folder that could not be made or a move
    // the log could not take.
    const bool cancelled = e->m_strError == kCancelText;
    Fail(view, outcome, cancelled ? CCleanupOutcome::kCancelled : CCleanupOutcome::kFailed, e->m_strError);
    delete e;
  } catch (CException* e) {
    Fail(view, outcome, CCleanupOutcome::kFailed, kErrorExceptionText);
    e->Delete();
  }
  CloseBatchFolder();  // the run's lock on it ends with the run
  if (actions) {
    outcome.nCounted = actions->counter->m_nCount;
    outcome.nMoved = actions->mover->m_nCount;
    outcome.nErrors = actions->mover->m_nFailed;
    outcome.nUnopened = static_cast<int32_t>(actions->mover->m_arrUnopened.size());
  }
  WriteEndRecord(kind, view, outcome);
  view.Refresh();
  return outcome;
}
