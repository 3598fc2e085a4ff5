#include "app/cli/console_front.h"

#include <cstdint>

#include "app/engine/dry_run.h"
#include "app/engine/run_input.h"
#include "app/engine/trash_folder.h"
#include "app/settings.h"
#include "app/velmora_app.h"
#include "platform/console.h"
#include "platform/profile.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

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
// trash folder need one, whoever typed it.
struct CRunSettings {
  CString strSource;
  CString strExt;
  CString strFolderName;

  CRunSettings(const CConsoleCommand& command, const CProfile& profile)
      : strSource(profile.GetString(kSettingsSection, kPathRootEntry)),
        strExt(profile.GetString(kSettingsSection, kExtensionsEntry)),
        strFolderName(profile.GetString(kSettingsSection, kFolderNameEntry)) {
    if (command.bSourceGiven) strSource = command.strSource;
    strSource = FullPathFromArgument(Trimmed(strSource));
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

// Ctrl-C is the Stop button while the scope lives.
class CStopOnInterrupt {
 public:
  CStopOnInterrupt() {
    InstallInterruptHandler();
    SetInterruptCommand([] { g_bCancel = true; });
  }
  ~CStopOnInterrupt() { SetInterruptCommand(nullptr); }
  CStopOnInterrupt(const CStopOnInterrupt&) = delete;
  CStopOnInterrupt& operator=(const CStopOnInterrupt&) = delete;
};

// The main part of the application shell: one Remove run.
int RunRemoveCommand(const CConsoleCommand& command, CVelmoraApp& app) {
  CProfile profile = app.GetProfile();
  const CRunSettings settings(command, profile);
  CConsoleScreen screen;
  int exitCode = kExitErrors;
  // The trash folder is derived once, as the dialog does at start-up; a
  // missing source is reported once, by the run's own check.
  CString error;
  if (IsExistingFolder(settings.strSource) && !TryMakeTrashFolder(settings.strSource, error)) {
    // Asking the question would only lead to a run that cannot make its
    // batch folder.
    ShowError(screen, L"Error", error);
  } else {
    CStopOnInterrupt stop;
    CConsoleRunView view(screen, settings, command.bYes);
    exitCode = ExitCodeOf(RunCleanup(command.nKind, view));
  }
  settings.Save(profile);
  return exitCode;
}

// Lists what a run would move, with the sizes; changes nothing.
int RunDryCommand(const CConsoleCommand& command) {
  CRunSettings settings(command, CProfile(kCompanyKey, kApplicationName));
  CConsoleScreen screen;
  if (!CheckInput(screen, command.nKind, settings.strSource, settings.List(command.nKind))) return kExitRefused;
  // The walk passes over the trash folder a run would use, without making it.
  g_strTrash = TrashFolderOf(settings.strSource);
  CStopOnInterrupt stop;
  const auto print = [&screen](const CDryRunItem& item) { screen.Print(ConsoleStream::kOutput, item.strPath + L"\n"); };
  const CDryRunOutcome outcome = DryRunCleanup(command.nKind, settings.strSource, settings.List(command.nKind), print);
  if (outcome.bCancelled) {
    screen.Print(ConsoleStream::kOutput, CString(kCancelText) + L"\n");
    return kExitCancelled;
  }
  screen.Print(ConsoleStream::kOutput, Format(L"== Dry run: %d items, %u bytes\n", outcome.nItems, outcome.nTotalSize));
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
  theApp.m_fnMain = [&command](CVelmoraApp& app) { return RunRemoveCommand(command, app); };
  return theApp.Run();
}
