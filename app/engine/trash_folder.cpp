#include "app/engine/trash_folder.h"

#include "app/engine/run_types.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "text/format.h"
#include "platform/process.h"
#include "platform/volume.h"

CString g_strTrash = GetDefaultDrive() + PlatformPathSeparator() + L"Trush";
CString g_strBatch;

void CreateFolder(const CString& path) {
  uint32_t attributes = 0;
  if (PlatformGetFileAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (!PlatformCreateDirectory(path)) throw new CActException(L"Cannot create folder " + path);
}

void MakeTrashFolder(const CString& source) {
  g_strTrash = GetSourceDrive(source) + PlatformPathSeparator() + L"Trush";
  CreateFolder(g_strTrash);
}

CString GetTrashFolder() { return g_strTrash; }

void MakeBatchFolder() {
  CLocalTime now;
  if (!GetLocalTimeNow(now)) now = CLocalTime();
  g_strBatch = g_strTrash + PlatformPathSeparator() +
               Format(L"%04d_%02d_%02d_%02d_%02d_%02d", now.nYear, now.nMonth, now.nDay, now.nHour, now.nMinute,
                      now.nSecond);
  CreateFolder(g_strBatch);
}

CString GetBatchFolder() { return g_strBatch; }
