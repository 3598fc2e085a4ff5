#include "testing/test_process.h"

#include <windows.h>

namespace {

// One argument as the C runtime splits it back: quoted when it holds blanks
// or quotes (or is empty), with backslashes doubled before a quote.
CString Quoted(const CString& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == CString::npos) return argument;
  CString quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE OpenInherited(const CString& path, bool write) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &security, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CTestProcess::~CTestProcess() {
  if (m_nProcess == -1) return;
  ::TerminateProcess(reinterpret_cast<HANDLE>(m_nProcess), 255);
  Wait();
}

bool CTestProcess::Start(const CString& program, const std::vector<CString>& arguments, const CString& inputFile,
                         const CString& outputFile, const CString& errorFile) {
  CString commandLine = Quoted(program);
  for (const CString& argument : arguments) commandLine += L" " + Quoted(argument);

  const HANDLE input = OpenInherited(inputFile.empty() ? CString(L"NUL") : inputFile, false);
  const HANDLE output = OpenInherited(outputFile, true);
  const HANDLE error = OpenInherited(errorFile, true);
  bool started = false;
  if (input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE && error != INVALID_HANDLE_VALUE) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION process{};
    started = ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process) != 0;
    if (started) {
      ::CloseHandle(process.hThread);
      m_nProcess = reinterpret_cast<intptr_t>(process.hProcess);
    }
  }
  for (const HANDLE handle : {input, output, error})
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  return started;
}

bool CTestProcess::Interrupt() { return false; }

int CTestProcess::Wait() {
  if (m_nProcess == -1) return -1;
  const HANDLE process = reinterpret_cast<HANDLE>(m_nProcess);
  DWORD code = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &code))
    code = static_cast<DWORD>(-1);
  ::CloseHandle(process);
  m_nProcess = -1;
  return static_cast<int>(code);
}
