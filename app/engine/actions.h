// The per-entry work of a cleanup run. The walk offers every entry of the
// source tree to one action; the counting actions count matches, the moving
// actions move each match into the batch folder and report one line per
// move to their status listener and to the log file.
#pragma once

#include "app/engine/age_rule.h"
#include "app/engine/flat_name.h"
#include "app/engine/run_types.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

class CFileFind;

// Base of all actions: the counts, the report chain and the disk the action
// works on.
class CAction {
 public:
  // REQUIRES: disk outlives the action.
  explicit CAction(CProgressStatus* status, CDiskInterface& disk = RealDisk());
  virtual ~CAction();
  CAction(const CAction&) = delete;
  CAction& operator=(const CAction&) = delete;

  // Passes the line of one move (FormatMoveLine) to Report.
  virtual void LogMove(const CString& source, const CString& destination, bool failed);
  // Sends the line to the status listener (when there is one), then writes
  // it to the log file as an item record.
  virtual void Report(const CString& line);

  int32_t m_nCount = 0;         // matches counted, or items moved successfully
  int32_t m_nFailed = 0;        // items whose move failed (" ERROR " lines)
  CProgressStatus* m_pStatus;  // may be null; not owned
  CDiskInterface& m_disk;       // where the walk lists and the moves happen
  CFlatNames m_names;           // the names moved items get in the batch folder
};

// An action over a blank-separated list of extensions or folder names.
class CFileAction : public CAction {
 public:
  // Keeps list as given and splits it at single blanks into its non-empty
  // tokens (tabs and other characters belong to the tokens).
  CFileAction(const CString& list, CProgressStatus* status, CDiskInterface& disk = RealDisk());
  // Receives the enumerator positioned on an entry. Returns true when the
  // entry was consumed (a folder is then not entered). Default: false.
  virtual bool OnFound(CFileFind& entry);
  // Receives the line of a folder the walk could not list (FormatCannotOpen):
  // keeps it in m_arrUnopened and, when the action has a status listener
  // (a moving action), reports it like a move line.
  virtual void OnCannotOpen(const CString& line);

  CString m_strList;
  CStringArray m_arrList;
  CStringArray m_arrUnopened;  // the lines of folders the walk could not list
  // --older-than: what is not old enough is no match (default: no rule).
  // The counting and the moving action of a run get the same rule.
  CAgeRule m_age;
};

// Counts each file once for every token that is its extension (and that is
// old enough, m_age); never consumes.
class CExtCount : public CFileAction {
 public:
  using CFileAction::CFileAction;
  bool OnFound(CFileFind& entry) override;
};

// Moves a file whose extension is one of the tokens (the first match wins)
// and that is old enough (m_age); consumes every match, whether or not its
// move succeeded.
class CDeleteFile : public CFileAction {
 public:
  using CFileAction::CFileAction;
  bool OnFound(CFileFind& entry) override;
};

// Counts each folder once for every token equal to its name (any case).
// Without an age rule it never consumes, so the walk counts the matches
// inside a match too. With one, a match is counted only when it is old
// enough (IsOldFolder); its tree is then read once (ScanFolder), the matches
// inside it are counted from that reading (all of them are old enough too),
// and it is consumed. One that is not old enough is entered by the walk.
class CDirsCount : public CFileAction {
 public:
  using CFileAction::CFileAction;
  bool OnFound(CFileFind& entry) override;
};

// Moves a folder whose name equals one of the tokens (any case) and that is
// old enough (m_age, IsOldFolder), with all it holds; consumes every match.
class CDeleteFolder : public CFileAction {
 public:
  using CFileAction::CFileAction;
  bool OnFound(CFileFind& entry) override;
};

// The line of one move: " OK " or " ERROR ", then " From ", source, " ==> "
// and destination.
CString FormatMoveLine(const CString& source, const CString& destination, bool failed);

// Does the entry's name end in "." followed by ext (compared whole, any
// case)? A name without a dot has no extension; a name ending in a dot has an
// empty one that no token matches.
bool IsExtension(CFileFind& entry, const CString& ext);

// The matching rules of the moving actions by name, for other walks that
// must agree with them (the dry run): the first token that matches, or null.
// The age rule (m_age) comes on top.
const CString* FindExtensionMatch(CFileFind& entry, const CStringArray& tokens);
const CString* FindFolderNameMatch(CFileFind& entry, const CStringArray& tokens);

// Moves the entry's item into the batch folder (GetBatchFolderHandle) under
// its flattened name (action.m_names) and reports it, on action.m_disk, relative to the
// folder that lists it: the item's attributes become archive alone (the
// result is ignored), and go back to those it was listed with when the move
// fails; the move never replaces an existing item and never copies across
// volumes; action.m_nCount (moved) or action.m_nFailed grows by one; then
// action.LogMove and PumpMessage. Returns whether the item moved. Where
// moving a link would move what it points to (IsUnmovableLink), the item
// stays and the line says it is a link. A source holding a control
// character is not moved (an " ERROR " line). When the record of a move
// cannot be written, the item is moved back and the run stops: throws
// CActException* saying why and where the item is.
bool MoveToBatch(CAction& action, const CFileFind& entry, bool isFolder);

// True for a link, junction or other reparse point where the platform would
// move or delete what it points to instead of the link (Wine:
// PlatformDeletesLinksAsThemselves is false).
bool IsUnmovableLink(const CFileFind& entry);
// The " ERROR " line of such a link: the move line and ": it is a link".
CString FormatLinkNotMoved(const CString& source, const CString& destination);
