#include "app/run_texts.h"

#include "platform/format.h"

const wchar_t kPresetCpp[] = L"obj pdb sbr ilk pch idb ncb exe";
const wchar_t kPresetMplab[] = L"o";
const wchar_t kRunFinished[] = L"== Finished";

CString FormatRunQuestion(RunKind kind, const CString& list, const CString& source, const CString& trash) {
  return Format(kind == RunKind::kFiles
                    ? L"Are you sure you want to move files with extension '%s'\nFrom:\n'%s'\nTo:\n'%s'"
                    : L"Are you sure you want to move folders with name '%s'\nFrom:\n'%s'\nTo:\n'%s'",
                list, source, trash);
}

CString FormatRunAnnouncement(RunKind kind, const CString& list, const CString& source, const CString& trash) {
  return Format(kind == RunKind::kFiles ? L"== Move Files with extension '%s' from '%s' To '%s'"
                                        : L"== Move Dirs with name '%s' from '%s' To '%s'",
                list, source, trash);
}

CString GetRunJobName(RunKind kind) { return kind == RunKind::kFiles ? L"Move Files" : L"Move Dirs"; }

CString FormatRunSummary(int moved, int counted) { return Format(L"== Done: %d of %d ", moved, counted); }

CString GetRunNoMatchText(RunKind kind) { return kind == RunKind::kFiles ? L"No files found" : L"No dirs found"; }
