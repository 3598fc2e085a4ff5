#include "app/engine/batch_job.h"

#include "log/log_file.h"
#include "platform/exception.h"
#include "platform/ui/message_loop.h"

namespace {

void Fail(CBatchJobView& view, CBatchJobOutcome& outcome, CCleanupOutcome::End end, const CString& error) {
  outcome.nEnd = end;
  outcome.strError = error;
  view.ErrorBox(error);
}

}  // namespace

CBatchJobOutcome RunBatchJob(const CString& jobName, const CString& question, CBatchJobView& view,
                             const std::function<void(CBatchJobOutcome&)>& body) {
  CBatchJobOutcome outcome;
  try {
    CRunner runner(&view);
    if (!view.Confirm(question)) return outcome;
    const CLogFile log;
    if (!log.IsReady()) view.AddLine(FormatUnloggedRun(log.GetFilePathName(), log.GetOpenError()));
    CLogFile().Begin(jobName);
    g_bCancel = false;
    body(outcome);
    outcome.nEnd = CCleanupOutcome::kCompleted;
  } catch (CActException* e) {
    view.AddLine(e->m_strError);
    const bool cancelled = e->m_strError == kCancelText;
    Fail(view, outcome, cancelled ? CCleanupOutcome::kCancelled : CCleanupOutcome::kFailed, e->m_strError);
    delete e;
  } catch (CException* e) {
    Fail(view, outcome, CCleanupOutcome::kFailed, kErrorExceptionText);
    e->Delete();
  }
  try {
    CLogFile().End(jobName);
  } catch (CException* e) {
    if (outcome.nEnd == CCleanupOutcome::kCompleted) Fail(view, outcome, CCleanupOutcome::kFailed, kErrorExceptionText);
    e->Delete();
  }
  return outcome;
}

void ThrowIfCancelled() {
  if (g_bCancel || IsInterruptRecorded()) throw new CActException(kCancelText);
}

void AddSummary(CBatchJobView& view, const CBatchJobOutcome& outcome) {
  view.AddLine(FormatSummary(outcome.nDone, outcome.nItems));
  view.AddLine(kFinishedText);
}
