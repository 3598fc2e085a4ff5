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

// Passes each move line on to the view and counts the failed ones.
class CLineCounter : public CProgressStatus {
 public:
  explicit CLineCounter(CProgressStatus& view) : m_view(view) {}
  void OnStatus(const CString& line) override {
    if (line.compare(0, 7, L" ERROR ") == 0) ++m_nErrors;
    m_view.OnStatus(line);
  }
  int32_t m_nErrors = 0;

 private:
  CProgressStatus& m_view;
};

std::unique_ptr<CFileAction> MakeCounter(CleanupKind kind, const CString& list) {
  if (kind == CleanupKind::kFiles) return std::make_unique<CExtCount>(list, nullptr);
  return std::make_unique<CDirsCount>(list, nullptr);
}

std::unique_ptr<CFileAction> MakeMover(CleanupKind kind, const CString& list, CProgressStatus* status) {
  if (kind == CleanupKind::kFiles) return std::make_unique<CDeleteFile>(list, status);
  return std::make_unique<CDeleteFolder>(list, status);
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

CCleanupOutcome RunCleanup(CleanupKind kind, CCleanupView& view) {
  CCleanupOutcome outcome;
  const CString job = GetJobName(kind);
  CLineCounter lines(view);
  std::unique_ptr<CFileAction> counter;
  std::unique_ptr<CFileAction> mover;
  try {
    CRunner runner(&view);
    if (!view.PrepareRun(kind, outcome.strSource, outcome.strList)) return outcome;
    view.AddLine(FormatAnnouncement(kind, outcome.strList, outcome.strSource, GetTrashFolder()));
    MakeBatchFolder();
    CLogFile().Begin(job);

    counter = MakeCounter(kind, outcome.strList);
    mover = MakeMover(kind, outcome.strList, &lines);
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
    outcome.nEnd = e->m_strError == kCancelText ? CCleanupOutcome::kCancelled : CCleanupOutcome::kFailed;
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
  if (counter) outcome.nCounted = counter->m_nCount;
  if (mover) outcome.nMoved = mover->m_nCount;
  outcome.nErrors = lines.m_nErrors;
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
