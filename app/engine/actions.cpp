#include "app/engine/actions.h"

#include "app/engine/flat_name.h"
#include "app/engine/item_record.h"
#include "app/engine/shown_path.h"
#include "app/engine/trash_folder.h"
#include "platform/fs/file_find.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "text/tokens.h"
#include "platform/ui/message_loop.h"

namespace {

// The attributes SetFileAttributes can give an item.
const uint32_t kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Those of the entry, as it was listed.
uint32_t SettableAttributesOf(const CFileFind& entry) {
  uint32_t attributes = 0;
  for (uint32_t bit = 1; bit <= kSettableAttributes; bit <<= 1)
    if ((kSettableAttributes & bit) != 0 && entry.MatchesMask(bit)) attributes |= bit;
  return attributes;
}

// A link that stays (IsUnmovableLink): counted and reported as a failed move.
bool RefuseLink(CAction& action, const CString& source, const CString& destination) {
  ++action.m_nFailed;
  action.Report(FormatLinkNotMoved(source, destination));
  PumpQueuedMessagesIfDue();
  return false;
}

}  // namespace

CAction::CAction(CProgressStatus* status, CDiskInterface& disk) : m_pStatus(status), m_disk(disk) {}

CAction::~CAction() = default;

CString FormatMoveLine(const CString& source, const CString& destination, bool failed) {
  return CString(failed ? L" ERROR " : L" OK ") + L" From " + ShownPath(source) + L" ==> " + ShownPath(destination);
}

void CAction::LogMove(const CString& source, const CString& destination, bool failed) {
  Report(FormatMoveLine(source, destination, failed));
}

void CAction::Report(const CString& line) {
  // The record first: a line the log did not take is not shown as done.
  WriteItemRecord(line);
  if (m_pStatus != nullptr) m_pStatus->OnStatus(line);
}

CFileAction::CFileAction(const CString& list, CProgressStatus* status, CDiskInterface& disk)
    : CAction(status, disk), m_strList(list) {
  CString rest = list;
  while (!rest.empty()) {
    const CString token = GetToken(rest, L" ");
    if (!token.empty()) m_arrList.push_back(token);
  }
}

bool CFileAction::OnFound(CFileFind&) { return false; }

void CFileAction::OnCannotOpen(const CString& line) {
  m_arrUnopened.push_back(line);
  if (m_pStatus != nullptr) Report(line);
}

namespace {

// Whether the text after name's last dot is ext, in any case. The name is
// taken once per entry, not once per token: the walk asks this of every
// file of the tree.
bool HasExtension(const CString& name, const CString& ext) {
  const size_t dot = name.rfind(L'.');
  return dot != CString::npos && name.size() - dot - 1 == ext.size() && CompareNoCase(name.substr(dot + 1), ext) == 0;
}

}  // namespace

bool IsExtension(CFileFind& entry, const CString& ext) { return HasExtension(entry.GetFileName(), ext); }

const CString* FindExtensionMatch(CFileFind& entry, const CStringArray& tokens) {
  if (entry.IsDirectory()) return nullptr;
  const CString name = entry.GetFileName();
  for (const CString& token : tokens)
    if (HasExtension(name, token)) return &token;
  return nullptr;
}

const CString* FindFolderNameMatch(CFileFind& entry, const CStringArray& tokens) {
  if (!entry.IsDirectory()) return nullptr;
  const CString name = entry.GetFileName();
  for (const CString& token : tokens)
    if (CompareNoCase(name, token) == 0) return &token;
  return nullptr;
}

bool CExtCount::OnFound(CFileFind& entry) {
  // A file no token names counts nothing below.
  if (entry.IsDirectory() || !m_age.IsOldEntry(entry)) return false;
  const CString name = entry.GetFileName();
  for (const CString& token : m_arrList)
    if (HasExtension(name, token)) ++m_nCount;
  return false;
}

bool CDeleteFile::OnFound(CFileFind& entry) {
  if (FindExtensionMatch(entry, m_arrList) == nullptr || !m_age.IsOldEntry(entry)) return false;
  MoveToBatch(*this, entry, false);
  return true;
}

bool CDirsCount::OnFound(CFileFind& entry) {
  if (!entry.IsDirectory()) return false;
  const CString name = entry.GetFileName();
  int32_t tokens = 0;
  for (const CString& token : m_arrList)
    if (CompareNoCase(name, token) == 0) ++tokens;
  if (!m_age.IsActive()) {
    m_nCount += tokens;
    return false;
  }
  // A link named like a token is no folder to read: its own time counts.
  if (tokens == 0) return false;
  if (entry.IsReparsePoint()) {
    if (m_age.IsOldEntry(entry)) m_nCount += tokens;
    return false;
  }
  const CFolderScan scan = ScanFolder(entry, m_disk, m_age, &m_arrList);
  if (!scan.bOld) return false;
  m_nCount += tokens + scan.nNamed;
  return true;
}

bool CDeleteFolder::OnFound(CFileFind& entry) {
  if (FindFolderNameMatch(entry, m_arrList) == nullptr) return false;
  if (!IsOldItem(entry, m_disk, m_age)) return false;
  MoveToBatch(*this, entry, true);
  return true;
}

namespace {

// The item of entry, moved to the batch folder as name, goes back, and the
// run stops: a move the log does not hold could not be undone. e is deleted.
[[noreturn]] void MoveBackAndStop(CAction& action, const CFileFind& entry, const CString& name,
                                  CFileException* e) {
  CString text = FormatLogWriteFailure(*e);
  e->Delete();
  const CString source = ShownPath(entry.GetFilePath());
  if (action.m_disk.ReturnEntry(entry, GetBatchFolderHandle(), name)) {
    --action.m_nCount;
    text += L"; the item is back in its place: " + source;
  } else {
    text += L"; the item stays in the batch folder as " + ShownPath(name) + L", moved from " + source;
  }
  throw new CActException(text);
}

}  // namespace

bool MoveToBatch(CAction& action, const CFileFind& entry, bool isFolder) {
  const CString source = entry.GetFilePath();
  const CString name = action.m_names.Of(source, isFolder);
  const CString destination = GetBatchFolder() + PlatformPathSeparator() + name;
  if (IsUnmovableLink(entry)) return RefuseLink(action, source, destination);
  // Only what its record names exactly is moved.
  bool moved = false;
  if (!HoldsControlCharacter(source)) {
    // The one status read of an item (POSIX statx, never through a link):
    // an item that stays gets its attributes back, and the change below is
    // made from it, without a call when the item is writable already.
    const uint32_t found = SettableAttributesOf(entry);
    action.m_disk.SetEntryAttributes(entry, FILE_ATTRIBUTE_ARCHIVE);
    // Relative to the listed folder and to the batch folder's handle, opened
    // once per run without following links: a folder swapped for a link
    // meanwhile leads nowhere outside the tree.
    moved = action.m_disk.MoveEntry(entry, GetBatchFolderHandle(), name);
    // An item that stays where it is stays as it was.
    if (!moved && found != FILE_ATTRIBUTE_ARCHIVE)
      action.m_disk.SetEntryAttributes(entry, found != 0 ? found : FILE_ATTRIBUTE_NORMAL);
  }
  ++(moved ? action.m_nCount : action.m_nFailed);
  try {
    action.LogMove(source, destination, !moved);
  } catch (CFileException* e) {
    if (moved) MoveBackAndStop(action, entry, name, e);
    const CString text = FormatLogWriteFailure(*e);
    e->Delete();
    throw new CActException(text);
  }
  PumpQueuedMessagesIfDue();
  return moved;
}

bool IsUnmovableLink(const CFileFind& entry) {
  return entry.IsReparsePoint() && !PlatformDeletesLinksAsThemselves();
}

CString FormatLinkNotMoved(const CString& source, const CString& destination) {
  return FormatMoveLine(source, destination, true) + L": it is a link";
}
