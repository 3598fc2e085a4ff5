#include "app/engine/trash_folder.h"

#include "app/engine/run_types.h"
#include "platform/clock.h"
#include "platform/folder_handle.h"
#include "platform/process.h"
#include "platform/volume.h"
#include "text/format.h"

CString g_strTrash = GetDefaultDrive() + PlatformPathSeparator() + L"Trush";
CString g_strBatch;

namespace {

// The batch folder of the most recent run, held open for its moves.
CFolderHandle g_batchFolder;

const int kMaxLevels = 4096;

}  // namespace

void CreateFolder(const CString& path, CDiskInterface& disk) {
  CFolderHandle folder;
  if (!disk.OpenPrivateFolder(nullptr, path, true, folder)) throw new CActException(L"Cannot create folder " + path);
}

void MakeTrashFolder(const CString& source, CDiskInterface& disk) {
  g_strTrash = TrashFolderOf(source);
  CreateFolder(g_strTrash, disk);
}

CString GetTrashFolder() { return g_strTrash; }

bool TryMakeTrashFolder(const CString& source, CString& error, CDiskInterface& disk) {
  try {
    MakeTrashFolder(source, disk);
    return true;
  } catch (CActException* e) {
    error = e->m_strError;
    delete e;
    return false;
  }
}

CString TrashFolderOf(const CString& source) {
  return GetSourceDrive(source) + PlatformPathSeparator() + L"Trush";
}

void MakeBatchFolder(CDiskInterface& disk) {
  CLocalTime now;
  if (!GetLocalTimeNow(now)) now = CLocalTime();
  const CString name = Format(L"%04d_%02d_%02d_%02d_%02d_%02d", now.nYear, now.nMonth, now.nDay, now.nHour,
                              now.nMinute, now.nSecond);
  g_strBatch = g_strTrash + PlatformPathSeparator() + name;
  CFolderHandle trash;
  if (!disk.OpenPrivateFolder(nullptr, g_strTrash, false, trash) ||
      !disk.OpenPrivateFolder(&trash, name, true, g_batchFolder))
    throw new CActException(L"Cannot create folder " + g_strBatch);
}

CString GetBatchFolder() { return g_strBatch; }

const CFolderHandle& GetBatchFolderHandle() { return g_batchFolder; }

void CloseBatchFolder() { g_batchFolder.Close(); }

bool IsInsideFolder(const CString& path, const CString& folder, CDiskInterface& disk) {
  // "/." follows a final link; each "/.." then climbs the real tree, not the
  // text, so no spelling of the path escapes the comparison.
  const CString sep(1, PlatformPathSeparator());
  CFileIdentity target, here, previous;
  if (!disk.GetIdentity(folder + sep + L".", target)) return false;
  CString p = path + sep + L".";
  for (int level = 0; level < kMaxLevels && disk.GetIdentity(p, here); ++level) {
    if (here == target) return true;
    if (level > 0 && here == previous) return false;  // the root is its own parent
    previous = here;
    p += sep + L"..";
  }
  return false;
}

bool IsInsideTrashFolder(const CString& source, CDiskInterface& disk) {
  return IsInsideFolder(source, GetTrashFolder(), disk) || IsInsideFolder(source, TrashFolderOf(source), disk);
}
