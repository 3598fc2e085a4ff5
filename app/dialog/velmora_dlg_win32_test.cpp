// The main dialog as the program runs it: a real modal window driven through
// its controls (clicks, typed text, keys), its message boxes answered here.
// Needs a display: the Windows tests run inside a virtual X display.
#include "app/dialog/velmora_dlg_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/dialog/batches_dlg.h"
#include "app/engine/batch_restore.h"
#include "app/res/resource.h"
#include "app/settings.h"
#include "app/engine/trash_folder.h"
#include "log/log_file.h"
#include "platform/sys/clock.h"
#include "platform/ui/common_controls.h"
#include "platform/encoding.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

std::vector<CString> s_boxes;       // "caption|text" of every box shown
int s_nAnswer = IDNO;               // the answer to a confirmation
std::function<void()> s_onConfirm;  // runs while the confirmation is up
std::function<void(HWND)> s_script;
CVelmoraDlgWindow* s_pWindow = nullptr;
HWND s_aboutOwner = nullptr;
WNDPROC s_dialogProc = nullptr;
POINT s_menuAt{-1, -1};

int AnswerBox(HWND, const CString& text, const CString& caption, unsigned type) {
  s_boxes.push_back(caption + L"|" + text);
  if ((type & MB_TYPEMASK) != MB_YESNOCANCEL) return IDOK;
  if (s_onConfirm) s_onConfirm();
  return s_nAnswer;
}

// The program's services with the trash folder inside the test's folder.
struct CTestServices : CVelmoraServices {
  bool MakeTrashFolder(const CString&, CString&) override {
    g_strTrash = m_strTrash;
    return MakeFoldersForTesting(m_strTrash);
  }
  CString TrashFolderOf(const CString&) override { return m_strTrash; }
  CString m_strTrash;
};

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND dlg = s_pWindow->GetSafeHwnd();
  s_script(dlg);
  // A script stopped by a failed assertion still ends the dialog.
  if (::testing::Test::HasFatalFailure() && ::IsWindowVisible(dlg)) ::EndDialog(dlg, -2);
}

// Acts as the user in the Batches window once its modal loop runs, then
// closes it.
std::function<void(HWND batches)> s_batchesScript;
void CALLBACK RunBatchesScript(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND batches = ::FindWindowW(L"#32770", L"Batches");
  if (batches == nullptr) {
    ADD_FAILURE() << "the Batches window is not there";
    return;
  }
  s_batchesScript(batches);
  ::SendMessageW(batches, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND about = ::FindWindowW(L"#32770", L"About Velmora");
  s_aboutOwner = ::GetWindow(about, GW_OWNER);
  ::SendMessageW(about, WM_COMMAND, IDOK, 0);
}

// Sees the preset menu wait for input, notes where it stands and picks its
// first item with the keyboard.
LRESULT CALLBACK MenuSpy(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU && s_menuAt.x < 0) {
    RECT rect{};
    ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &rect);
    s_menuAt = POINT{rect.left, rect.top};
    ::PostMessageW(hWnd, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0);
  }
  return ::CallWindowProcW(s_dialogProc, hWnd, message, wParam, lParam);
}

void Click(HWND dlg, int id) { ::SendDlgItemMessageW(dlg, id, BM_CLICK, 0, 0); }
// The rows of a list view, their columns joined by '|'.
std::vector<CString> Rows(HWND list) {
  std::vector<CString> rows;
  const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    CString joined;
    for (int column = 0; column < 5; ++column) {
      wchar_t text[64] = {0};
      ListView_GetItemText(list, row, column, text, 64);
      joined += (column == 0 ? L"" : L"|") + CString(text);
    }
    rows.push_back(joined);
  }
  return rows;
}
void SelectRow(HWND list, int row) { ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED); }
void Type(HWND dlg, int id, const CString& text) { ::SetDlgItemTextW(dlg, id, text.c_str()); }
bool Enabled(HWND dlg, int id) { return ::IsWindowEnabled(::GetDlgItem(dlg, id)) != FALSE; }
CString Text(HWND dlg, int id) {
  HWND item = ::GetDlgItem(dlg, id);
  CString text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
  return text;
}

// True when the last line of an edit control's text (the one before its
// final line end) shows in full.
bool LastLineShows(HWND edit) {
  const LRESULT line = ::SendMessageW(edit, EM_GETLINECOUNT, 0, 0) - 2;
  const LRESULT at = ::SendMessageW(edit, EM_POSFROMCHAR, ::SendMessageW(edit, EM_LINEINDEX, line, 0), 0);
  const int top = static_cast<short>(HIWORD(at));
  RECT rect{};
  ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  HDC dc = ::GetDC(edit);
  HGDIOBJ font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, font);
  ::ReleaseDC(edit, dc);
  return top >= rect.top && top + metrics.tmHeight <= rect.bottom;
}

// Clicks Clear Screen once a run has moved 100 items, and keeps what the
// pane then shows. The count comes from the run's own text, not from the
// progress bar, which is redrawn only now and then: a loaded machine would
// otherwise clear it later and later.
CString s_strClearedPane = L"<not cleared>";
void CALLBACK ClearScreenMidRun(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = s_pWindow->GetSafeHwnd();
  const CString& text = s_pWindow->GetLogic().m_strLog;
  if (std::count(text.begin(), text.end(), L'\n') < 100) return;
  ::KillTimer(nullptr, id);
  Click(dlg, IDC_CLEAR_SCREEN);
  s_strClearedPane = Text(dlg, IDC_LOG);
}

// A control of the dialog as laid out on the screen, in client coordinates.
struct CChild {
  int nId;
  CString strText;
  RECT rect;
  bool bGroupBox;
};

std::vector<CChild> Children(HWND dlg) {
  std::vector<CChild> children;
  for (HWND child = ::GetWindow(dlg, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {0};
    ::GetClassNameW(child, className, 16);
    const bool group = CompareNoCase(className, L"Button") == 0 &&
                       (::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    CChild c{::GetDlgCtrlID(child), CString(), {}, group};
    wchar_t text[64] = {0};
    ::GetWindowTextW(child, text, 64);
    c.strText = text;
    ::GetWindowRect(child, &c.rect);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&c.rect), 2);
    children.push_back(c);
  }
  return children;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// The controls of each group box; nothing else lies inside it.
bool BelongsTo(const CString& group, const CChild& c) {
  if (group == L"Remove Files")
    return c.strText == L"Extension:" || c.nId == IDC_EXTENSION || c.nId == IDC_MENU || c.nId == IDC_REMOVE_FILES;
  return c.strText == L"Folder Name:" || c.nId == IDC_FOLDER_NAME || c.nId == IDC_REMOVE_FOLDERS;
}

class VelmoraDlgWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    InitCommonControlClasses(0xFF);
    g_pfnDialogMessageBox = &AnswerBox;
    s_boxes.clear();
    m_services.m_strTrash = m_tmp / L"Trush";
    m_profile.DeleteStore();
  }
  void TearDown() override { m_profile.DeleteStore(); }
  CString Stored(const wchar_t* entry) const { return m_profile.GetString(kSettingsSection, entry); }
  // One start of the dialog; script acts as the user once the modal loop
  // runs, and ends the dialog. Returns what DoModal returned.
  INT_PTR RunModal(std::function<void(HWND)> script) {
    s_script = std::move(script);
    CVelmoraDlgWindow window(m_profile, &m_services);
    s_pWindow = &window;
    ::SetTimer(nullptr, 0, 10, &RunScript);
    return window.DoModal();
  }

  CScopedProcessState m_state;
  CScopedTempFolder m_tmp;
  // Tests run side by side in processes of their own: one key per test, and
  // a company key apart from "VelmoraTests", which the registry store's test
  // expects to see go.
  CProfile m_profile{L"VelmoraWindowTests",
                     WidenFromAnsi(::testing::UnitTest::GetInstance()->current_test_info()->name())};
  CTestServices m_services;
};

}  // namespace

TEST_F(VelmoraDlgWindowTest, StartsFromStoredSettingsOffersPresetsAndSavesOnCloseOnly) {
  const CString source = m_tmp / L"src";
  ASSERT_TRUE(MakeFoldersForTesting(source));
  m_profile.WriteString(kSettingsSection, kPathRootEntry, source);
  m_profile.WriteString(kSettingsSection, kFolderNameEntry, L"Debug");
  EXPECT_EQ(RunModal([&](HWND dlg) {
              EXPECT_EQ(Text(dlg, IDC_SOURCE), source);
              EXPECT_EQ(Text(dlg, IDC_TRASH), m_tmp / L"Trush");
              const LRESULT icon = ::SendMessageW(dlg, WM_GETICON, ICON_BIG, 0);
              EXPECT_NE(icon, 0);
              EXPECT_EQ(::SendMessageW(dlg, WM_QUERYDRAGICON, 0, 0), icon);
              EXPECT_NE(::SendDlgItemMessageW(dlg, IDC_MENU, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);

              // The About item of the system menu, with Batches after it, opens the About box.
              HMENU sysMenu = ::GetSystemMenu(dlg, FALSE);
              EXPECT_EQ(::GetMenuItemID(sysMenu, ::GetMenuItemCount(sysMenu) - 2), UINT(IDM_ABOUTBOX));
              EXPECT_EQ(::GetMenuItemID(sysMenu, ::GetMenuItemCount(sysMenu) - 1), UINT(IDM_BATCHES));
              ::SetTimer(nullptr, 0, 10, &CloseAboutBox);
              ::SendMessageW(dlg, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);  // low bits are the system's
              EXPECT_EQ(s_aboutOwner, dlg);

              // The preset menu opens at the cursor + 5; its choice replaces typed text.
              Type(dlg, IDC_FOLDER_NAME, L"typed");
              ::SetCursorPos(200, 150);
              s_dialogProc = reinterpret_cast<WNDPROC>(
                  ::SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuSpy)));
              Click(dlg, IDC_MENU);
              ::SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_dialogProc));
              PumpMessage();  // the chosen command
              EXPECT_EQ(s_menuAt.x, 205);
              EXPECT_EQ(s_menuAt.y, 155);
              EXPECT_EQ(Text(dlg, IDC_EXTENSION), L"obj pdb sbr ilk pch idb ncb exe");
              EXPECT_EQ(Text(dlg, IDC_FOLDER_NAME), L"Debug");
              // The one-line fields scroll: a list longer than any of them fits, typed
              // key by key (a field that does not scroll takes no more than it shows).
              const CString preset = Text(dlg, IDC_EXTENSION), longText = preset + L" " + preset + L" " + preset;
              for (const int id : {IDC_SOURCE, IDC_EXTENSION, IDC_FOLDER_NAME}) {
                Type(dlg, id, L"");
                for (const wchar_t c : longText) ::SendDlgItemMessageW(dlg, id, WM_CHAR, c, 0);
                EXPECT_EQ(Text(dlg, id), longText) << id;
              }
              Type(dlg, IDC_SOURCE, source);
              Type(dlg, IDC_EXTENSION, L"o");
              Type(dlg, IDC_FOLDER_NAME, L"Debug Release");
              Click(dlg, IDOK);
            }),
            IDOK);
  EXPECT_EQ(Stored(kPathRootEntry), source);
  EXPECT_EQ(Stored(kExtensionsEntry), L"o");
  EXPECT_EQ(Stored(kFolderNameEntry), L"Debug Release");

  // The next start shows them; Escape ends it without reading typed text.
  EXPECT_EQ(RunModal([&](HWND dlg) {
              EXPECT_EQ(Text(dlg, IDC_FOLDER_NAME), L"Debug Release");
              Type(dlg, IDC_EXTENSION, L"pdb");
              ::PostMessageW(::GetDlgItem(dlg, IDC_EXTENSION), WM_KEYDOWN, VK_ESCAPE, 0);
            }),
            IDCANCEL);
  EXPECT_EQ(Stored(kExtensionsEntry), L"o");
}

TEST_F(VelmoraDlgWindowTest, ControlsLieApartInsideTheDialogAndTheirGroups) {
  EXPECT_EQ(RunModal([&](HWND dlg) {
              RECT client{};
              ::GetClientRect(dlg, &client);
              const std::vector<CChild> children = Children(dlg);
              ASSERT_GT(children.size(), 15u);
              EXPECT_EQ(std::count_if(children.begin(), children.end(), [](const CChild& c) { return c.bGroupBox; }),
                        2);
              for (const CChild& a : children) {
                EXPECT_TRUE(Contains(client, a.rect)) << a.nId << " outside the dialog";
                for (const CChild& b : children) {
                  if (&a == &b) continue;
                  if (a.bGroupBox)
                    EXPECT_EQ(Contains(a.rect, b.rect), BelongsTo(a.strText, b)) << NarrowToAnsi(a.strText) << b.nId;
                  else if (!b.bGroupBox && &a < &b) {
                    RECT overlap{};
                    EXPECT_FALSE(::IntersectRect(&overlap, &a.rect, &b.rect)) << a.nId << " and " << b.nId;
                  }
                }
              }
              ::PostMessageW(::GetDlgItem(dlg, IDC_EXTENSION), WM_KEYDOWN, VK_ESCAPE, 0);
            }),
            IDCANCEL);
}

TEST_F(VelmoraDlgWindowTest, AFilesRunOfHundredsOfItemsFollowsTheButtonsReachesThePaneWholeAndCloseWaitsForIt) {
  const CString source = m_tmp / L"a_source_folder_with_a_long_name";
  const CString first = source + L"\\folder0\\an_object_file_000.obj";
  for (int i = 0; i < 300; ++i)
    ASSERT_TRUE(WriteFileForTesting(source + Format(L"\\folder%d\\an_object_file_%03d.obj", i / 50, i)));
  ASSERT_TRUE(WriteFileForTesting(source + L"\\main.cpp"));
  ASSERT_TRUE(CLogFile().Open(m_tmp / L"Velmora.log"));
  m_profile.WriteString(kSettingsSection, kPathRootEntry, source);  // the trash folder comes from it
  static bool s_bVisibleAfterClose = false;
  static LRESULT s_nPosAfterFirst = -1;

  EXPECT_EQ(RunModal([&](HWND dlg) {
              // An empty list takes the focus to its field; a run answered No moves nothing.
              Click(dlg, IDC_REMOVE_FILES);
              EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg, IDC_EXTENSION));
              Type(dlg, IDC_EXTENSION, L"obj");
              Click(dlg, IDC_REMOVE_FILES);
              EXPECT_TRUE(ExistsForTesting(first));
              EXPECT_EQ(Text(dlg, IDC_LOG), L"");
              ASSERT_EQ(s_boxes.size(), 2u);
              EXPECT_EQ(s_boxes[1].substr(0, 13), L"Confirmation|");

              // Answered Yes, with Close pressed while the run is under way and
              // Clear Screen once it has moved 100 items.
              s_nAnswer = IDYES;
              s_onConfirm = [dlg] {
                EXPECT_FALSE(Enabled(dlg, IDC_REMOVE_FILES) || Enabled(dlg, IDC_REMOVE_FOLDERS));
                EXPECT_TRUE(Enabled(dlg, IDC_STOP));
                ::PostMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
                PostCommand([dlg] {  // runs after the first move
                  s_bVisibleAfterClose = ::IsWindowVisible(dlg) != FALSE;
                  s_nPosAfterFirst = ::SendDlgItemMessageW(dlg, IDC_PROGRESS, PBM_GETPOS, 0, 0);
                });
              };
              ::SetTimer(nullptr, 0, 1, &ClearScreenMidRun);
              Click(dlg, IDC_REMOVE_FILES);
              EXPECT_TRUE(s_bVisibleAfterClose);
              EXPECT_EQ(s_nPosAfterFirst, 1);  // the first item shows at once
              EXPECT_FALSE(::IsWindowVisible(dlg));  // the run has finished: now the dialog ends
              EXPECT_FALSE(ExistsForTesting(first));
              EXPECT_TRUE(ExistsForTesting(source + L"\\main.cpp"));
              EXPECT_EQ(s_strClearedPane, L"");
              // Past the edit control's typing limit, the lines after the clearing.
              const CString pane = Text(dlg, IDC_LOG);
              EXPECT_GT(pane.size(), 30000u);
              const CString& log = s_pWindow->GetLogic().m_strLog;
              EXPECT_TRUE(pane == log) << pane.size() << " characters shown of " << log.size();
              EXPECT_EQ(pane.substr(0, 10), L" OK  From ");
              const CString end = L"\r\n== Done: 300 of 300 \r\n== Finished\r\n";
              EXPECT_EQ(pane.substr(pane.size() - end.size()), end);
              EXPECT_TRUE(LastLineShows(::GetDlgItem(dlg, IDC_LOG)));
              EXPECT_EQ(Text(dlg, IDC_STATUS), L"== Done: 300 of 300 ");
              EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_PROGRESS, PBM_GETRANGE, FALSE, 0), 300);
              EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_PROGRESS, PBM_GETPOS, 0, 0), 0);
              EXPECT_TRUE(Enabled(dlg, IDC_REMOVE_FILES) && !Enabled(dlg, IDC_STOP));
            }),
            IDOK);
  s_onConfirm = nullptr;
  CLogFile().Close();
  std::string log;
  ASSERT_TRUE(ReadFileForTesting(m_tmp / L"Velmora.log", log));
  EXPECT_EQ(log.find("-Start "), log.rfind("-Start "));  // the refused run logged nothing
  EXPECT_EQ(Stored(kExtensionsEntry), L"obj");
}

// What the list holds and does is the logic's (batches_dlg_test): here the
// window's side of it, over one run.
TEST_F(VelmoraDlgWindowTest, BatchesFromTheSystemMenuListsTheRunsBatchAndRestoresTheSelectedRow) {
  const CString source = m_tmp / L"src";
  ASSERT_TRUE(WriteFileForTesting(source + L"\\a.obj", "first a") &&
              WriteFileForTesting(source + L"\\sub\\b.obj", "first b"));
  ASSERT_TRUE(CLogFile().Open(m_tmp / L"Velmora.log"));
  m_profile.WriteString(kSettingsSection, kPathRootEntry, source);
  m_profile.WriteString(kSettingsSection, kExtensionsEntry, L"obj");
  s_nAnswer = IDYES;
  EXPECT_EQ(RunModal([&](HWND dlg) {
              wchar_t item[32] = {0};
              ::GetMenuStringW(::GetSystemMenu(dlg, FALSE), IDM_BATCHES, item, 32, MF_BYCOMMAND);
              EXPECT_EQ(CString(item), L"&Batches...");

              // The Batches window does not open during a run.
              m_state.PinClock(CLocalTime{2026, 12, 5, 2, 1, 0});
              s_onConfirm = [dlg] { ::SendMessageW(dlg, WM_SYSCOMMAND, IDM_BATCHES, 0); };
              Click(dlg, IDC_REMOVE_FILES);
              s_onConfirm = nullptr;
              ASSERT_EQ(s_boxes.size(), 2u);  // the question, and the refusal while it was up
              EXPECT_EQ(s_boxes[1], CString(L"Batches|") + kBatchesBusyText);
              ASSERT_FALSE(ExistsForTesting(source + L"\\a.obj"));
              s_boxes.clear();

              s_batchesScript = [&](HWND batches) {
                HWND list = ::GetDlgItem(batches, IDC_BATCHES_LIST);
                EXPECT_FALSE(::IsWindowEnabled(dlg));  // modal
                EXPECT_EQ(Rows(list), std::vector<CString>{L"2026_12_05_02_01_00|2026-12-05 02:01:00|2|14.0   B|2"});
                Click(batches, IDC_BATCHES_RESTORE);  // nothing selected: refused in a box
                SelectRow(list, 0);
                Click(batches, IDC_BATCHES_RESTORE);
                std::string bytes;
                EXPECT_TRUE(ReadFileForTesting(source + L"\\a.obj", bytes) && bytes == "first a");
                EXPECT_TRUE(Rows(list).empty());
                // The job has ended: the window's buttons are back, the main dialog off again.
                EXPECT_FALSE(::IsWindowEnabled(dlg));
                EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(batches, IDC_BATCHES_PURGE)));
              };
              ::SetTimer(nullptr, 0, 10, &RunBatchesScript);
              ::SendMessageW(dlg, WM_SYSCOMMAND, IDM_BATCHES, 0);
              EXPECT_EQ(s_boxes, (std::vector<CString>{
                                     L"Batches|Select a batch folder first.",
                                     L"Confirmation|" +
                                         FormatRestoreQuestion(2, (m_tmp / L"Trush") + L"\\2026_12_05_02_01_00")}));
              EXPECT_TRUE(::IsWindowEnabled(dlg));
              Click(dlg, IDOK);
            }),
            IDOK);
  CLogFile().Close();
}
