#include "app/engine/cleanup_run.h"

#include <memory>

#include "app/engine/actions.h"
#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "log/log_file.h"
#include "platform/exception.h"
#include "text/format.h"
#include "platform/process.h"
#include "winui/message_pump.h"

namespace {

std::unique_ptr<CFileAction> MakeCounter(CleanupKind kind, const CString& list, CDiskInterface& disk) {
  if (kind == CleanupKind::kFiles) return std::make_unique<CExtCount>(list, nullptr, disk);
  return std::make_unique<CDirsCount>(list, nullptr, disk);
}

std::unique_ptr<CFileAction> MakeMover(CleanupKind kind, const CString& list, CProgressStatus* status,
                                       CDiskInterface& disk) {
  if (kind == CleanupKind::kFiles) return std::make_unique<CDeleteFile>(list, status, disk);
  return std::make_unique<CDeleteFolder>(list, status, disk);
}

// The counts a run's actions reached, also when it ended early.
void TakeCounts(const CFileAction* counter, const CFileAction* mover, CCleanupOutcome& outcome) {
  if (counter) outcome.nCounted = counter->m_nCount;
  if (mover) {
    outcome.nMoved = mover->m_nCount;
    outcome.nErrors = mover->m_nFailed;
  }
}

}  // namespace

CString FormatQuestion(CleanupKind kind, const CString& list, const CString& source, const CString& trash) {
  return Format(kind == CleanupKind::kFiles
                    ? L"Are you sure you want to move files with extension '%s'\nFrom:\n'%s'\nTo:\n'%s'"
                    : L"Are you sure you want to move folders with name '%s'\nFrom:\n'%s'\nTo:\n'%s'",
                list, source, trash);
}

CString FormatAnnouncement(CleanupKind kind, const CString& list, const CString& source, const CString& trash) {
  return Format(kind == CleanupKind::kFiles ? L"== Move Files with extension '%s' from '%s' To '%s'"
                                            : L"== Move Dirs with name '%s' from '%s' To '%s'",
                list, source, trash);
}

CString GetJobName(CleanupKind kind) { return kind == CleanupKind::kFiles ? L"Move Files" : L"Move Dirs"; }

CString GetNoMatchText(CleanupKind kind) {
  return kind == CleanupKind::kFiles ? L"No files found" : L"No dirs found";
}

CString FormatSummary(int32_t moved, int32_t counted) { return Format(L"== Done: %d of %d ", moved, counted); }

CCleanupOutcome RunCleanup(CleanupKind kind, CCleanupView& view, CDiskInterface& disk) {
  CCleanupOutcome outcome;
  const CString job = GetJobName(kind);
  std::unique_ptr<CFileAction> counter;
  std::unique_ptr<CFileAction> mover;
  // Only the walk throws the cancel exception; before it, a CActException is
  // a folder that could not be made.
  bool walking = false;
  try {
    CRunner runner(&view);
    if (!view.PrepareRun(kind, outcome.strSource, outcome.strList)) return outcome;
    view.AddLine(FormatAnnouncement(kind, outcome.strList, outcome.strSource, GetTrashFolder()));
    MakeBatchFolder(disk);
    CLogFile().Begin(job);

    counter = MakeCounter(kind, outcome.strList, disk);
    mover = MakeMover(kind, outcome.strList, &view, disk);
    walking = true;
    WalkFolder(outcome.strSource, *counter);
    CString summary;
    if (counter->m_nCount > 0) {
      view.SetProgressRange(counter->m_nCount);
      WalkFolder(outcome.strSource, *mover);
      summary = FormatSummary(mover->m_nCount, counter->m_nCount);
    } else {
      summary = GetNoMatchText(kind);
    }
    view.SetStatusText(summary);
    view.AddLine(summary);
    view.AddLine(kFinishedText);
    outcome.nEnd = CCleanupOutcome::kCompleted;
  } catch (CActException* e) {
    outcome.nEnd = walking ? CCleanupOutcome::kCancelled : CCleanupOutcome::kFailed;
    outcome.strError = e->m_strError;
    view.AddLine(e->m_strError);
    view.ErrorBox(e->m_strError);
    delete e;
  } catch (CException* e) {
    outcome.nEnd = CCleanupOutcome::kFailed;
    outcome.strError = kErrorExceptionText;
    view.ErrorBox(kErrorExceptionText);
    e->Delete();
  }
  TakeCounts(counter.get(), mover.get(), outcome);
  try {
    CLogFile().End(job);
  } catch (CException* e) {
    // The log cannot be written. A run that ended early has said so already.
    if (outcome.nEnd == CCleanupOutcome::kCompleted) {
      outcome.nEnd = CCleanupOutcome::kFailed;
      outcome.strError = kErrorExceptionText;
      view.ErrorBox(kErrorExceptionText);
    }
    e->Delete();
  }
  view.Refresh();
  return outcome;
}
