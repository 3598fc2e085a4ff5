#include "app/engine/walk.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/engine/actions.h"
#include "app/engine/shown_path.h"
#include "app/engine/trash_folder.h"
#include "platform/fs/disk_interface.h"
#include "platform/fs/file_find.h"
#include "platform/sys/process.h"
#include "platform/fs/volume.h"
#include "text/format.h"
#include "platform/ui/message_loop.h"

namespace {

const wchar_t kTrashName[] = L"Trush";

CStringArray g_walkExclusions;

// The text of path without the separators at its end ("/" stays "/").
CString WithoutTrailingSeparators(CString p) {
  while (p.size() > 1 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
  return p;
}

// An item the walk leaves out: its last name (a cheap first test) and its
// identity (the proof).
struct CSkipItem {
  CString strName;
  CFileIdentity identity;
  bool bValid = false;

  CSkipItem(const CString& path, CDiskInterface& disk) {
    const CString p = WithoutTrailingSeparators(path);
    const size_t slash = p.find_last_of(L"\\/");
    strName = slash == CString::npos ? p : p.substr(slash + 1);
    bValid = !p.empty() && disk.GetIdentity(p, identity);
  }

  // name: the entry's name, taken once for all the items.
  bool Matches(const CString& name, const CFileFind& entry, CDiskInterface& disk) const {
    if (!bValid || CompareNoCase(name, strName) != 0) return false;
    CFileIdentity id;
    return disk.GetEntryIdentity(entry, id) && id == identity;
  }
};

// What one walk leaves out.
class CWalkExclusions {
 public:
  CWalkExclusions(const CString& trash, CDiskInterface& disk) {
    m_items.emplace_back(trash, disk);
    m_items.emplace_back(GetBatchFolder(), disk);
    for (const CString& path : g_walkExclusions) m_items.emplace_back(path, disk);
  }

  bool Skips(const CFileFind& entry, CDiskInterface& disk) const {
    const CString name = entry.GetFileName();
    for (const CSkipItem& item : m_items)
      if (item.Matches(name, entry, disk)) return true;
    return IsAnyTrashFolder(name, entry);
  }

 private:
  // Some source's trash folder: "Trush" where a trash folder goes.
  static bool IsAnyTrashFolder(const CString& name, const CFileFind& entry) {
    return CompareNoCase(name, kTrashName) == 0 && entry.IsDirectory() && !entry.IsReparsePoint() &&
           IsTrashLocation(WithoutTrailingSeparators(entry.GetRoot()));
  }

  std::vector<CSkipItem> m_items;
};

// One level of the walk: a started listing and whether entries are left.
struct CLevel {
  CFileFind find;
  bool bMore = true;
};

// A listing that could not start: said, unless the folder went away.
void ReportUnopened(const CString& folder, CFileAction& action) {
  const long error = action.m_disk.LastError();
  if (!PlatformIsNotFoundError(error)) action.OnCannotOpen(FormatCannotOpen(folder, error));
}

}  // namespace

void WalkFolder(const CString& folder, CFileAction& action) { WalkFolder(folder, GetTrashFolder(), action); }

void WalkFolder(const CString& folder, const CString& trash, CFileAction& action) {
  CDiskInterface& disk = action.m_disk;
  const CWalkExclusions exclusions(trash, disk);
  // Every item found lies in this tree: its volume is read once, here.
  action.m_names.SetTree(folder);
  g_bCancel = false;
  std::vector<std::unique_ptr<CLevel>> levels;
  levels.push_back(std::make_unique<CLevel>());
  if (!disk.ListFolder(folder, levels.back()->find)) return ReportUnopened(folder, action);
  while (!levels.empty()) {
    CLevel& level = *levels.back();
    if (!level.bMore) {
      levels.pop_back();
      continue;
    }
    if (g_bCancel || IsInterruptRecorded()) throw new CActException(kCancelText);
    CFileFind& find = level.find;
    level.bMore = find.FindNextFile();
    if (find.IsDots() || exclusions.Skips(find, disk)) continue;
    const bool realFolder = find.IsDirectory() && !find.IsReparsePoint();
    if (action.OnFound(find) || !realFolder) continue;
    g_bCancel = false;
    auto sub = std::make_unique<CLevel>();
    if (disk.ListSubfolder(find, sub->find))
      levels.push_back(std::move(sub));
    else
      ReportUnopened(find.GetFilePath(), action);
  }
}

void ExcludeFromWalks(const CString& path) {
  if (std::find(g_walkExclusions.begin(), g_walkExclusions.end(), path) == g_walkExclusions.end())
    g_walkExclusions.push_back(path);
}

CStringArray GetWalkExclusions() { return g_walkExclusions; }

void SetWalkExclusions(const CStringArray& paths) { g_walkExclusions = paths; }

CString FormatCannotOpen(const CString& folder, long osError) {
  CString reason = PlatformErrorText(osError);
  if (reason.empty()) reason = Format(L"error %d", static_cast<int32_t>(osError));
  return L"== Cannot open folder '" + ShownPath(folder) + L"': " + reason;
}
