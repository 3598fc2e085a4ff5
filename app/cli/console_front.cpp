#include "app/cli/console_front.h"

#include <cstdint>

#include "app/dialog/control_state.h"
#include "app/engine/dry_run.h"
#include "app/res/resource.h"
#include "app/settings.h"
#include "app/engine/trash_folder.h"
#include "app/velmora_app.h"
#include "app/dialog/velmora_dlg.h"
#include "app/velmora_services.h"
#include "platform/console.h"
#include "text/format.h"
#include "platform/process.h"
#include "platform/volume.h"
#include "winui/message_pump.h"

namespace {

// The controls the dialog's logic exchanges values with.
const std::vector<int> kDialogControls = {IDC_SOURCE,         IDC_LOG,          IDC_EXTENSION, IDC_FOLDER_NAME,
                                          IDC_TRASH,          IDC_STATUS,       IDC_PROGRESS,  IDC_REMOVE_FILES,
                                          IDC_REMOVE_FOLDERS, IDC_STOP};

const int kBarWidth = 30;

// The two output streams of a run: the log pane's lines on the output
// stream and, only when the error stream is a terminal, a progress bar on
// the last line of it. The bar is taken away before any line is written and
// drawn again after it, so lines never mix with it.
class CConsoleScreen {
 public:
  CConsoleScreen() : m_bTerminal(IsConsoleTerminal(ConsoleStream::kError)) {}
  ~CConsoleScreen() { Erase(); }
  CConsoleScreen(const CConsoleScreen&) = delete;
  CConsoleScreen& operator=(const CConsoleScreen&) = delete;

  void StartProgress(int32_t range) {
    m_nRange = range;
    m_nPos = 0;
    Draw();
  }
  void Step() {
    if (m_nPos < m_nRange) ++m_nPos;
  }
  void EndProgress() {
    Erase();
    m_nRange = 0;
  }
  void Print(ConsoleStream stream, const CString& text) {
    Erase();
    WriteConsoleText(stream, text);
    Draw();
  }

 private:
  void Draw() {
    if (!m_bTerminal || m_nRange <= 0) return;
    const int filled = static_cast<int>(static_cast<int64_t>(kBarWidth) * m_nPos / m_nRange);
    m_strBar = L"[" + CString(filled, L'#') + CString(kBarWidth - filled, L' ') + L"] " +
               Format(L"%d/%d", m_nPos, m_nRange);
    WriteConsoleText(ConsoleStream::kError, L"\r" + m_strBar);
  }
  void Erase() {
    if (m_strBar.empty()) return;
    WriteConsoleText(ConsoleStream::kError, L"\r" + CString(m_strBar.size(), L' ') + L"\r");
    m_strBar.clear();
  }

  const bool m_bTerminal;
  int32_t m_nRange = 0;
  int32_t m_nPos = 0;
  CString m_strBar;  // what is drawn now; empty when nothing is
};

// A message box on the console. An error box is one line "caption: text" on
// the error stream. The question is answered Yes by --yes, asked with a y/N
// prompt on a terminal, and refused without one. Ctrl-C at the prompt
// answers Cancel.
int ConsoleMessageBox(CConsoleScreen& screen, bool yes, const CString& text, const CString& caption,
                      unsigned type) {
  if ((type & 0xF) != kMbYesNoCancel) {
    screen.Print(ConsoleStream::kError, caption + L": " + text + L"\n");
    return kIdOk;
  }
  if (yes) return kIdYes;
  if (!IsConsoleTerminal(ConsoleStream::kInput)) {
    screen.Print(ConsoleStream::kError,
                 L"velmora: no terminal to answer the question; nothing was moved (--yes answers it)\n");
    return kIdNo;
  }
  screen.Print(ConsoleStream::kError, caption + L":\n" + text + L" [y/N] ");
  CString answer;
  switch (ReadConsoleLine(answer)) {
    case ConsoleRead::kLine:
      MakeLower(TrimString(answer));
      return answer == L"y" || answer == L"yes" ? kIdYes : kIdNo;
    case ConsoleRead::kInterrupted:
      screen.Print(ConsoleStream::kError, L"\n");
      return kIdCancel;
    case ConsoleRead::kEnd:
      break;
  }
  screen.Print(ConsoleStream::kError, L"\n");
  return kIdNo;
}

// The console side of a run: the dialog checks and asks, the console shows.
class CConsoleRunView : public CCleanupView {
 public:
  CConsoleRunView(CVelmoraDlg& dlg, CConsoleScreen& screen) : m_dlg(dlg), m_screen(screen) {}

  bool PrepareRun(CleanupKind kind, CString& source, CString& list) override {
    return m_dlg.PrepareRun(kind, source, list);
  }
  void AddLine(const CString& line) override { m_screen.Print(ConsoleStream::kOutput, line + L"\n"); }
  void ErrorBox(const CString& text) override { m_dlg.ErrorBox(text); }
  void SetProgressRange(int32_t count) override { m_screen.StartProgress(count); }
  void OnStatus(const CString& line) override {
    m_screen.Step();
    AddLine(line);
  }
  void OnEnd() override { m_screen.EndProgress(); }

 private:
  CVelmoraDlg& m_dlg;
  CConsoleScreen& m_screen;
};

// The dialog's logic over console controls and the real engine, with the
// stored settings overridden by what the command line gives.
class CConsoleDialog {
 public:
  CConsoleDialog(const CConsoleCommand& command, const CProfile& profile)
      : m_controls(kDialogControls), m_dlg(m_controls, m_services, profile) {
    m_controls.m_answerer = [this, &command](const CString& text, const CString& caption, unsigned type) {
      return ConsoleMessageBox(m_screen, command.bYes, text, caption, type);
    };
    m_dlg.LoadSettings();
    if (command.bSourceGiven) m_dlg.m_strSource = command.strSource;
    // The walk and the trash folder need a full path, whoever typed it.
    m_dlg.m_strSource = FullPathFromArgument(Trimmed(m_dlg.m_strSource));
    if (command.bListGiven) List(command.nKind) = command.strList;
    m_dlg.UpdateData(false);  // any read-back sees the same values
  }

  // The source and list checks of a run, without the question.
  bool CheckInput(CleanupKind kind) {
    return m_dlg.CheckSource(true) &&
           (kind == CleanupKind::kFiles ? m_dlg.CheckExtension() : m_dlg.CheckFolderName());
  }
  // The dialog's member that holds the list of a run of that kind.
  CString& List(CleanupKind kind) { return kind == CleanupKind::kFiles ? m_dlg.m_strExt : m_dlg.m_strFolderName; }

  CConsoleScreen m_screen;
  CControlState m_controls;
  CVelmoraServices m_services;
  CVelmoraDlg m_dlg;
};

const CConsoleCommand* g_pCommand = nullptr;

// The main part of the application shell: one Remove run.
int RunRemoveCommand(CVelmoraApp& app) {
  const CConsoleCommand& command = *g_pCommand;
  CConsoleDialog console(command, app.GetProfile());
  CVelmoraDlg& dlg = console.m_dlg;
  int exitCode = kExitRefused;
  // A missing source is reported once, by the run's own check.
  if (console.m_services.IsFolder(dlg.m_strSource)) dlg.UpdateTrash();
  if (console.m_services.IsFolder(dlg.m_strSource) && dlg.m_strTrash.empty()) {
    // The trash folder cannot be made, and the error is shown: asking the
    // question would only lead to a run that cannot make its batch folder.
    exitCode = kExitErrors;
  } else {
    InstallInterruptHandler();
    SetInterruptCommand([&dlg] { dlg.OnStop(); });  // Ctrl-C is the Stop button
    CConsoleRunView view(dlg, console.m_screen);
    exitCode = ExitCodeOf(RunCleanup(command.nKind, view));
    SetInterruptCommand(nullptr);
  }
  dlg.SaveSettings();
  return exitCode;
}

// Lists what a run would move, with the sizes; changes nothing.
int RunDryCommand(const CConsoleCommand& command) {
  CConsoleDialog console(command, CProfile(kCompanyKey, kApplicationName));
  CVelmoraDlg& dlg = console.m_dlg;
  if (!console.CheckInput(command.nKind)) return kExitRefused;
  // The walk passes over the trash folder a run would use, without making it.
  g_strTrash = GetSourceDrive(dlg.m_strSource) + PlatformPathSeparator() + L"Trush";
  InstallInterruptHandler();
  SetInterruptCommand([&dlg] { dlg.OnStop(); });
  const auto print = [&console](const CDryRunItem& item) {
    console.m_screen.Print(ConsoleStream::kOutput, item.strPath + L"\n");
  };
  const CDryRunOutcome outcome = DryRunCleanup(command.nKind, dlg.m_strSource, console.List(command.nKind), print);
  SetInterruptCommand(nullptr);
  if (outcome.bCancelled) {
    console.m_screen.Print(ConsoleStream::kOutput, CString(kCancelText) + L"\n");
    return kExitCancelled;
  }
  console.m_screen.Print(ConsoleStream::kOutput,
                         Format(L"== Dry run: %d items, %u bytes\n", outcome.nItems, outcome.nTotalSize));
  return kExitMoved;
}

}  // namespace

int ExitCodeOf(const CCleanupOutcome& outcome) {
  switch (outcome.nEnd) {
    case CCleanupOutcome::kNotStarted: return kExitRefused;
    case CCleanupOutcome::kCompleted: return outcome.nErrors > 0 ? kExitErrors : kExitMoved;
    case CCleanupOutcome::kCancelled: return kExitCancelled;
    case CCleanupOutcome::kFailed: break;
  }
  return kExitErrors;
}

int RunConsoleCommand(const CConsoleCommand& command) {
  if (command.bDryRun) return RunDryCommand(command);
  g_pCommand = &command;
  theApp.m_pfnMain = RunRemoveCommand;
  const int exitCode = theApp.Run();
  g_pCommand = nullptr;
  return exitCode;
}
