#include "platform/encoding.h"

#include <windows.h>

std::string NarrowToAnsi(const CString& text) {
  if (text.empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string NarrowToAnsiWithPathBytes(const CString& text) { return NarrowToAnsi(text); }

CString WidenFromAnsi(const std::string& bytes) {
  if (bytes.empty()) return CString();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return CString();
  CString out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

CString WidenFromAnsiWithPathBytes(const std::string& bytes) { return WidenFromAnsi(bytes); }
