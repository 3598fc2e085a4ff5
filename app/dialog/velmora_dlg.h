// CVelmoraDlg: the main dialog's logic, apart from its window. It holds the
// dialog's values, exchanges them with the controls through a CDialogView
// (UpdateData), runs the command handlers of its message map, checks the
// input, asks for confirmation, starts runs and follows them (it is the
// run's CCleanupView) and restores and saves the three settings.
//
// Every message box goes through CDialogView::MessageBox; every command the
// window receives can be given to OnCommand, as the message map would.
#pragma once

#include "app/engine/cleanup_run.h"
#include "app/dialog/dialog_view.h"
#include "platform/sys/clock.h"
#include "platform/cstring.h"
#include "platform/sys/profile.h"

// What the dialog asks of the rest of the program: the cleanup engine's
// trash and batch folders and cancel flag, the folder picker, the notepad
// viewer and the shell. The program binds the real ones; tests bind fakes.
class CVelmoraDlgServices {
 public:
  virtual ~CVelmoraDlgServices() = default;

  // True when path names an existing folder.
  virtual bool IsFolder(const CString& path) = 0;
  // True when path is, or lies inside, a trash folder.
  virtual bool IsInsideTrash(const CString& path) = 0;
  // Derives the trash folder from the source folder and creates it. On
  // failure returns false with the error text to show.
  virtual bool MakeTrashFolder(const CString& source, CString& error) = 0;
  virtual CString GetTrashFolder() = 0;
  // The trash folder a source has (the engine's TrashFolderOf), without
  // making it.
  virtual CString TrashFolderOf(const CString& source);
  // The batch folder of the most recent run; empty before the first.
  virtual CString GetBatchFolder() = 0;
  // Sets the cancel flag that ends a working run at its next entry.
  virtual void Cancel() = 0;
  // The folder picker; true with the chosen folder in result.
  virtual bool BrowseForFolder(const CString& title, const CString& initial, CString& result) = 0;
  virtual void ShowInNotepad(const CString& text, const CString& fileName) = 0;
  // Opens a folder in the system's file browser.
  virtual void OpenFolder(const CString& path) = 0;
};

// The longest part of a list the question shows (a few lines of a message
// box), and the list cut to it with "..." after it when it is longer, so
// that the box's buttons stay on the screen.
constexpr size_t kQuestionListLength = 200;
CString CutForQuestion(const CString& text);

class CVelmoraDlg : public CCleanupView {
 public:
  // REQUIRES: view and services outlive the dialog.
  CVelmoraDlg(CDialogView& view, CVelmoraDlgServices& services, const CProfile& profile);
  virtual ~CVelmoraDlg() = default;
  CVelmoraDlg(const CVelmoraDlg&) = delete;
  CVelmoraDlg& operator=(const CVelmoraDlg&) = delete;

  // The message map for commands: runs the handler of a button or menu
  // command. Returns false when the dialog has no handler for id. While a
  // job of the Batches window runs (m_bJobRunning), Stop alone is taken.
  bool OnCommand(int id);

  // Initialisation once the controls exist: status line emptied, settings
  // restored, trash folder derived, controls refreshed. Returns true.
  bool OnInitDialog();
  // Close: reads the fields back. Returns true when the dialog may end.
  bool OnOK();
  // Saves the settings as the members stand.
  void OnDestroy();

  // Controls into members (true) or members into controls (false). A
  // control is changed only where it differs from its member, and lines
  // added to m_strLog are appended to the pane. While a run goes, the pane,
  // the progress bar and the status line are paced together: brought up to
  // date at most once per kPaceIntervalMs (what changed waits for the next
  // refresh after it), and always before the pane is read, before a message
  // box, on Stop, on Clear Screen and at the end of the run.
  bool UpdateData(bool saveAndValidate = true);

  // The run's side: start (fields read, pane emptied, Remove buttons off,
  // Stop on), end (back to idle, progress to 0) and one report line.
  void OnBegin() override;
  void OnEnd() override;
  void OnStatus(const CString& line) override;
  // The checks and the question; gives the run the source and the list.
  bool PrepareRun(CleanupKind kind, CString& source, CString& list) override;
  void SetStatusText(const CString& text) override;
  void SetProgressRange(int32_t count) override;
  void Refresh() override { UpdateData(false); }

  // Command handlers.
  void OnRemoveFiles() { RunCleanup(CleanupKind::kFiles, *this); }
  void OnRemoveFolders() { RunCleanup(CleanupKind::kFolders, *this); }
  void OnBrowse();
  void OnClearScreen();
  void OnPrint();
  void OnGo();
  void OnPresetCpp();
  void OnPresetMplab();
  void OnStop();
  // The system's file browser on path.
  void OpenFolder(const CString& path);
  // The trash folder of source, by the services' rule.
  CString TrashFolderOf(const CString& source);

  // The time the pane, the progress bar and the status line wait between two
  // redraws during a run: often enough to look continuous (25 a second, so
  // what shows is never much more than 40 ms old), rarely enough that a run
  // of thousands of items does not spend its time redrawing.
  static constexpr int64_t kPaceIntervalMs = 40;
  // Redrawing takes at most one part in kRedrawShare of a run's time: where
  // a redraw is slow (a loaded machine, Wine), the pictures come further
  // apart instead of the run slowing down.
  static constexpr int64_t kRedrawShare = 5;

  // Appends text and a line end to the log pane's value (no refresh).
  void AddLine(const CString& text) override;
  void ErrorBox(const CString& text) override { ErrorBox(text, L"Error"); }
  void ErrorBox(const CString& text, const CString& caption);
  // Yes, No and Cancel; returns the kId* of the button pressed.
  int Confirm(const CString& text, const CString& caption = L"Confirmation");

  // Trims m_strSource; false (with an error box, for an empty source only
  // when prompt is true) unless it names an existing folder.
  bool CheckSource(bool prompt);
  bool CheckFolderName();
  bool CheckExtension();
  // The list check of a run of kind; on failure the box, and the focus to
  // the list's control.
  bool CheckList(CleanupKind kind, const CString& list, int controlId);
  // Derives and creates the trash folder from a usable source, or empties
  // the trash field. A trash folder that cannot be made is reported in an
  // error box; the dialog goes on.
  void UpdateTrash();
  // The start of a run after OnBegin: the source check, the list check,
  // the trash folder of the source as typed (MakeRunTrashFolder), then the
  // question, which shows the list cut to a few lines (CutForQuestion).
  // True when the user answered Yes.
  bool CheckAndConfirm(CleanupKind kind);
  // Derives and makes the trash folder of m_strSource for the run about to
  // start, and shows it in the trash field; a trash folder that cannot be
  // made is an error box and false (the field is then empty).
  bool MakeRunTrashFolder();

  void LoadSettings();
  void SaveSettings();

  CString m_strSource;      // "Source Folder:" (1000)
  CString m_strLog;         // the log pane (1005)
  CString m_strExt;         // "Extension:" (1009)
  CString m_strFolderName;  // "Folder Name:" (1010)
  CString m_strTrash;       // "Trush:" (1013), shown only
  bool m_bRunning = false;
  bool m_bJobRunning = false;  // a restore or purge of the Batches window

 protected:
  virtual void DoDataExchange(bool saveAndValidate);

  CDialogView& m_view;
  CVelmoraDlgServices& m_services;
  CProfile m_profile;

 private:
  void SetTextIfChanged(int id, const CString& text);
  void EnableIfChanged(int id, bool enable);
  // The paced part of a refresh (pane, progress bar, status line): during a
  // run, what changed since they were last up to date waits until the rate
  // limit lets it through.
  void ExchangePaced();
  // True when the pace lets a redraw through now (see kPaceIntervalMs and
  // kRedrawShare); the interval then starts again.
  bool MayRedraw();
  // Brings the three up to date now, and notes how long that took.
  void ShowPaced();
  // Brings the pane up to m_strLog now: when m_strLog is the pane's text
  // plus more, only the rest is appended; otherwise the whole text is set.
  void ShowLog();
  // Shows what waits, if anything.
  void FlushPaced();
  int ShowBox(const CString& text, const CString& caption, unsigned type);

  size_t m_nLogShown = 0;         // length of m_strLog when the pane last showed all of it
  int32_t m_nProgress = 0;        // items reported in this run: the bar's true position
  int32_t m_nProgressShown = 0;   // the position the bar was last given
  CString m_strStatus;            // the last item line, for the status line
  bool m_bStatusWaiting = false;  // m_strStatus is not shown yet
  bool m_bPacedWaiting = false;   // the pane, the bar or the status line is behind
  CRateLimit m_paceRate{kPaceIntervalMs};
  int64_t m_nRedrawEnd = 0;   // monotonic time when the last redraw of the three ended
  int64_t m_nRedrawCost = 0;  // how long it took
};
