#include "platform/encoding.h"

#include <windows.h>

namespace {

// Without best fit for the ANSI code page: a character it lacks becomes the
// default character ('?'), never another real character, so that a logged
// name never names another item. UTF-8 takes no flags.
std::string Narrow(const CString& text, UINT codePage) {
  if (text.empty()) return std::string();
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

CString Widen(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return CString();
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return CString();
  CString out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

}  // namespace

std::string NarrowToAnsi(const CString& text) { return Narrow(text, CP_ACP); }

bool AnsiLosesCharacters() { return true; }

std::string NarrowToAnsiWithPathBytes(const CString& text) { return NarrowToAnsi(text); }

CString WidenFromAnsi(const std::string& bytes) { return Widen(bytes, CP_ACP); }

CString WidenFromAnsiWithPathBytes(const std::string& bytes) { return WidenFromAnsi(bytes); }

std::string NarrowToUtf8(const CString& text) { return Narrow(text, CP_UTF8); }

CString WidenFromUtf8(const std::string& bytes) { return Widen(bytes, CP_UTF8); }
