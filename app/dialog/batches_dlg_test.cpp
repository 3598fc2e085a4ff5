#include "app/dialog/batches_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "testing/recording_dialog_view.h"
#include "app/dialog/dialog_services.h"
#include "app/engine/trash_folder.h"
#include "app/res/resource.h"
#include "log/log_file.h"
#include "app/engine/batch_restore.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

CString In(const CString& folder, const CString& name) { return folder + PlatformPathSeparator() + name; }

// The program's services with the trash folder inside the test's own folder
// and the file browser recorded.
class CTrashServices : public CVelmoraServices {
 public:
  explicit CTrashServices(const CString& trash) : m_strTrash(trash) {}
  bool MakeTrashFolder(const CString&, CString&) override {
    g_strTrash = m_strTrash;
    return MakeFoldersForTesting(m_strTrash);
  }
  CString TrashFolderOf(const CString&) override { return m_strTrash; }
  void OpenFolder(const CString& path) override { m_opened.push_back(path); }

  CString m_strTrash;
  std::vector<CString> m_opened;
};

// The Batches window as plain values; the test selects rows.
class CBatchesState : public CBatchesView {
 public:
  void SetRows(const std::vector<CStringArray>& rows) override {
    m_rows = rows;
    m_selected.clear();
  }
  std::vector<int> GetSelectedRows() override { return m_selected; }
  void SetJobRunning(bool running) override { m_jobStates.push_back(running); }
  int MessageBox(const CString& text, const CString& caption, unsigned) override {
    m_boxes.push_back(caption + L"|" + text);
    return kIdOk;
  }
  std::vector<CStringArray> m_rows;
  std::vector<int> m_selected;
  std::vector<bool> m_jobStates;
  std::vector<CString> m_boxes;
};

// Two runs of the main dialog over a real tree, a real log and a trash
// folder inside the test's folder, then the Batches window over them.
class BatchesDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    ASSERT_TRUE(CLogFile().Open(m_tmp / L"Velmora.log"));
    CString error;
    ASSERT_TRUE(m_services.MakeTrashFolder(CString(), error));
    m_main.OnInitDialog();
    m_controls.Type(IDC_SOURCE, m_tmp / L"src");
    m_controls.Type(IDC_EXTENSION, L"obj");
    m_controls.m_answerer = [this](const CString& text, const CString& caption, unsigned) {
      m_questions.push_back(caption + L"|" + text);
      if (m_onQuestion) m_onQuestion();
      return kIdYes;
    };
  }
  void Write(const CString& relative, const std::string& bytes) {
    const CString path = m_tmp / (L"src" + CString(1, PlatformPathSeparator()) + relative);
    ASSERT_TRUE(MakeFoldersForTesting(path.substr(0, path.find_last_of(PlatformPathSeparator()))));
    ASSERT_TRUE(WriteFileForTesting(path, bytes));
  }
  std::string Read(const CString& relative) {
    std::string bytes = "<missing>";
    ReadFileForTesting(m_tmp / (L"src" + CString(1, PlatformPathSeparator()) + relative), bytes);
    return bytes;
  }
  // A Remove Files run of the main dialog at 02:minute:00.
  void RunAt(int minute) {
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, minute, 0});
    m_main.OnRemoveFiles();
  }

  CScopedProcessState m_state;
  CScopedTempFolder m_tmp;
  CTrashServices m_services{m_tmp / L"Trush"};
  CRecordingDialogView m_controls;
  CProfile m_profile{L"VelmoraTests", L"BatchesDlg"};
  CVelmoraDlg m_main{m_controls, m_services, m_profile};
  CBatchesState m_view;
  std::vector<CString> m_questions;
  std::function<void()> m_onQuestion;
};

TEST_F(BatchesDlgTest, RestoreBringsTheNewestBatchBackAndPurgeDeletesOnlyTheChosenOneWhenNoRunGoesOn) {
  Write(L"a.obj", "first a");
  Write(L"sub/b.obj", "first b");
  RunAt(1);
  Write(L"a.obj", "second a");
  Write(L"sub/c.obj", "second c");
  RunAt(2);
  ASSERT_EQ(Read(L"a.obj"), "<missing>");

  // The window takes the Source Folder as typed: an empty one is refused.
  m_controls.Type(IDC_SOURCE, L"  ");
  CBatchesDlg(m_view, m_main).OnInitDialog();
  EXPECT_EQ(m_view.m_boxes, std::vector<CString>{L"Wrong path|Please, specify the path"});
  EXPECT_TRUE(m_view.m_rows.empty());
  m_view.m_boxes.clear();
  m_controls.Type(IDC_SOURCE, m_tmp / L"src");

  CBatchesDlg batches(m_view, m_main);
  ASSERT_TRUE(CBatchesDlg::CanOpen(m_main));
  batches.OnInitDialog();
  EXPECT_EQ(batches.GetTrashFolder(), m_tmp / L"Trush");
  ASSERT_EQ(m_view.m_rows.size(), 2u);
  EXPECT_EQ(m_view.m_rows[0], (CStringArray{L"2026_12_05_02_02_00", L"2026-12-05 02:02:00", L"2", L"16.0   B", L"2"}));
  EXPECT_EQ(m_view.m_rows[1][0], L"2026_12_05_02_01_00");
  EXPECT_TRUE(m_view.m_boxes.empty());

  // Restore and Open take one batch; Purge takes at least one.
  const struct {
    int nCommand;
    std::vector<int> selected;
    const wchar_t* szRefusal;
  } refusals[] = {
      {IDC_BATCHES_RESTORE, {}, L"Batches|Select a batch folder first."},
      {IDC_BATCHES_RESTORE, {0, 1}, L"Batches|Select one batch folder only."},
      {IDC_BATCHES_OPEN, {}, L"Batches|Select a batch folder first."},
      {IDC_BATCHES_PURGE, {}, L"Batches|Select the batch folders to purge first."},
  };
  for (const auto& refusal : refusals) {
    m_view.m_selected = refusal.selected;
    EXPECT_TRUE(batches.OnCommand(refusal.nCommand));
    EXPECT_EQ(m_view.m_boxes, std::vector<CString>{refusal.szRefusal});
    m_view.m_boxes.clear();
  }
  EXPECT_TRUE(m_questions.size() == 2 && m_view.m_jobStates.empty());
  m_view.m_selected = {1};
  batches.OnCommand(IDC_BATCHES_OPEN);
  EXPECT_EQ(m_services.m_opened, std::vector<CString>{In(m_tmp / L"Trush", L"2026_12_05_02_01_00")});

  // Restore: the question names the batch and its items; while the job
  // runs the main dialog takes Stop and nothing else.
  m_questions.clear();
  bool takesOthers = true, takesStop = false;
  m_onQuestion = [&] {
    takesOthers = m_main.OnCommand(IDC_CLEAR_SCREEN) || m_main.OnCommand(IDC_REMOVE_FILES);
    takesStop = m_main.OnCommand(IDC_STOP);
    g_bCancel = false;
  };
  m_view.m_selected = {0};
  batches.OnRestore();
  ASSERT_EQ(m_questions.size(), 1u);
  EXPECT_EQ(m_questions[0], L"Confirmation|" + FormatRestoreQuestion(2, In(m_tmp / L"Trush", L"2026_12_05_02_02_00")));
  EXPECT_FALSE(takesOthers);
  EXPECT_TRUE(takesStop);
  EXPECT_EQ(m_view.m_jobStates, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m_main.m_bJobRunning || m_main.m_bRunning);
  EXPECT_EQ(Read(L"a.obj"), "second a");
  EXPECT_EQ(Read(L"sub/c.obj"), "second c");
  EXPECT_EQ(Read(L"sub/b.obj"), "<missing>");
  EXPECT_NE(m_main.m_strLog.find(L"== Done: 2 of 2 "), CString::npos);
  EXPECT_EQ(m_controls.GetItemText(IDC_LOG), m_main.m_strLog);
  ASSERT_EQ(m_view.m_rows.size(), 1u);
  EXPECT_EQ(m_view.m_rows[0][0], L"2026_12_05_02_01_00");

  // A log that cannot be read: said once, and nothing counts as restorable.
  std::string log;
  CLogFile().Suspend();  // the program holds its log for itself
  ASSERT_TRUE(ReadFileForTesting(m_tmp / L"Velmora.log", log));
  ASSERT_TRUE(RemoveTreeForTesting(m_tmp / L"Velmora.log") && MakeFoldersForTesting(m_tmp / L"Velmora.log"));
  batches.Refresh();
  ASSERT_EQ(m_view.m_boxes.size(), 1u);
  EXPECT_EQ(m_view.m_boxes[0].substr(0, 22), L"Batches|the log file '");
  EXPECT_EQ(m_view.m_rows[0][4], L"0");
  ASSERT_TRUE(RemoveTreeForTesting(m_tmp / L"Velmora.log") && WriteFileForTesting(m_tmp / L"Velmora.log", log));
  ASSERT_TRUE(CLogFile().Resume());
  m_view.m_boxes.clear();

  // While a run goes on (as between two of its items) nothing starts, and
  // the window does not open.
  m_main.m_bRunning = true;
  m_questions.clear();
  m_onQuestion = nullptr;
  EXPECT_FALSE(CBatchesDlg::CanOpen(m_main));
  m_view.m_selected = {0};
  for (const int command : {IDC_BATCHES_RESTORE, IDC_BATCHES_PURGE}) batches.OnCommand(command);
  const CString busy = CString(L"Batches|") + kBatchesBusyText;
  EXPECT_EQ(m_questions, std::vector<CString>{busy});  // in the main dialog, and no question
  EXPECT_EQ(m_view.m_boxes, std::vector<CString>(2, busy));
  EXPECT_EQ(m_view.m_jobStates.size(), 2u);  // the restore's only
  EXPECT_TRUE(ExistsForTesting(In(m_tmp / L"Trush", L"2026_12_05_02_01_00")));
  m_main.m_bRunning = false;
  m_view.m_boxes.clear();

  // Purge: the question names how many and their size; only the chosen
  // batch folder goes.
  m_questions.clear();
  m_view.m_selected = {0};
  batches.OnPurge();
  ASSERT_EQ(m_questions.size(), 1u);
  EXPECT_EQ(m_questions[0], L"Confirmation|Are you sure you want to permanently delete 1 batch folders (14.0   B)\nFrom:\n'" +
                                m_tmp / L"Trush" + L"'");
  EXPECT_FALSE(ExistsForTesting(In(m_tmp / L"Trush", L"2026_12_05_02_01_00")));
  EXPECT_TRUE(ExistsForTesting(m_tmp / L"Trush"));
  EXPECT_EQ(Read(L"a.obj"), "second a");
  EXPECT_TRUE(m_view.m_rows.empty());
  EXPECT_TRUE(m_view.m_boxes.empty());
}

}  // namespace
