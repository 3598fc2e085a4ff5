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
  CRecordingDialogView m_view;
};

}  // namespace

TEST_F(VelmoraDlgTest, UnusableSourceAtStartUpIsReportedAndTheDialogGoesOn) {
  const struct {
    const wchar_t* szStored;
    bool bTrashFails;
    const wchar_t* szBox;
    const wchar_t* szShown;
  } starts[] = {
      {L"", false, L"<none>", L""},  // first start: nothing stored, nothing to report
      // A stored source that is gone: the check's own box, no trash folder.
      {L"  E:\\Gone ", false, L"Wrong path|The root folder 'E:\\Gone' does not exists", L"E:\\Gone"},
      // A trash folder that cannot be made: an error box like a run's.
      {L"C:\\Work", true, L"Error|Cannot create folder C:\\Trush", L"C:\\Work"},
  };
  for (const auto& start : starts) {
    SCOPED_TRACE(start.szBox);
    Store(start.szStored, L"", L"");
    m_services.m_bTrashFails = start.bTrashFails;
    m_view.Type(IDC_TRASH, L"C:\\Trush");  // as an earlier start left it
    CVelmoraDlg dlg(m_view, m_services, m_profile);
    EXPECT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(LastBox(), start.szBox);
    EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), start.szShown);
    EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
    EXPECT_TRUE(m_view.IsItemEnabled(IDC_REMOVE_FILES));  // the dialog is still usable
  }
  EXPECT_EQ(m_services.m_madeFor, std::vector<CString>{L"C:\\Work"});
}

TEST_F(VelmoraDlgTest, ChecksRunInOrderWithTheirTextsAndFocus) {
  m_services.m_folders.insert(L"C:\\Trush\\2026_01_02_03_04_05");
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  const struct {
    const wchar_t* szSource;
    CleanupKind kind;
    const wchar_t* szBox;
    int nFocus;  // where the focus goes; 0 for "stays"
  } cases[] = {
      // The missing source is reported even though the list is empty too.
      {L"", CleanupKind::kFiles, L"Wrong path|Please, specify the path", 0},
      {L" \t ", CleanupKind::kFolders, L"Wrong path|Please, specify the path", 0},
      {L"C:\\Nowhere ", CleanupKind::kFiles, L"Wrong path|The root folder 'C:\\Nowhere' does not exists", 0},
      {L"C:\\Trush\\2026_01_02_03_04_05", CleanupKind::kFiles,
       L"Wrong path|The root folder 'C:\\Trush\\2026_01_02_03_04_05' lies in the trash folder", 0},
      {L"  C:\\Work", CleanupKind::kFiles,
       L"Wrong extension|Please, specify the extension for file you want to remove", IDC_EXTENSION},
      {L"  C:\\Work", CleanupKind::kFolders,
       L"Wrong folder name|Please, specify the folder name you want to remove ", IDC_FOLDER_NAME},
  };
  m_view.Type(IDC_EXTENSION, L"   ");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.szBox);
    m_view.Type(IDC_SOURCE, c.szSource);
    m_view.m_nFocus = 0;
    dlg.OnBegin();
    EXPECT_FALSE(dlg.CheckAndConfirm(c.kind));
    EXPECT_EQ(LastBox(), c.szBox);
    EXPECT_EQ(m_view.m_nFocus, c.nFocus);
  }
  EXPECT_EQ(dlg.m_strSource, L"C:\\Work");  // trimmed in place
  EXPECT_TRUE(m_services.m_madeFor.empty());  // no trash folder for a refused run
}

// The trash folder is the one of the source as typed when the run starts.
TEST_F(VelmoraDlgTest, ConfirmationNamesListSourceAndTheTrashOfTheTypedSourceAndOnlyYesGoesOn) {
  Store(L"C:\\Work", L"obj", L"");
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();
  m_view.Type(IDC_SOURCE, L"D:\\Other ");
  m_view.Type(IDC_EXTENSION, L" obj  pdb");
  m_view.Type(IDC_FOLDER_NAME, L"Debug");
  for (const int answer : {kIdYes, kIdNo, kIdCancel}) {
    m_view.m_answerer = [answer](const CString&, const CString&, unsigned) { return answer; };
    dlg.OnBegin();
    EXPECT_EQ(dlg.CheckAndConfirm(CleanupKind::kFiles), answer == kIdYes);
    EXPECT_EQ(LastBox(),
              L"Confirmation|Are you sure you want to move files with extension ' obj  pdb'\n"
              L"From:\n'D:\\Other'\nTo:\n'D:\\Trush'");
  }
  EXPECT_EQ(m_services.m_madeFor, (std::vector<CString>{L"C:\\Work", L"D:\\Other", L"D:\\Other", L"D:\\Other"}));
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"D:\\Trush");
  dlg.OnBegin();
  m_view.m_answerer = nullptr;  // answers No
  EXPECT_FALSE(dlg.CheckAndConfirm(CleanupKind::kFolders));
  EXPECT_EQ(LastBox(),
            L"Confirmation|Are you sure you want to move folders with name 'Debug'\nFrom:\n'D:\\Other'\nTo:\n"
            L"'D:\\Trush'");

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

TEST_F(VelmoraDlgTest, BrowseStoresThePickedFolderAtOnceAndReportsATrashFolderItCannotMake) {
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

  // A trash folder that cannot be made is reported, and the old one no longer shows.
  m_services.m_bTrashFails = true;
  m_services.m_strPicked = L"C:\\Work";
  dlg.OnCommand(IDC_BROWSE);
  EXPECT_EQ(LastBox(), L"Error|Cannot create folder C:\\Trush");
  EXPECT_EQ(m_view.GetItemText(IDC_SOURCE), L"C:\\Work");
  EXPECT_EQ(m_view.GetItemText(IDC_TRASH), L"");
}

TEST_F(VelmoraDlgTest, PresetsPrintGoAndStopReachTheProgram) {
  CVelmoraDlg dlg(m_view, m_services, m_profile);
  dlg.OnInitDialog();

  dlg.OnCommand(IDC_GO);  // before any run: the shell gets an empty path
  m_services.m_strBatch = L"C:\\Trush\\2026_01_02_03_04_05";
  dlg.OnCommand(IDC_GO);
  EXPECT_EQ(m_services.m_opened, (std::vector<CString>{L"", L"C:\\Trush\\2026_01_02_03_04_05"}));

  m_view.Type(IDC_LOG, L"typed into the pane\r\n");
  dlg.OnCommand(IDC_PRINT);
  EXPECT_EQ(m_services.m_notepad, std::vector<CString>{L"CleanupLog.log|typed into the pane\r\n"});

  for (const wchar_t* preset : {kPresetMplab, kPresetCpp}) {
    m_view.Type(IDC_EXTENSION, L"typed");  // a preset replaces what was typed
    EXPECT_TRUE(dlg.OnCommand(preset == kPresetCpp ? ID_PRESET_CPP : ID_PRESET_MPLAB));
    EXPECT_EQ(m_view.GetItemText(IDC_EXTENSION), preset);
  }

  dlg.OnCommand(IDC_STOP);
  EXPECT_EQ(m_services.m_nCancels, 1);
  EXPECT_FALSE(dlg.OnCommand(IDC_SOURCE));
  EXPECT_FALSE(dlg.OnCommand(kIdOk));
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
  EXPECT_EQ(m_view.m_nProgressHigh, 1000);
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
  dlg.OnBegin();  // a run refused before its first item: the status line stays empty
  dlg.OnEnd();
  EXPECT_EQ(m_view.GetItemText(IDC_STATUS), L"");
}

TEST_F(VelmoraDlgTest, ASlowRedrawComesLessOftenSoThatTheRunGoesOnAtItsOwnPace) {
  CScopedProcessState state;
  int64_t now = 0;
  // A window that takes 100 ms to paint what changed, as under a loaded Wine.
  struct CSlowWindow : CRecordingDialogView {
    void UpdateNow() override { onPaint(); }
    std::function<void()> onPaint;
  } view;
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
}
