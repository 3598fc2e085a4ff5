// CBatchesDlg: the Batches window's logic, apart from its window. It lists
// the batch folders of the trash folder of the main dialog's current Source
// Folder, as `velmora list` does, and restores, opens or purges the selected
// ones with the engine the command line drives. A restore or purge runs in
// the main dialog: its lines go to the main pane, its progress to the main
// progress bar, its records to the log.
//
// Nothing starts while a run or another job of the main dialog is going on;
// while a job runs, the main dialog takes Stop and nothing else, and the
// view keeps this window's buttons off.
#pragma once

#include <functional>
#include <vector>

#include "app/dialog/velmora_dlg.h"
#include "app/engine/batch_job.h"
#include "app/engine/trash_listing.h"
#include "app/res/resource.h"
#include "platform/cstring.h"

// The window side of the Batches window, as its logic sees it.
class CBatchesView {
 public:
  virtual ~CBatchesView() = default;

  // Replaces the rows of the list: one per batch folder, the texts of the
  // columns of FormatBatchRow.
  virtual void SetRows(const std::vector<CStringArray>& rows) = 0;
  // The indexes of the selected rows, ascending.
  virtual std::vector<int> GetSelectedRows() = 0;
  // A job starts (true) or has ended (false): the window's buttons off
  // while it runs, and Stop of the main dialog within reach.
  virtual void SetJobRunning(bool running) = 0;
  // A modal message box owned by this window; type is a kMb* combination.
  // Returns the kId* of the button pressed.
  virtual int MessageBox(const CString& text, const CString& caption, unsigned type) = 0;
};

class CBatchesDlg {
 public:
  // REQUIRES: view and main outlive this object.
  CBatchesDlg(CBatchesView& view, CVelmoraDlg& main);
  CBatchesDlg(const CBatchesDlg&) = delete;
  CBatchesDlg& operator=(const CBatchesDlg&) = delete;

  // Reads the main dialog's Source Folder, derives its trash folder and
  // fills the list.
  void OnInitDialog();
  // Runs the handler of a button; false when there is none for id.
  bool OnCommand(int id);

  // Reads the batch folders again and shows them.
  void Refresh();
  // The selected batch goes back to where it came from, after a question
  // naming it and its items.
  void OnRestore();
  // The file browser on the selected batch folder.
  void OnOpen();
  // The selected batch folders are deleted for good, after a question
  // naming how many and their size.
  void OnPurge();

  // False, after an error box in the main dialog, while it runs something:
  // the window does not open then.
  static bool CanOpen(CVelmoraDlg& main);

  CString GetTrashFolder() const { return m_strTrash; }
  const std::vector<CBatchSummary>& GetBatches() const { return m_batches; }

 private:
  // False, after saying so, while the main dialog runs something.
  bool CheckIdle();
  // The one selected batch, or null after saying that one must be chosen.
  const CBatchSummary* SelectedOne();
  // Runs a job in the main dialog; the list is read again after it.
  void RunJob(const CString& question, const std::function<CBatchJobOutcome(CBatchJobView&)>& job);
  void Refuse(const CString& text);

  CBatchesView& m_view;
  CVelmoraDlg& m_main;
  CString m_strSource;  // the main dialog's Source Folder when the window opened
  CString m_strTrash;   // its trash folder
  std::vector<CBatchSummary> m_batches;  // what the list shows, newest first
};

// The columns of one row: name, date and time, items, size, restorable.
CStringArray FormatBatchRow(const CBatchSummary& batch);
// The caption of every box of the Batches window.
constexpr const wchar_t kBatchesCaption[] = L"Batches";
// Why the Batches window, or a restore or purge in it, does not start.
constexpr const wchar_t kBatchesBusyText[] =
    L"A run is going on. Batches can be restored or purged once it has ended.";
