// The command-line front end: one Remove run, or a dry run, from a terminal.
// It runs the engine's run protocol with the input checks, the trash-folder
// rule, the question, the settings and the log that Velmora.exe uses; error
// boxes become lines "caption: text" on the error stream, the question a y/N
// prompt, the log pane the output stream, and the progress bar a bar on the
// error stream.
#pragma once

#include "app/cli/console_screen.h"
#include "app/engine/cleanup_run.h"
#include "platform/cstring.h"

// What the command line asked for.
struct CConsoleCommand {
  CleanupKind nKind = CleanupKind::kFiles;
  bool bSourceGiven = false;  // false: the stored "Path Root"
  CString strSource;          // as typed (relative to the current directory)
  bool bListGiven = false;    // false: the stored "Extensions" / "Folder Name"
  CString strList;            // the extension or folder name list, as typed
  bool bYes = false;          // the question is answered Yes in advance
  bool bDryRun = false;       // list what would move; change nothing
  int nOlderThan = kAnyAge;   // --older-than DAYS: only what is that old
};

// Runs a Remove command inside the application shell (start and exit
// records around it in the dialog's log file), stores the source and the
// list afterwards as the dialog does when it closes, and returns the exit
// code. Nothing moves when the log cannot be opened. A dry run stays outside
// the shell: it opens no log, makes no folder and stores nothing. An output
// that cannot be written (a closed pipe) never stops a run midway; it makes
// a run that went well end with kExitErrors.
int RunConsoleCommand(const CConsoleCommand& command);

// The exit code of a run or an undo job that ended with end; allDone when it
// did all it set out to do. Ctrl-C is never success: one that came while a
// run completed ends it as cancelled (ReportCancel, with the error box).
int ExitCodeOf(CConsoleScreen& screen, CCleanupOutcome::End end, bool allDone);
