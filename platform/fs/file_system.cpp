// The parts of file_system.h that are the same on every platform.
#include "platform/fs/file_system.h"

bool PlatformGetFileAttributes(const CString& path, uint32_t& attributes) {
  CFileAttributeData data;
  if (!PlatformGetFileAttributesEx(path, data)) return false;
  attributes = data.dwFileAttributes;
  return true;
}
