#include "app/cli/console_front.h"

#include <cstdint>

#include "app/engine/dry_run.h"
#include "app/engine/run_input.h"
#include "app/engine/trash_folder.h"
#include "app/settings.h"
#include "app/velmora_app.h"
#include "log/log_file.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/profile.h"
#include "platform/volume.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

const int kBarWidth = 30;
const int64_t kRedrawIntervalMs = 50;  // the bar is redrawn at most 20 times a second

// The two output streams of a run: the log pane's lines on the output
// stream and, only when the error stream is a terminal, a progress bar on
// the last line of it. The bar is taken away before any line is written and
// drawn again after it, so lines never mix with it. While it shows, lines
// for the output stream wait and go out with its next redraw, so that it is
// redrawn at most once per kRedrawIntervalMs however fast the lines come;
// the end of the progress and a line for the error stream take them out at
// once. A write that fails (a closed pipe) is remembered, and the run goes
// on.
class CConsoleScreen {
 public:
  CConsoleScreen() : m_bTerminal(IsConsoleTerminal(ConsoleStream::kError)) {}
  ~CConsoleScreen() { EndProgress(); }
  CConsoleScreen(const CConsoleScreen&) = delete;
  CConsoleScreen& operator=(const CConsoleScreen&) = delete;

  void StartProgress(int32_t range) {
    m_nRange = range;
    m_nPos = 0;
    m_redraw.Pass();
    Draw();
  }
  void Step() {
    if (m_nPos < m_nRange) ++m_nPos;
  }
  void EndProgress() {
    Erase();
    WriteWaiting();
    m_nRange = 0;
  }
  void Print(ConsoleStream stream, const CString& text) {
    if (m_strBar.empty()) {
      Write(stream, text);
      return;
    }
    if (stream == ConsoleStream::kOutput) {
      m_strWaiting += text;
      if (!m_redraw.Pass()) return;
    }
    Erase();
    WriteWaiting();
    if (stream == ConsoleStream::kError) Write(stream, text);
    Draw();
  }
  // True once a write to either stream has failed.
  bool WriteFailed() const { return m_bWriteFailed; }

 private:
  void Draw() {
    if (!m_bTerminal || m_nRange <= 0) return;
    const int filled = static_cast<int>(static_cast<int64_t>(kBarWidth) * m_nPos / m_nRange);
    m_strBar = L"[" + CString(filled, L'#') + CString(kBarWidth - filled, L' ') + L"] " +
               Format(L"%d/%d", m_nPos, m_nRange);
    Write(ConsoleStream::kError, L"\r" + m_strBar);
  }
  void Erase() {
    if (m_strBar.empty()) return;
    Write(ConsoleStream::kError, L"\r" + CString(m_strBar.size(), L' ') + L"\r");
    m_strBar.clear();
  }
  void Write(ConsoleStream stream, const CString& text) {
    if (!WriteConsoleText(stream, text)) m_bWriteFailed = true;
  }
  void WriteWaiting() {
    if (m_strWaiting.empty()) return;
    Write(ConsoleStream::kOutput, m_strWaiting);
    m_strWaiting.clear();
  }

  const bool m_bTerminal;
  int32_t m_nRange = 0;
  int32_t m_nPos = 0;
  CString m_strBar;      // what is drawn now; empty when nothing is
  CString m_strWaiting;  // output lines that wait for the next redraw
  CRateLimit m_redraw{kRedrawIntervalMs};
  bool m_bWriteFailed = false;
};

// An error box on the console: one line "caption: text" on the error stream.
void ShowError(CConsoleScreen& screen, const CString& caption, const CString& text) {
  screen.Print(ConsoleStream::kError, caption + L": " + text + L"\n");
}

// The confirmation question: answered Yes by --yes, asked with a y/N prompt
// on a terminal, refused without one. Ctrl-C at the prompt answers No.
bool Confirm(CConsoleScreen& screen, bool yes, const CString& question) {
  if (yes) return true;
  if (!IsConsoleTerminal(ConsoleStream::kInput)) {
    screen.Print(ConsoleStream::kError,
                 L"velmora: no terminal to answer the question; nothing was moved (--yes answers it)\n");
    return false;
  }
  screen.Print(ConsoleStream::kError, L"Confirmation:\n" + question + L" [y/N] ");
  CString answer;
  const ConsoleRead read = ReadConsoleLine(answer);
  if (read != ConsoleRead::kLine) {
    screen.Print(ConsoleStream::kError, L"\n");
    return false;
  }
  MakeLower(TrimString(answer));
  return answer == L"y" || answer == L"yes";
}

// The three settings a run starts from, as stored, with what the command
// line gives in their place. The source is a full path: the walk and the
// trash folder need one, whoever typed it. A SOURCE given on the command
// line is taken as typed (a quoted blank at its end is part of the name);
// the stored one is trimmed, as the dialog trims its field.
struct CRunSettings {
  CString strSource;
  CString strExt;
  CString strFolderName;

  CRunSettings(const CConsoleCommand& command, const CProfile& profile)
      : strSource(profile.GetString(kSettingsSection, kPathRootEntry)),
        strExt(profile.GetString(kSettingsSection, kExtensionsEntry)),
        strFolderName(profile.GetString(kSettingsSection, kFolderNameEntry)) {
    strSource = FullPathFromArgument(command.bSourceGiven ? command.strSource : Trimmed(strSource));
    if (command.bListGiven) List(command.nKind) = command.strList;
  }
  CString& List(CleanupKind kind) { return kind == CleanupKind::kFiles ? strExt : strFolderName; }
  // Stored after a run, as the dialog stores its fields when it closes.
  void Save(CProfile& profile) const {
    profile.WriteString(kSettingsSection, kPathRootEntry, strSource);
    profile.WriteString(kSettingsSection, kExtensionsEntry, strExt);
    profile.WriteString(kSettingsSection, kFolderNameEntry, strFolderName);
  }
};

// The input checks of a run, with their errors on the error stream.
bool CheckInput(CConsoleScreen& screen, CleanupKind kind, const CString& source, const CString& list) {
  CInputError error;
  if (CheckSourceInput(source, RealSourceProbe(), error) && CheckListInput(kind, list, error)) return true;
  ShowError(screen, error.strCaption, error.strText);
  return false;
}

// The console side of a run: the checks and the question, then the run's
// lines on the output stream and its progress on the error stream.
class CConsoleRunView : public CCleanupView {
 public:
  CConsoleRunView(CConsoleScreen& screen, const CRunSettings& settings, bool yes)
      : m_screen(screen), m_settings(settings), m_bYes(yes) {}

  bool PrepareRun(CleanupKind kind, CString& source, CString& list) override {
    source = m_settings.strSource;
    list = kind == CleanupKind::kFiles ? m_settings.strExt : m_settings.strFolderName;
    return CheckInput(m_screen, kind, source, list) &&
           Confirm(m_screen, m_bYes, FormatQuestion(kind, list, source, GetTrashFolder()));
  }
  void AddLine(const CString& line) override { m_screen.Print(ConsoleStream::kOutput, line + L"\n"); }
  void ErrorBox(const CString& text) override { ShowError(m_screen, L"Error", text); }
  void SetProgressRange(int32_t count) override { m_screen.StartProgress(count); }
  void OnStatus(const CString& line) override {
    m_screen.Step();
    AddLine(line);
  }
  void OnEnd() override { m_screen.EndProgress(); }

 private:
  CConsoleScreen& m_screen;
  const CRunSettings& m_settings;
  const bool m_bYes;
};

// Ctrl-C from here on is recorded, and the walk ends at its next entry,
// in either pass; before, it ends the program, which has changed nothing.
void StopOnInterrupt() { InstallInterruptHandler(); }

// The cancel text on the output stream (and, for a run, in its error box):
// a dry run or run that Ctrl-C ended, or one that ended before the walk
// could see it, since Ctrl-C is never reported as success.
int ReportCancel(CConsoleScreen& screen, bool errorBox) {
  screen.Print(ConsoleStream::kOutput, CString(kCancelText) + L"\n");
  if (errorBox) ShowError(screen, L"Error", kCancelText);
  return kExitCancelled;
}

// A run that went well but could not write all of its output fails.
int WithOutputChecked(const CConsoleScreen& screen, int exitCode) {
  return screen.WriteFailed() && exitCode == kExitMoved ? kExitErrors : exitCode;
}

// False, after saying why, when the log takes no records: a move that is
// not logged cannot be traced or restored, so nothing may move.
bool CheckLog(CConsoleScreen& screen) {
  CLogFile log;
  if (log.IsReady()) return true;
  screen.Print(ConsoleStream::kError,
               L"velmora: the log file '" + log.GetFilePathName() +
                   L"' cannot be opened (another running instance may hold it, or it cannot be written); "
                   L"nothing was moved\n");
  return false;
}

// A run once the log is open: the trash folder, then the run protocol.
int RunWithLog(const CConsoleCommand& command, const CRunSettings& settings, CConsoleScreen& screen) {
  // The trash folder is derived once, as the dialog does at start-up; a
  // missing source, or one without a drive, is reported once, by the run's
  // own check.
  CString error;
  const CString& source = settings.strSource;
  if (HasSourceDrive(source) && IsExistingFolder(source) && !TryMakeTrashFolder(source, error)) {
    // Asking the question would only lead to a run that cannot make its
    // batch folder.
    ShowError(screen, L"Error", error);
    return kExitErrors;
  }
  StopOnInterrupt();
  CConsoleRunView view(screen, settings, command.bYes);
  const CCleanupOutcome outcome = RunCleanup(command.nKind, view);
  if (outcome.nEnd == CCleanupOutcome::kCompleted && IsInterruptRecorded()) return ReportCancel(screen, true);
  return ExitCodeOf(outcome);
}

// The main part of the application shell: one Remove run.
int RunRemoveCommand(const CConsoleCommand& command, CVelmoraApp& app) {
  CProfile profile = app.GetProfile();
  const CRunSettings settings(command, profile);
  CConsoleScreen screen;
  const int exitCode = CheckLog(screen) ? RunWithLog(command, settings, screen) : kExitErrors;
  settings.Save(profile);
  return WithOutputChecked(screen, exitCode);
}

// Lists what a run would move, with the sizes; changes nothing.
int RunDryCommand(const CConsoleCommand& command) {
  CRunSettings settings(command, CProfile(kCompanyKey, kApplicationName));
  CConsoleScreen screen;
  if (!CheckInput(screen, command.nKind, settings.strSource, settings.List(command.nKind))) return kExitRefused;
  // The walk passes over the trash folder a run would use, without making it.
  g_strTrash = TrashFolderOf(settings.strSource);
  StopOnInterrupt();
  const auto print = [&screen](const CDryRunItem& item) { screen.Print(ConsoleStream::kOutput, item.strPath + L"\n"); };
  const CDryRunOutcome outcome = DryRunCleanup(command.nKind, settings.strSource, settings.List(command.nKind), print);
  if (outcome.bCancelled || IsInterruptRecorded()) return ReportCancel(screen, false);
  screen.Print(ConsoleStream::kOutput, Format(L"== Dry run: %d items, %u bytes\n", outcome.nItems, outcome.nTotalSize));
  return WithOutputChecked(screen, kExitMoved);
}

// No " ERROR " line is not enough: an item gone between the two passes, or
// one the work pass could not list, is missing from the moves alone.
bool AllMoved(const CCleanupOutcome& outcome) { return outcome.nErrors == 0 && outcome.nMoved >= outcome.nCounted; }

}  // namespace

int ExitCodeOf(const CCleanupOutcome& outcome) {
  switch (outcome.nEnd) {
    case CCleanupOutcome::kNotStarted: return kExitRefused;
    case CCleanupOutcome::kCompleted: return AllMoved(outcome) ? kExitMoved : kExitErrors;
    case CCleanupOutcome::kCancelled: return kExitCancelled;
    case CCleanupOutcome::kFailed: break;
  }
  return kExitErrors;
}

int RunConsoleCommand(const CConsoleCommand& command) {
  if (command.bDryRun) return RunDryCommand(command);
  theApp.m_fnMain = [&command](CVelmoraApp& app) { return RunRemoveCommand(command, app); };
  return theApp.Run();
}
