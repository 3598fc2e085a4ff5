#include "platform/sys/console.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/encoding.h"

namespace {

std::atomic<bool> g_bReadInterrupted{false};

// Added in front of the program's own handler while a line is read, so
// Ctrl-C ends the read instead of stopping a run.
BOOL WINAPI OnReadCtrl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  g_bReadInterrupted = true;
  return TRUE;
}

HANDLE HandleOf(ConsoleStream stream) {
  switch (stream) {
    case ConsoleStream::kInput: return ::GetStdHandle(STD_INPUT_HANDLE);
    case ConsoleStream::kOutput: return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case ConsoleStream::kError: break;
  }
  return ::GetStdHandle(STD_ERROR_HANDLE);
}

std::string ToUtf8(const CString& text) {
  if (text.empty()) return std::string();
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr,
                          nullptr);
  return bytes;
}

}  // namespace

std::vector<std::string> GetConsoleArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  int count = 0;
  if (LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) arguments.push_back(ToUtf8(wide[i]));
    for (std::string& argument : arguments)
      if (argument.compare(0, 2, "//") == 0) argument.replace(0, 2, "\\\\");
    ::LocalFree(wide);
    return arguments;
  }
  return std::vector<std::string>(argv, argv + argc);
}

CString ConsoleArgumentText(const std::string& argument) {
  if (argument.empty()) return CString();
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, argument.data(), static_cast<int>(argument.size()), nullptr, 0);
  CString text(size > 0 ? size : 0, L'\0');
  if (size > 0)
    ::MultiByteToWideChar(CP_UTF8, 0, argument.data(), static_cast<int>(argument.size()), &text[0], size);
  return text;
}

CString FullPathFromArgument(const CString& path) {
  if (path.empty()) return CString();
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  CString full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  // "C:\" keeps its separator; "C:\src\" does not.
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full;
}

bool IsConsoleTerminal(ConsoleStream stream) {
  DWORD mode = 0;
  return ::GetConsoleMode(HandleOf(stream), &mode) != 0;
}

bool WriteConsoleText(ConsoleStream stream, const CString& text) {
  if (IsConsoleTerminal(stream)) {
    const HANDLE handle = HandleOf(stream);
    for (size_t done = 0; done < text.size();) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 8192));
      DWORD written = 0;
      if (!::WriteConsoleW(handle, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
      done += written;
    }
    return true;
  }
  FILE* file = stream == ConsoleStream::kError ? stderr : stdout;
  const std::string bytes = NarrowToAnsi(text);
  // Text mode: "\n" becomes CR LF.
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fflush(file) == 0 && written;
}

void IgnoreClosedOutput() {}

ConsoleRead ReadConsoleLine(CString& line) {
  line.clear();
  const HANDLE input = HandleOf(ConsoleStream::kInput);
  if (!IsConsoleTerminal(ConsoleStream::kInput)) {
    std::string bytes;
    char c = 0;
    DWORD read = 0;
    while (::ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') bytes += c;
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    line = WidenFromAnsi(bytes);
    return read == 1 || !bytes.empty() ? ConsoleRead::kLine : ConsoleRead::kEnd;
  }

  g_bReadInterrupted = false;
  const bool added = ::SetConsoleCtrlHandler(OnReadCtrl, TRUE) != 0;
  ConsoleRead result = ConsoleRead::kEnd;
  for (;;) {
    wchar_t buffer[256];
    DWORD read = 0;
    const BOOL ok = ::ReadConsoleW(input, buffer, 256, &read, nullptr);
    // Ctrl-C ends the read with nothing (or an aborted operation); the
    // handler runs on another thread, so give it a moment to be seen.
    if (g_bReadInterrupted || (!ok && ::GetLastError() == ERROR_OPERATION_ABORTED) || (ok && read == 0)) {
      if (!g_bReadInterrupted) ::Sleep(50);
      result = g_bReadInterrupted ? ConsoleRead::kInterrupted : ConsoleRead::kEnd;
      break;
    }
    if (!ok) break;
    line.append(buffer, read);
    if (!line.empty() && line.back() == L'\n') {
      result = ConsoleRead::kLine;
      break;
    }
  }
  if (added) ::SetConsoleCtrlHandler(OnReadCtrl, FALSE);
  while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
  return result;
}
