#include "platform/sys/console.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/posix_text.h"

namespace {

volatile sig_atomic_t g_bReadInterrupted = 0;

extern "C" void OnReadInterrupt(int) { g_bReadInterrupted = 1; }

int DescriptorOf(ConsoleStream stream) {
  switch (stream) {
    case ConsoleStream::kInput: return STDIN_FILENO;
    case ConsoleStream::kOutput: return STDOUT_FILENO;
    case ConsoleStream::kError: break;
  }
  return STDERR_FILENO;
}

}  // namespace

std::vector<std::string> GetConsoleArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

CString ConsoleArgumentText(const std::string& argument) { return FromNativePath(argument); }

CString FullPathFromArgument(const CString& path) {
  if (path.empty()) return CString();
  std::string native = ToNativePath(path);
  if (native[0] != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) != nullptr) native = std::string(cwd) + "/" + native;
  }
  if (char* resolved = ::realpath(native.c_str(), nullptr)) {
    native = resolved;
    std::free(resolved);
  }
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return FromNativePath(native);
}

bool IsConsoleTerminal(ConsoleStream stream) { return ::isatty(DescriptorOf(stream)) == 1; }

bool WriteConsoleText(ConsoleStream stream, const CString& text) {
  FILE* file = stream == ConsoleStream::kError ? stderr : stdout;
  const std::string bytes = ToNativePath(text);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fflush(file) == 0 && written;
}

void IgnoreClosedOutput() { ::signal(SIGPIPE, SIG_IGN); }

ConsoleRead ReadConsoleLine(CString& line) {
  struct sigaction mine {}, previous {};
  mine.sa_handler = OnReadInterrupt;
  sigemptyset(&mine.sa_mask);
  mine.sa_flags = 0;  // no SA_RESTART: the signal ends the blocking read
  g_bReadInterrupted = 0;
  const bool caught = ::sigaction(SIGINT, &mine, &previous) == 0;

  std::string bytes;
  ConsoleRead result = ConsoleRead::kEnd;
  for (;;) {
    if (g_bReadInterrupted) {
      result = ConsoleRead::kInterrupted;
      break;
    }
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n == 1) {
      if (c == '\n') {
        result = ConsoleRead::kLine;
        break;
      }
      bytes += c;
    } else if (n == 0 || errno != EINTR) {
      result = bytes.empty() ? ConsoleRead::kEnd : ConsoleRead::kLine;
      break;
    }
  }
  if (caught) ::sigaction(SIGINT, &previous, nullptr);
  line = FromNativePath(bytes);
  return result;
}
