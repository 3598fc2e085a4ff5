// The texts of the two kinds of cleanup run, shared by the dialog and the
// console program: the confirmation question, the announcement, the job
// name of the log records, the summary and the no-match message; and the
// extension presets.
#pragma once

#include "platform/cstring.h"

enum class RunKind { kFiles, kFolders };

// The extension lists of the preset menu.
extern const wchar_t kPresetCpp[];    // "obj pdb sbr ilk pch idb ncb exe"
extern const wchar_t kPresetMplab[];  // "o"

// Asks whether to move the items named by list from source into trash
// (the trash folder, not the batch folder the items go to).
CString FormatRunQuestion(RunKind kind, const CString& list, const CString& source, const CString& trash);
// The first line of a run in the log pane.
CString FormatRunAnnouncement(RunKind kind, const CString& list, const CString& source, const CString& trash);
// "Move Files" or "Move Dirs": the text of the job's start and end records.
CString GetRunJobName(RunKind kind);
// The summary of a run that found something: "== Done: <moved> of <counted> ".
CString FormatRunSummary(int moved, int counted);
// The summary of a run that found nothing.
CString GetRunNoMatchText(RunKind kind);
// The line that ends a run that was not cut short.
extern const wchar_t kRunFinished[];  // "== Finished"
