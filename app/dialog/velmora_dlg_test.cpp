#include "app/dialog/velmora_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "testing/recording_dialog_view.h"
#include "app/res/resource.h"
#include "app/settings.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "text/format.h"

namespace {

// Records what the dialog asks of the program; folders exist by name.
class CFakeServices : public CVelmoraDlgServices {
 public:
  bool IsFolder(const CString& path) override { return m_folders.count(path) != 0; }
  bool IsInsideTrash(const CString& path) override { return path.compare(0, 8, L"C:\\Trush") == 0; }
  bool MakeTrashFolder(const CString& source, CString& error) override {
    m_madeFor.push_back(source);
    m_strTrash = source.substr(0, 1) + L":\\Trush";
    if (m_bTrashFails) error = L"Cannot create folder " + m_strTrash;
    return !m_bTrashFails;
  }
  CString GetTrashFolder() override { return m_strTrash; }
  CString GetBatchFolder() override { return m_strBatch; }
  void Cancel() override { ++m_nCancels; }
  bool BrowseForFolder(const CString& title, const CString& initial, CString& result) override {
    m_browsed.push_back(title + L"|" + initial);
    result = m_strPicked;
    return !m_strPicked.empty();
  }
  void ShowInNotepad(const CString& text, const CString& fileName) override {
    m_notepad.push_back(fileName + L"|" + text);
  }
  void OpenFolder(const CString& path) override { m_opened.push_back(path); }

  std::set<CString> m_folders{L"C:\\Work", L"D:\\Other"};
  bool m_bTrashFails = false;
  CString m_strTrash = L"C:\\Trush";
  CString m_strBatch;
  CString m_strPicked;
  int m_nCancels = 0;
  std::vector<CString> m_madeFor, m_browsed, m_notepad, m_opened;
};

const std::vector<int> kControls = {kIdOk,           IDC_SOURCE,         IDC_BROWSE,       IDC_GO,
                                    IDC_TRASH,      IDC_LOG,            IDC_CLEAR_SCREEN, IDC_PRINT,
                                    IDC_STOP,       IDC_EXTENSION,      IDC_MENU,         IDC_REMOVE_FILES,
                                    IDC_FOLDER_NAME, IDC_REMOVE_FOLDERS, IDC_STATUS,       IDC_PROGRESS};

// A dialog over plain control values, with settings in a store of its own
// (a private XDG_CONFIG_HOME on POSIX, an application key of its own in the
// registry).
class VelmoraDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    m_config = std::filesystem::current_path() / ("dlg_config_" + name);
    std::filesystem::remove_all(m_config);
    m_xdg = std::make_unique<CScopedEnvironment>(L"XDG_CONFIG_HOME", m_config.wstring());
    m_profile = CProfile(L"VelmoraTests", L"Dlg" + WidenFromAnsi(name));
  }
  void TearDown() override {
    m_profile.DeleteStore();
    std::filesystem::remove_all(m_config);
  }
  void Store(const CString& source, const CString& ext, const CString& names) {
    m_profile.WriteString(kSettingsSection, kPathRootEntry, source);
    m_profile.WriteString(kSettingsSection, kExtensionsEntry, ext);
    m_profile.WriteString(kSettingsSection, kFolderNameEntry, names);
  }
  CString Stored(const wchar_t* entry) const { return m_profile.GetString(kSettingsSection, entry); }
  // The one message box shown since the last call, as "caption|text".
  CString LastBox() {
    if (m_view.m_boxes.empty()) return L"<none>";
    const CRecordingDialogView::CShownBox box = m_view.m_boxes.back();
    m_view.m_boxes.clear();
    EXPECT_EQ(box.nType, box.strCaption == L"Confirmation" ? (kMbYesNoCancel | kMbIconQuestion)
                                                          : (kMbOk | kMbIconError));
    return box.strCaption + L"|" + box.strText;
  }

  std::filesystem::path m_config;
  std::unique_ptr<CScopedEnvironment> m_xdg;
  CProfile m_profile{L"", L""};
  CFakeServices m_services;
  CRecordingDialogView m_view{kControls};
};

}  // namespace

TEST_F(VelmoraDlgTest, UnusableSourceAtStartUpIsReportedAndTheDialogGoesOn) {
  {
    // First start: nothing stored, nothing to report.
    CVelmoraDlg dlg(m_view, m_services, m_profile);
    dlg.OnInitDialog();
    EXPECT_EQ(LastBox(), L"<none>");
    EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
  }
  // A stored source that is gone: the check's own box, no trash folder.
  Store(L"  E:\\Gone ", L"", L"");
  {
    CVelmoraDlg dlg(m_view, m_services, m_profile);
    EXPECT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(LastBox(), L"Wrong path|The root folder 'E:\\Gone' does not exists");
    EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), L"E:\\Gone");
    EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
    EXPECT_TRUE(m_services.m_madeFor.empty());
  }
  // A trash folder that cannot be made: an error box like a run's, and the
  // dialog is still usable.
  Store(L"C:\\Work", L"", L"");
  m_services.m_bTrashFails = true;
  {
    CVelmoraDlg dlg(m_view, m_services, m_profile);
    EXPECT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(LastBox(), L"Error|Cannot create folder C:\\Trush");
    EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), L"C:\\Work");
    EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
    EXPECT_TRUE(m_view.IsItemEnabled(IDC_REMOVE_FILES));
  }
  // Browsing reports it the same way and no longer shows the old trash.
  m_services.m_bTrashFails = false;
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"C:\\Trush");
  m_services.m_bTrashFails = true;
  m_services.m_strPicked = L"D:\\Other";
  dlg.OnCommand(IDC_BROWSE);
  EXPECT_EQ(LastBox(), L"Error|Cannot create folder D:\\Trush");
  EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), L"D:\\Other");
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
}

TEST_F(VelmoraDlgTest, ChecksRunInOrderWithTheirTextsAndFocus) {
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();

  // The missing source is reported even though the list is empty too.
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  EXPECT_EQ(LastBox(), L"Wrong path|Please, specify the path");

  m_view.Type(IDC_SOURCE, L" \t ");
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFolders));
  EXPECT_EQ(LastBox(), L"Wrong path|Please, specify the path");

  m_view.Type(IDC_SOURCE, L"C:\\Nowhere ");
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  EXPECT_EQ(LastBox(), L"Wrong path|The root folder 'C:\\Nowhere' does not exists");

  m_services.m_folders.insert(L"C:\\Trush\\2026_01_02_03_04_05");
  m_view.Type(IDC_SOURCE, L"C:\\Trush\\2026_01_02_03_04_05");
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  EXPECT_EQ(LastBox(), L"Wrong path|The root folder 'C:\\Trush\\2026_01_02_03_04_05' lies in the trash folder");

  m_view.Type(IDC_SOURCE, L"  C:\\Work");
  m_view.Type(IDC_EXTENSION, L"   ");
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  EXPECT_EQ(LastBox(), L"Wrong extension|Please, specify the extension for file you want to remove");
  EXPECT_EQ(m_view.m_nFocus, IDC_EXTENSION);
  EXPECT_EQ(dlg.m_strSource, L"C:\\Work");  // trimmed in place
  EXPECT_EQ(dlg.m_strExt, L"   ");          // the list is left as typed

  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFolders));
  EXPECT_EQ(LastBox(), L"Wrong folder name|Please, specify the folder name you want to remove ");
  EXPECT_EQ(m_view.m_nFocus, IDC_FOLDER_NAME);
}

TEST_F(VelmoraDlgTest, ConfirmationNamesListSourceAndTrashAndOnlyYesGoesOn) {
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  m_view.Type(IDC_SOURCE, L"C:\\Work ");
  m_view.Type(IDC_EXTENSION, L" obj  pdb");
  m_view.Type(IDC_FOLDER_NAME, L"Debug");

  for (const int answer : {kIdYes, kIdNo, kIdCancel}) {
    m_view.m_answerer = [answer](const CString&, const CString&, unsigned) { return answer; };
    dlg.OnBegin();
    EXPECT_EQ(dlg.CheckAndConfirm(CleanupKind::kFiles), answer == kIdYes);
    EXPECT_EQ(LastBox(),
              L"Confirmation|Are you sure you want to move files with extension ' obj  pdb'\n"
              L"From:\n'C:\\Work'\nTo:\n'C:\\Trush'");
  }
  dlg.OnBegin();
  m_view.m_answerer = nullptr;  // answers No
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFolders));
  EXPECT_EQ(LastBox(),
            L"Confirmation|Are you sure you want to move folders with name 'Debug'\nFrom:\n'C:\\Work'\nTo:\n"
            L"'C:\\Trush'");
}

TEST_F(VelmoraDlgTest, BrowseStoresThePickedFolderAtOnce) {
  Store(L"C:\\Work", L"obj", L"");
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  m_view.Type(IDC_EXTENSION, L"typed");

  dlg.OnCommand(IDC_BROWSE);  // cancelled: nothing changes
  EXPECT_EQ(m_services.m_browsed, std::vector<CString>{L"Root Folder|C:\\Work"});
  EXPECT_EQ(m_view.GetItemText(IDC_EXTENSION), L"typed");

  m_services.m_strPicked = L"D:\\Other";
  dlg.OnCommand(IDC_BROWSE);
  EXPECT_EQ(Stored(kPathRootEntry), L"D:\\Other");
  EXPECT_EQ(Stored(kExtensionsEntry), L"obj");
  EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), L"D:\\Other");
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"D:\\Trush");
  EXPECT_EQ(m_view.GetItemText(IDC_EXTENSION), L"obj");  // refreshed from the member
}

TEST_F(VelmoraDlgTest, PrintGoAndStopReachTheProgram) {
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();

  dlg.OnCommand(IDC_GO);  // before any run: the shell gets an empty path
  m_services.m_strBatch = L"C:\\Trush\\2026_01_02_03_04_05";
  dlg.OnCommand(IDC_GO);
  EXPECT_EQ(m_services.m_opened, (std::vector<CString>{L"", L"C:\\Trush\\2026_01_02_03_04_05"}));

  m_view.Type(IDC_LOG, L"typed into the pane\r\n");
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(m_services.m_notepad, std::vector<CString>{L"CleanupLog.log|typed into the pane\r\n"});

  dlg.OnCommand(IDC_STOP);
  EXPECT_EQ(m_services.m_nCancels, 1);
  EXPECT_FALSE(dlg.OnCommand(IDC_SOURCE));
  EXPECT_FALSE(dlg.OnCommand(kIdOk));
}

TEST_F(VelmoraDlgTest, TheTrashFolderFollowsTheSourceAsTypedWhenARunStarts) {
  Store(L"C:\\Work", L"obj", L"");
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  m_view.Type(IDC_SOURCE, L"D:\\Other");
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));  // answered No
  EXPECT_EQ(LastBox(),
            L"Confirmation|Are you sure you want to move files with extension 'obj'\nFrom:\n'D:\\Other'\nTo:\n"
            L"'D:\\Trush'");
  EXPECT_EQ(m_services.m_madeFor, (std::vector<CString>{L"C:\\Work", L"D:\\Other"}));
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"D:\\Trush");

  // A trash folder that cannot be made stops the run before the question.
  m_services.m_bTrashFails = true;
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  EXPECT_EQ(LastBox(), L"Error|Cannot create folder D:\\Trush");
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");

  // A list of thousands of names is cut to a few lines in the question.
  m_services.m_bTrashFails = false;
  CString list;
  for (int i = 0; i < 6000; ++i) list += L"name" + std::to_wstring(i) + L" ";
  m_view.Type(IDC_EXTENSION, list);
  dlg.OnBegin();
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFiles));
  const CString question = LastBox();
  EXPECT_NE(question.find(L"'" + list.substr(0, kQuestionListLength) + L"...'\nFrom:"), CString::npos);
  EXPECT_LT(question.size(), 400u);
}

TEST_F(VelmoraDlgTest, ARunRedrawsThePaneTheBarAndTheStatusLineOncePerIntervalAndExactlyWhenItCounts) {
  CScopedProcessState state;
  int64_t now = 0;
  int reported = 0;
  // Items 5 ms apart: eight items per 40 ms interval.
  const auto report = [&](CVelmoraDlg& dlg, int items) {
    for (int i = 0; i < items; ++i, now += 5) {
      state.PinMonotonicClock(now);
      dlg.OnStatus(Format(L" OK  From C:\\Work\\f%d.obj", reported++));
    }
  };
  // What a person sees equals what the run has reported.
  const auto exact = [&](CVelmoraDlg& dlg, int items) {
    EXPECT_EQ(m_view.GetItemText(IDC_LOG), dlg.m_strLog);
    EXPECT_EQ(m_view.m_nProgressPos, items);
    EXPECT_EQ(m_view.GetItemText(IDC_STATUS), Format(L" OK  From C:\\Work\\f%d.obj", items - 1));
  };
  Store(L"C:\\Work", L"obj", L"");
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  m_view.Type(IDC_LOG, L"last run\r\n");
  dlg.OnBegin();
  EXPECT_EQ(m_view.GetItemText(IDC_LOG), L"");
  dlg.SetProgressRange(1000);
  m_view.m_nSets.clear();
  m_view.m_nEnables.clear();
  m_view.m_nReads.clear();

  // The first item shows at once, the others once per 40 ms: 2,000 items
  // over ten seconds are 250 redraws of each, not 2,000.
  report(dlg, 300);
  EXPECT_EQ(m_view.m_nAppends[IDC_LOG], 38);
  EXPECT_EQ(m_view.m_nSets, (std::map<int, int>{{IDC_STATUS, 38}}));
  EXPECT_EQ(m_view.m_nProgressSets, 38);
  EXPECT_TRUE(m_view.m_nEnables.empty());
  EXPECT_TRUE(m_view.m_nReads.empty());  // the pane's growing text is never read back for an item
  EXPECT_EQ(m_view.m_nProgressPos, 297);  // a picture at most one interval old
  const CString all = dlg.m_strLog;
  EXPECT_NE(m_view.GetItemText(IDC_LOG), all);  // the last lines wait, yet Print has them
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(m_services.m_notepad.back(), L"CleanupLog.log|" + all);
  exact(dlg, 300);

  // Clear Screen empties the pane at once and the run goes on appending;
  // Stop and a message box find the window complete.
  report(dlg, 3);
  dlg.OnCommand(IDC_CLEAR_SCREEN);
  EXPECT_EQ(m_view.GetItemText(IDC_LOG), L"");
  EXPECT_EQ(m_view.m_nProgressPos, 303);
  report(dlg, 20);
  dlg.OnCommand(IDC_STOP);
  exact(dlg, 323);
  report(dlg, 3);
  m_view.m_answerer = [&](const CString&, const CString&, unsigned) {
    exact(dlg, 326);
    return kIdOk;
  };
  dlg.ErrorBox(L"Canceled by user request ");
  EXPECT_EQ(m_view.m_nSets[IDC_LOG], 1);  // the clearing only

  // The end of a run: the bar reaches the count before the summary shows
  // and goes back to 0; nothing waits any longer.
  report(dlg, 674);
  dlg.SetStatusText(L"== Done: 1000 of 1000 ");
  EXPECT_EQ(m_view.m_nProgressPos, 1000);
  EXPECT_EQ(m_view.GetItemText(IDC_STATUS), L"== Done: 1000 of 1000 ");
  dlg.AddLine(L"== Finished");
  dlg.OnEnd();
  EXPECT_EQ(m_view.m_nProgressPos, 0);
  EXPECT_EQ(m_view.GetItemText(IDC_STATUS), L"== Done: 1000 of 1000 ");
  EXPECT_EQ(m_view.GetItemText(IDC_LOG), dlg.m_strLog);
  EXPECT_TRUE(m_view.IsItemEnabled(IDC_REMOVE_FILES) && !m_view.IsItemEnabled(IDC_STOP));
}

TEST_F(VelmoraDlgTest, ASlowRedrawComesLessOftenSoThatTheRunGoesOnAtItsOwnPace) {
  CScopedProcessState state;
  int64_t now = 0;
  // A window that takes 100 ms to paint what changed, as under a loaded Wine.
  struct CSlowWindow : CRecordingDialogView {
    using CRecordingDialogView::CRecordingDialogView;
    void UpdateNow() override { onPaint(); }
    std::function<void()> onPaint;
  } view(kControls);
  view.onPaint = [&] { state.PinMonotonicClock(now += 100); };
  Store(L"C:\\Work", L"obj", L"");
  CVelmoraDlg dlg(view, m_services, m_profile);
  dlg.OnInitDialog();
  dlg.OnBegin();
  for (int i = 0; i < 1000; ++i) {
    state.PinMonotonicClock(now += 5);
    dlg.OnStatus(Format(L" OK  From C:\\Work\\f%d.obj", i));
  }
  // After each redraw, four times its cost in work: one redraw every 80
  // items instead of one every 8, and a fifth of the time spent drawing.
  EXPECT_EQ(view.m_nAppends[IDC_LOG], 13);
  EXPECT_EQ(view.m_nProgressSets, 13);
  EXPECT_EQ(now, 1000 * 5 + 14 * 100);  // and the paint of the emptied pane at the start
  dlg.OnStop();
  EXPECT_EQ(view.m_nProgressPos, 1000);
  EXPECT_EQ(view.GetItemText(IDC_LOG), dlg.m_strLog);
}
