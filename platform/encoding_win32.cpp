#include "platform/encoding.h"

#include <windows.h>

namespace {

std::string Narrow(const CString& text, UINT codePage) {
  if (text.empty()) return std::string();
  const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
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

std::string NarrowToAnsiWithPathBytes(const CString& text) { return NarrowToAnsi(text); }

CString WidenFromAnsi(const std::string& bytes) { return Widen(bytes, CP_ACP); }

CString WidenFromAnsiWithPathBytes(const std::string& bytes) { return WidenFromAnsi(bytes); }

std::string NarrowToUtf8(const CString& text) { return Narrow(text, CP_UTF8); }

CString WidenFromUtf8(const std::string& bytes) { return Widen(bytes, CP_UTF8); }
