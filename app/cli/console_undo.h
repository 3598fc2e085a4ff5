// The undo side of the command line: restore a batch folder, list the batch
// folders of a trash folder, purge old ones. Restore and purge run inside
// the application shell, with the log, question, progress bar, Ctrl-C and
// exit codes of the runs; list and the dry runs change nothing and write no
// log.
#pragma once

#include "platform/cstring.h"

struct CUndoCommand {
  enum Kind { kRestore, kList, kPurge };
  Kind nKind = kRestore;
  bool bSourceGiven = false;  // false: the stored "Path Root"
  CString strSource;          // as typed
  CString strBatch;           // restore: a batch folder's path or name
  bool bLast = false;         // restore: the newest batch folder with items
  int nDays = 0;              // purge: older than this many days
  bool bYes = false;
  bool bDryRun = false;
};

// Runs the command and returns the exit code (ConsoleExitCode). A restore
// ends with 0 only when every recorded item went back and nothing was left
// in the batch folder; a purge only when every chosen batch folder went.
int RunUndoCommand(const CUndoCommand& command);
