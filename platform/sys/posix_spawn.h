// POSIX only: starting programs without a shell. argv[0] is searched in PATH
// (posix_spawnp); the child inherits the environment and the standard streams
// (standard output excepted where it is captured).
#pragma once

#include <string>
#include <vector>

// Starts argv and returns at once; a detached thread reaps the child when it
// ends, so nothing is left behind and the caller never blocks. Returns false
// when the program cannot be started (for example, not installed).
bool SpawnDetached(const std::vector<std::string>& argv);

// Starts argv, reads its standard output to the end and waits for it.
// Returns false when it cannot be started; exitCode is the exit status, or
// -1 when the child ended by a signal.
bool SpawnAndCapture(const std::vector<std::string>& argv, std::string& output, int& exitCode);
