#include "app/dialog/batches_dlg.h"

#include "app/engine/batch_purge.h"
#include "app/engine/batch_restore.h"
#include "app/engine/run_input.h"
#include "log/log_file.h"
#include "platform/sys/clock.h"
#include "platform/exception.h"
#include "text/format.h"
#include "text/format_value.h"

namespace {

// A byte count as a size ("16.0   B"): the 64-bit overload whatever type
// uint64_t is on this build.
CString FormatSize(uint64_t bytes) { return FormatValue(static_cast<unsigned long long>(bytes), true); }

// A job of the Batches window as the main dialog shows it: its pane, its
// progress bar and status line, its question and error boxes. question,
// when not empty, is asked instead of the engine's own.
class CMainJobView : public CBatchJobView {
 public:
  CMainJobView(CVelmoraDlg& main, const CString& question) : m_main(main), m_strQuestion(question) {}

  void OnBegin() override { m_main.OnBegin(); }
  void OnEnd() override { m_main.OnEnd(); }
  void OnStatus(const CString& line) override { m_main.OnStatus(line); }
  bool Confirm(const CString& question) override {
    return m_main.Confirm(m_strQuestion.empty() ? question : m_strQuestion) == kIdYes;
  }
  void AddLine(const CString& line) override { m_main.AddLine(line); }
  void ErrorBox(const CString& text) override { m_main.ErrorBox(text); }
  void SetProgressRange(int32_t count) override { m_main.SetProgressRange(count); }

 private:
  CVelmoraDlg& m_main;
  const CString m_strQuestion;
};

// The program holds its log for itself while it runs (on Windows nobody
// else may open it): it lets go of it while the engine reads it back.
class CLogReadScope {
 public:
  CLogReadScope() : m_bWasOpen(CLogFile().IsOpen()) {
    if (!m_bWasOpen) return;
    try {
      CLogFile().Suspend();
    } catch (CException* e) {
      e->Delete();  // text it could not write stays pending; the reader says what it cannot read
    }
  }
  ~CLogReadScope() {
    if (m_bWasOpen) CLogFile().Resume();
  }
  CLogReadScope(const CLogReadScope&) = delete;
  CLogReadScope& operator=(const CLogReadScope&) = delete;

 private:
  const bool m_bWasOpen;
};

}  // namespace

CStringArray FormatBatchRow(const CBatchSummary& batch) {
  CString time;
  FormatLocalTime(batch.folder.time, L"%Y-%m-%d %H:%M:%S", time);
  return {batch.folder.strName, time, Format(L"%d", batch.nItems), FormatSize(batch.nSize),
          Format(L"%d", batch.nRestorable)};
}

CBatchesDlg::CBatchesDlg(CBatchesView& view, CVelmoraDlg& main) : m_view(view), m_main(main) {}

bool CBatchesDlg::CanOpen(CVelmoraDlg& main) {
  if (!main.m_bRunning) return true;
  main.ErrorBox(kBatchesBusyText, kBatchesCaption);
  return false;
}

void CBatchesDlg::OnInitDialog() {
  m_main.UpdateData(true);
  m_strSource = Trimmed(m_main.m_strSource);
  // The source need not exist any more: a restore makes its folders again.
  const CSourceProbe anyFolder{[](const CString&) { return true; }, [](const CString&) { return false; }};
  CInputError error;
  if (CheckSourceInput(m_strSource, anyFolder, error)) m_strTrash = m_main.TrashFolderOf(m_strSource);
  else m_view.MessageBox(error.strText, error.strCaption, kMbOk | kMbIconError);
  Refresh();
}

bool CBatchesDlg::OnCommand(int id) {
  switch (id) {
    case IDC_BATCHES_RESTORE: OnRestore(); return true;
    case IDC_BATCHES_OPEN: OnOpen(); return true;
    case IDC_BATCHES_PURGE: OnPurge(); return true;
    default: return false;
  }
}

void CBatchesDlg::Refresh() {
  m_batches.clear();
  CString logError;
  if (!m_strTrash.empty()) {
    int32_t skipped = 0;
    const CLogReadScope scope;
    m_batches = SummarizeBatchFolders(m_strTrash, m_strSource, CLogFile().GetFilePathName(), logError, skipped);
  }
  std::vector<CStringArray> rows;
  for (const CBatchSummary& batch : m_batches) rows.push_back(FormatBatchRow(batch));
  m_view.SetRows(rows);
  if (!logError.empty())
    m_view.MessageBox(logError + L"; no item is counted as restorable", kBatchesCaption, kMbOk | kMbIconError);
}

void CBatchesDlg::OnRestore() {
  if (!CheckIdle()) return;
  const CBatchSummary* batch = SelectedOne();
  if (batch == nullptr) return;
  CRestorePlan plan;
  CString error;
  bool planned = false;
  {
    const CLogReadScope scope;
    planned = PlanRestore(batch->folder.strPath, m_strSource, CLogFile().GetFilePathName(), plan, error);
  }
  if (!planned) {
    m_view.MessageBox(error + L"; nothing was moved", kBatchesCaption, kMbOk | kMbIconError);
    return;
  }
  const CString source = m_strSource;
  RunJob(CString(), [&](CBatchJobView& view) { return RunRestore(plan, source, view); });
}

void CBatchesDlg::OnOpen() {
  if (const CBatchSummary* batch = SelectedOne()) m_main.OpenFolder(batch->folder.strPath);
}

void CBatchesDlg::OnPurge() {
  if (!CheckIdle()) return;
  std::vector<CBatchFolder> chosen;
  uint64_t size = 0;
  for (const int row : m_view.GetSelectedRows()) {
    chosen.push_back(m_batches[static_cast<size_t>(row)].folder);
    size += m_batches[static_cast<size_t>(row)].nSize;
  }
  if (chosen.empty()) {
    Refuse(L"Select the batch folders to purge first.");
    return;
  }
  const CString question =
      Format(L"Are you sure you want to permanently delete %d batch folders (%s)\nFrom:\n'%s'",
             static_cast<int32_t>(chosen.size()), Trimmed(FormatSize(size)), m_strTrash);
  const CString trash = m_strTrash;
  RunJob(question, [&](CBatchJobView& view) { return RunPurge(trash, chosen, 0, view); });
}

bool CBatchesDlg::CheckIdle() {
  if (!m_main.m_bRunning) return true;
  Refuse(kBatchesBusyText);
  return false;
}

const CBatchSummary* CBatchesDlg::SelectedOne() {
  const std::vector<int> rows = m_view.GetSelectedRows();
  if (rows.size() == 1) return &m_batches[static_cast<size_t>(rows[0])];
  Refuse(rows.empty() ? L"Select a batch folder first." : L"Select one batch folder only.");
  return nullptr;
}

void CBatchesDlg::RunJob(const CString& question, const std::function<CBatchJobOutcome(CBatchJobView&)>& job) {
  CMainJobView view(m_main, question);
  m_view.SetJobRunning(true);
  m_main.m_bJobRunning = true;
  job(view);
  m_main.m_bJobRunning = false;
  m_main.Refresh();
  m_view.SetJobRunning(false);
  Refresh();
}

void CBatchesDlg::Refuse(const CString& text) { m_view.MessageBox(text, kBatchesCaption, kMbOk | kMbIconError); }
