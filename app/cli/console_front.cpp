#include "app/cli/console_front.h"

#include "app/cli/console_screen.h"
#include "app/engine/dry_run.h"
#include "app/engine/run_input.h"
#include "app/engine/shown_path.h"
#include "app/engine/trash_folder.h"
#include "app/settings.h"
#include "app/velmora_app.h"
#include "platform/sys/console.h"
#include "platform/sys/profile.h"
#include "platform/fs/volume.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

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
class CConsoleRunView : public CConsoleView<CCleanupView> {
 public:
  CConsoleRunView(CConsoleScreen& screen, const CRunSettings& settings, bool yes, int olderThan)
      : CConsoleView(screen), m_settings(settings), m_bYes(yes), m_nOlderThan(olderThan) {}

  bool PrepareRun(CleanupKind kind, CString& source, CString& list) override {
    source = m_settings.strSource;
    list = kind == CleanupKind::kFiles ? m_settings.strExt : m_settings.strFolderName;
    return CheckInput(m_screen, kind, source, list) &&
           Confirm(m_screen, m_bYes, FormatQuestion(kind, list, source, GetTrashFolder(), m_nOlderThan));
  }

  int GetOlderThanDays() override { return m_nOlderThan; }

 private:
  const CRunSettings& m_settings;
  const bool m_bYes;
  const int m_nOlderThan;
};

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
  CConsoleRunView view(screen, settings, command.bYes, command.nOlderThan);
  const CCleanupOutcome outcome = RunCleanup(command.nKind, view);
  return ExitCodeOf(screen, outcome.nEnd, IsEveryMatchMoved(outcome));
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
  theApp.LeaveOwnFilesOutOfWalks();
  StopOnInterrupt();
  const auto print = [&screen](const CDryRunItem& item) {
    screen.Print(ConsoleStream::kOutput, ShownPath(item.strPath) + L"\n");
  };
  const CString& source = settings.strSource;
  const CDryRunOutcome outcome = DryRunCleanup(command.nKind, source, TrashFolderOf(source), settings.List(command.nKind),
                                               print, RealDisk(), CAgeRule(command.nOlderThan));
  if (outcome.bCancelled || IsInterruptRecorded()) return ReportCancel(screen, false);
  // A folder it could not list may hold matches it cannot show.
  for (const CString& line : outcome.arrUnopened) screen.Print(ConsoleStream::kOutput, line + L"\n");
  screen.Print(ConsoleStream::kOutput, Format(L"== Dry run: %d items, %u bytes\n", outcome.nItems, outcome.nTotalSize));
  return WithOutputChecked(screen, outcome.arrUnopened.empty() ? kExitMoved : kExitErrors);
}

}  // namespace

int ExitCodeOf(CConsoleScreen& screen, CCleanupOutcome::End end, bool allDone) {
  switch (end) {
    case CCleanupOutcome::kNotStarted: return kExitRefused;
    case CCleanupOutcome::kCompleted:
      if (IsInterruptRecorded()) return ReportCancel(screen, true);
      return allDone ? kExitMoved : kExitErrors;
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
