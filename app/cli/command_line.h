// The command line's grammar: the five commands with their options, and the
// command a parsed line asks for, handed to the console front end.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

class CCommandLine {
 public:
  CCommandLine();
  CCommandLine(const CCommandLine&) = delete;
  CCommandLine& operator=(const CCommandLine&) = delete;

  // Parses arguments (the program name first). Returns true when they name
  // a command; otherwise it has printed the help, the version or the error
  // and exitCode is the code to end with.
  bool Parse(const std::vector<std::string>& arguments, int& exitCode);

  // Runs the command Parse found and returns the program's exit code.
  int Run() const;

 private:
  void AddCleanupCommands();
  void AddUndoCommands();
  int RunUndo() const;
  int RunCleanup() const;

  CLI::App m_app;
  // What the options write; shared by the commands that take them.
  std::string m_source, m_list, m_preset, m_batch, m_olderThan;
  bool m_bYes = false, m_bDryRun = false, m_bLast = false;
  int m_nDays = 0;
  CLI::App* m_files = nullptr;
  CLI::App* m_folders = nullptr;
  CLI::App* m_restore = nullptr;
  CLI::App* m_listCommand = nullptr;
  CLI::App* m_purge = nullptr;
  CLI::Option* m_ext = nullptr;
  CLI::Option* m_presetOption = nullptr;
  CLI::Option* m_names = nullptr;
  CLI::Option* m_folderPresetOption = nullptr;
  CLI::Option* m_filesOlderThan = nullptr;
  CLI::Option* m_foldersOlderThan = nullptr;
};
