#include "path/path_exists.h"

#include <cstdint>

#include "platform/fs/file_attributes.h"
#include "platform/fs/file_system.h"

namespace {

// The attribute bit of a volume label, which Windows may report for a root.
constexpr uint32_t kVolumeLabel = 0x08;

}  // namespace

bool IsExistsDirectory(CString p) {
  uint32_t attributes = 0;
  return PlatformGetFileAttributes(p, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistsFile(CString p) {
  uint32_t attributes = 0;
  return PlatformGetFileAttributes(p, attributes) && (attributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)) == 0;
}
