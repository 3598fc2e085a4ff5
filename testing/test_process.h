// A program started by a test, with its standard streams redirected to
// files, so that the test can read what it wrote and how it ended. It lives
// in the velmora_test_support library, which only test programs link.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/cstring.h"

class CTestProcess {
 public:
  CTestProcess() = default;
  // Kills the program if it still runs, and waits for it: no test leaves a
  // process behind.
  ~CTestProcess();
  CTestProcess(const CTestProcess&) = delete;
  CTestProcess& operator=(const CTestProcess&) = delete;

  // Starts program with arguments (the program's own name is added first),
  // in the environment of the calling process. The standard input reads
  // inputFile (empty: the null device); the output and the error stream
  // create or truncate their files. Returns false when it cannot start.
  bool Start(const CString& program, const std::vector<CString>& arguments, const CString& inputFile,
             const CString& outputFile, const CString& errorFile);

  // Sends the interrupt a Ctrl-C sends (POSIX: SIGINT). Windows: false, a
  // console control event cannot be aimed at one child.
  bool Interrupt();

  // Waits for the end. Returns the exit code, or -1 when the program ended
  // by a signal or was never started.
  int Wait();

 private:
  intptr_t m_nProcess = -1;  // POSIX: the process id; Windows: the handle
};
