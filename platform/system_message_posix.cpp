#include <errno.h>
#include <string.h>

#include "platform/encoding.h"
#include "platform/system_message.h"

namespace {

struct CErrnoCounterpart {
  uint32_t nCode;  // Windows system error code
  int nErrno;
};

// Windows system error codes with an errno of the same meaning, by code.
const CErrnoCounterpart kCounterparts[] = {
    {0, 0},              // ERROR_SUCCESS
    {1, ENOSYS},         // ERROR_INVALID_FUNCTION
    {2, ENOENT},         // ERROR_FILE_NOT_FOUND
    {3, ENOENT},         // ERROR_PATH_NOT_FOUND
    {4, EMFILE},         // ERROR_TOO_MANY_OPEN_FILES
    {5, EACCES},         // ERROR_ACCESS_DENIED
    {6, EBADF},          // ERROR_INVALID_HANDLE
    {8, ENOMEM},         // ERROR_NOT_ENOUGH_MEMORY
    {14, ENOMEM},        // ERROR_OUTOFMEMORY
    {15, ENODEV},        // ERROR_INVALID_DRIVE
    {17, EXDEV},         // ERROR_NOT_SAME_DEVICE
    {19, EROFS},         // ERROR_WRITE_PROTECT
    {32, EBUSY},         // ERROR_SHARING_VIOLATION
    {33, EBUSY},         // ERROR_LOCK_VIOLATION
    {39, ENOSPC},        // ERROR_HANDLE_DISK_FULL
    {50, ENOTSUP},       // ERROR_NOT_SUPPORTED
    {80, EEXIST},        // ERROR_FILE_EXISTS
    {87, EINVAL},        // ERROR_INVALID_PARAMETER
    {109, EPIPE},        // ERROR_BROKEN_PIPE
    {112, ENOSPC},       // ERROR_DISK_FULL
    {123, EINVAL},       // ERROR_INVALID_NAME
    {145, ENOTEMPTY},    // ERROR_DIR_NOT_EMPTY
    {183, EEXIST},       // ERROR_ALREADY_EXISTS
    {206, ENAMETOOLONG}, // ERROR_FILENAME_EXCED_RANGE
    {267, ENOTDIR},      // ERROR_DIRECTORY
    {995, ECANCELED},    // ERROR_OPERATION_ABORTED
    {1223, ECANCELED},   // ERROR_CANCELLED
    {1460, ETIMEDOUT},   // ERROR_TIMEOUT
};

}  // namespace

bool FormatSystemMessage(uint32_t code, uint32_t /*languageId*/, size_t bufferChars, CString& text) {
  text.clear();
  // A FACILITY_WIN32 HRESULT carries a system error code in its low word.
  if ((code & 0xFFFF0000u) == 0x80070000u) code &= 0xFFFFu;
  for (const CErrnoCounterpart& entry : kCounterparts) {
    if (entry.nCode != code) continue;
    char buffer[256];
    // GNU strerror_r: the text may be a static string instead of buffer.
    CString message = WidenFromAnsi(::strerror_r(entry.nErrno, buffer, sizeof(buffer)));
    if (bufferChars > 0 && message.size() >= bufferChars) return false;
    text = message;
    return !text.empty();
  }
  return false;
}
