#include "app/cli/console_undo.h"

#include <functional>

#include "app/cli/console_front.h"
#include "app/cli/console_screen.h"
#include "app/engine/actions.h"
#include "app/engine/batch_purge.h"
#include "app/engine/batch_restore.h"
#include "app/engine/log_records.h"
#include "app/engine/shown_path.h"
#include "app/engine/run_input.h"
#include "app/engine/trash_folder.h"
#include "app/engine/trash_listing.h"
#include "app/settings.h"
#include "app/velmora_app.h"
#include "platform/sys/process.h"
#include "platform/sys/profile.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

const wchar_t kNothingMoved[] = L"nothing was moved";
const wchar_t kNothingDeleted[] = L"nothing was deleted";

// A job's lines on the output stream and its progress on the error stream.
class CConsoleJobView : public CConsoleView<CBatchJobView> {
 public:
  CConsoleJobView(CConsoleScreen& screen, bool yes, const CString& nothingDone)
      : CConsoleView(screen), m_bYes(yes), m_strNothingDone(nothingDone) {}

  bool Confirm(const CString& question) override { return ::Confirm(m_screen, m_bYes, question, m_strNothingDone); }

 private:
  const bool m_bYes;
  const CString m_strNothingDone;
};

using CJob = std::function<CBatchJobOutcome(CBatchJobView&)>;

// Runs a job inside the application shell (start and exit records), once
// its log is open. Ctrl-C is never success.
int RunJobInShell(const CUndoCommand& command, CConsoleScreen& screen, const CString& nothingDone, const CJob& job) {
  theApp.m_fnMain = [&](CVelmoraApp&) -> int {
    if (!CheckLog(screen, nothingDone)) return kExitErrors;
    StopOnInterrupt();
    CConsoleJobView view(screen, command.bYes, nothingDone);
    const CBatchJobOutcome outcome = job(view);
    return ExitCodeOf(screen, outcome.nEnd,
                      outcome.nErrors == 0 && outcome.nDone >= outcome.nItems && outcome.nLeft == 0);
  };
  return WithOutputChecked(screen, theApp.Run());
}

// The source a command works from: as typed, or the stored "Path Root"
// (trimmed, as the dialog trims it); a full path, or empty.
CString SourceOf(const CUndoCommand& command) {
  const CProfile profile(kCompanyKey, kApplicationName);
  const CString stored = profile.GetString(kSettingsSection, kPathRootEntry);
  return FullPathFromArgument(command.bSourceGiven ? command.strSource : Trimmed(stored));
}

// The trash folder of the command's source, or false after saying why the
// source can have none (there is none, or it has no drive). The source need
// not exist any more: a restore makes its folders again.
bool TrashOf(CConsoleScreen& screen, const CUndoCommand& command, CString& trash) {
  const CString source = SourceOf(command);
  const CSourceProbe anyFolder{[](const CString&) { return true; }, [](const CString&) { return false; }};
  CInputError error;
  if (!CheckSourceInput(source, anyFolder, error)) {
    ShowError(screen, error.strCaption, error.strText);
    return false;
  }
  trash = TrashFolderOf(source);
  return true;
}

bool IsPath(const CString& text) { return text.find_first_of(CString(1, PlatformPathSeparator()) + L"/") != CString::npos; }

// The batch folder of a restore: BATCH as a path, BATCH as a name in the
// trash folder of the source, or the newest one there with items (--last).
// False after saying why there is none.
bool BatchOf(CConsoleScreen& screen, const CUndoCommand& command, CString& batch) {
  CString trash;
  if (IsPath(command.strBatch)) {
    batch = FullPathFromArgument(command.strBatch);
  } else if (!TrashOf(screen, command, trash)) {
    return false;
  } else if (command.bLast) {
    CBatchFolder last;
    if (!FindLastBatch(trash, last)) {
      ShowError(screen, L"Wrong batch", L"The trash folder '" + trash + L"' holds no batch folder with items");
      return false;
    }
    batch = last.strPath;
  } else {
    batch = trash + PlatformPathSeparator() + command.strBatch;
  }
  CLocalTime time;
  const CString name = batch.substr(batch.find_last_of(PlatformPathSeparator()) + 1);
  if (!ParseBatchFolderName(name, time)) {
    ShowError(screen, L"Wrong batch", L"'" + name + L"' is not the name of a batch folder (such as 2026_12_05_02_34_50)");
    return false;
  }
  if (!IsExistingFolder(batch)) {
    ShowError(screen, L"Wrong batch", L"The batch folder '" + batch + L"' does not exist");
    return false;
  }
  return true;
}

// What a restore would do, as its lines would say it; changes nothing.
int PrintRestorePlan(CConsoleScreen& screen, const CRestorePlan& plan) {
  const auto print = [&screen](const CString& line) { screen.Print(ConsoleStream::kOutput, line + L"\n"); };
  if (!CanOpenBatchFolder(plan.strBatch)) {
    // As the restore itself would end.
    screen.Print(ConsoleStream::kError,
                 L"velmora: cannot open folder " + ShownPath(plan.strBatch) + L"; " + kNothingMoved + L"\n");
    return WithOutputChecked(screen, kExitErrors);
  }
  for (const CString& note : plan.notes) print(note);
  int32_t back = 0;
  for (size_t i = 0; i < plan.items.size(); ++i) {
    const CBatchItem item = plan.items[i];
    uint32_t attributes = 0;
    const bool goes = plan.inBatch[i] && !RealDisk().GetAttributes(item.strSource, attributes);
    back += goes;
    print(FormatMoveLine(plan.strBatch + PlatformPathSeparator() + item.strName, item.strSource, !goes));
  }
  for (const CString& name : plan.unrecorded) print(FormatLeftInPlace(plan.strBatch + PlatformPathSeparator() + name));
  print(Format(L"== Dry run: %d of %d items would go back, %d left in place", back,
               static_cast<int32_t>(plan.items.size()),
               static_cast<int32_t>(plan.unrecorded.size()) + plan.nRefused));
  const bool all = back == static_cast<int32_t>(plan.items.size()) && plan.unrecorded.empty() && plan.nRefused == 0;
  return WithOutputChecked(screen, all ? kExitMoved : kExitErrors);
}

int RunRestoreCommand(const CUndoCommand& command) {
  CConsoleScreen screen;
  CString batch, error;
  if (!BatchOf(screen, command, batch)) return kExitRefused;
  const CString source = SourceOf(command);
  // Read before the shell opens the log for itself (on Windows nobody else
  // may open it then).
  CRestorePlan plan;
  if (!PlanRestore(batch, source, theApp.GetLogPath(), plan, error)) {
    screen.Print(ConsoleStream::kError, L"velmora: " + ShownPath(error) + L"; " + kNothingMoved + L"\n");
    return kExitErrors;
  }
  if (command.bDryRun) return PrintRestorePlan(screen, plan);
  return RunJobInShell(command, screen, kNothingMoved,
                       [&](CBatchJobView& view) { return RunRestore(plan, source, view); });
}

CString FormatTime(const CLocalTime& t) {
  return Format(L"%04d-%02d-%02d %02d:%02d:%02d", t.nYear, t.nMonth, t.nDay, t.nHour, t.nMinute, t.nSecond);
}

int RunListCommand(const CUndoCommand& command) {
  CConsoleScreen screen;
  CString trash, logError;
  if (!TrashOf(screen, command, trash)) return kExitRefused;
  int32_t skipped = 0;
  const std::vector<CBatchSummary> batches =
      SummarizeBatchFolders(trash, SourceOf(command), theApp.GetLogPath(), logError, skipped);
  int32_t items = 0;
  uint64_t bytes = 0;
  screen.Print(ConsoleStream::kOutput, L"== Batch folders in '" + ShownPath(trash) + L"', newest first\n");
  for (const CBatchSummary& batch : batches) {
    screen.Print(ConsoleStream::kOutput, Format(L"%s  %s  %d items  %u bytes  %d restorable\n", batch.folder.strName,
                                                FormatTime(batch.folder.time), batch.nItems, batch.nSize,
                                                batch.nRestorable));
    items += batch.nItems;
    bytes += batch.nSize;
  }
  screen.Print(ConsoleStream::kOutput, Format(L"== %d batch folders, %d items, %u bytes\n",
                                              static_cast<int32_t>(batches.size()), items, bytes));
  if (skipped > 0) screen.Print(ConsoleStream::kOutput, FormatSkippedLines(skipped) + L"\n");
  if (logError.empty()) return WithOutputChecked(screen, kExitMoved);
  screen.Print(ConsoleStream::kError, L"velmora: " + ShownPath(logError) + L"; no item is counted as restorable\n");
  return kExitErrors;
}

int RunPurgeCommand(const CUndoCommand& command) {
  CConsoleScreen screen;
  CString trash;
  if (!TrashOf(screen, command, trash)) return kExitRefused;
  CLocalTime now;
  if (!GetLocalTimeNow(now)) {
    screen.Print(ConsoleStream::kError, CString(L"velmora: the local time cannot be read; ") + kNothingDeleted + L"\n");
    return kExitErrors;
  }
  const std::vector<CBatchFolder> batches = SelectOldBatches(trash, command.nDays, now);
  if (batches.empty()) {
    screen.Print(ConsoleStream::kOutput,
                 Format(L"== No batch folders older than %d days in '%s'\n", command.nDays, trash));
    return WithOutputChecked(screen, kExitMoved);
  }
  if (command.bDryRun) {
    uint64_t total = 0;
    for (const CBatchFolder& batch : batches) {
      const uint64_t size = ListFolderContents(batch.strPath, true).nSize;
      total += size;
      screen.Print(ConsoleStream::kOutput, Format(L"%s  %u bytes\n", batch.strPath, size));
    }
    screen.Print(ConsoleStream::kOutput, Format(L"== Dry run: %d batch folders, %u bytes\n",
                                                static_cast<int32_t>(batches.size()), total));
    return WithOutputChecked(screen, kExitMoved);
  }
  return RunJobInShell(command, screen, kNothingDeleted,
                       [&](CBatchJobView& view) { return RunPurge(trash, batches, command.nDays, view); });
}

}  // namespace

int RunUndoCommand(const CUndoCommand& command) {
  switch (command.nKind) {
    case CUndoCommand::kRestore: return RunRestoreCommand(command);
    case CUndoCommand::kList: return RunListCommand(command);
    case CUndoCommand::kPurge: return RunPurgeCommand(command);
  }
  return kExitRefused;
}
