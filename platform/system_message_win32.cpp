#include <windows.h>

#include <vector>

#include "platform/system_message.h"

bool FormatSystemMessage(uint32_t code, uint32_t languageId, size_t bufferChars, CString& text) {
  text.clear();
  // Without arguments an insert sequence would read from nowhere: keep it.
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  if (bufferChars > 0) {
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD n = ::FormatMessageW(flags, nullptr, code, languageId, buffer.data(),
                                     static_cast<DWORD>(bufferChars), nullptr);
    if (n == 0 || n >= bufferChars) return false;
    text.assign(buffer.data(), n);
    return true;
  }
  wchar_t* allocated = nullptr;
  const DWORD n = ::FormatMessageW(flags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code, languageId,
                                   reinterpret_cast<wchar_t*>(&allocated), 0, nullptr);
  if (n != 0 && allocated != nullptr) text.assign(allocated, n);
  if (allocated != nullptr) ::LocalFree(allocated);
  return !text.empty();
}
