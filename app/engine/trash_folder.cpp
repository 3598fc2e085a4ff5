#include "app/engine/trash_folder.h"

#include "app/engine/run_types.h"
#include "platform/clock.h"
#include "text/format.h"
#include "platform/process.h"
#include "platform/volume.h"

CString g_strTrash = GetDefaultDrive() + PlatformPathSeparator() + L"Trush";
CString g_strBatch;

void CreateFolder(const CString& path, CDiskInterface& disk) {
  uint32_t attributes = 0;
  if (disk.GetAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (!disk.CreateFolder(path)) throw new CActException(L"Cannot create folder " + path);
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
  g_strBatch = g_strTrash + PlatformPathSeparator() +
               Format(L"%04d_%02d_%02d_%02d_%02d_%02d", now.nYear, now.nMonth, now.nDay, now.nHour, now.nMinute,
                      now.nSecond);
  CreateFolder(g_strBatch, disk);
}

CString GetBatchFolder() { return g_strBatch; }
