#include "testing/test_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include <string>

#include "platform/posix_text.h"

extern char** environ;

CTestProcess::~CTestProcess() {
  if (m_nProcess <= 0) return;
  ::kill(static_cast<pid_t>(m_nProcess), SIGKILL);
  Wait();
}

bool CTestProcess::Start(const CString& program, const std::vector<CString>& arguments, const CString& inputFile,
                         const CString& outputFile, const CString& errorFile) {
  std::vector<std::string> bytes{ToNativePath(program)};
  for (const CString& argument : arguments) bytes.push_back(ToNativePath(argument));
  std::vector<char*> argv;
  for (std::string& argument : bytes) argv.push_back(&argument[0]);
  argv.push_back(nullptr);

  const std::string input = inputFile.empty() ? std::string("/dev/null") : ToNativePath(inputFile);
  const std::string output = ToNativePath(outputFile);
  const std::string error = ToNativePath(errorFile);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The child starts with the default interrupt handling, whatever the test
  // process does with SIGINT.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int failed = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return false;
  m_nProcess = pid;
  return true;
}

bool CTestProcess::Interrupt() { return m_nProcess > 0 && ::kill(static_cast<pid_t>(m_nProcess), SIGINT) == 0; }

int CTestProcess::Wait() {
  if (m_nProcess <= 0) return -1;
  int status = 0;
  pid_t done = 0;
  do {
    done = ::waitpid(static_cast<pid_t>(m_nProcess), &status, 0);
  } while (done < 0 && errno == EINTR);
  m_nProcess = -1;
  if (done < 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
