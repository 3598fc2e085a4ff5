#include "app/cli/command_line.h"

#include "app/cli/console_front.h"
#include "app/cli/console_undo.h"
#include "app/settings.h"
#include "platform/sys/console.h"

namespace {

const char kDescription[] =
    "Moves build output out of a source tree into a new batch folder of the trash folder \"Trush\" at the root "
    "of the source's drive, logging every move. SOURCE and the list default to the values stored by the last "
    "run (or by Velmora's dialog) and are stored after a run.\n\n"
    "restore moves the items of a batch folder back to where the log says they came from; list shows the batch "
    "folders of the trash folder; purge deletes old batch folders for good, the only command that deletes.\n\n"
    "Exit codes: 0 every match is in the batch folder (moved itself or inside a moved folder) and the run saw "
    "the whole tree (or none found), 1 a match stays in the tree (an item could not be moved, a folder could not "
    "be opened) or the run failed (also: the log could not be opened, the output could not be written; restore: "
    "not every item went back; purge: a batch folder could not be deleted), 2 invalid input or not confirmed, 3 "
    "cancelled with Ctrl-C.\n\n"
    "On Windows the options can also be written with a slash: /y, /n, /ext:\"obj pdb\", /preset:cpp, "
    "/names:Debug, /last, /source:C:\\src, /older-than:30.";

// DAYS of --older-than: a whole number of days from 0 to kMaxAgeDays, in
// digits alone; the text of what is wrong with it, or nothing.
std::string CheckDays(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 7 && text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && std::stol(text) <= kMaxAgeDays) return std::string();
  return "DAYS must be a whole number of days from 0 to " + std::to_string(kMaxAgeDays) + ", not '" + text + "'";
}

// Adds what both commands take: SOURCE, --yes, --dry-run and --older-than.
CLI::Option* AddCommonOptions(CLI::App& command, std::string& source, bool& yes, bool& dryRun, std::string& days) {
  command.add_option("SOURCE", source, "the source folder (default: the stored one)");
  command.add_flag("-y,--yes", yes, "answer the confirmation question with Yes");
  command.add_flag("-n,--dry-run", dryRun,
                   "list what would be moved, with the number and the total size in bytes; move nothing, "
                   "log nothing, store nothing");
  return command
      .add_option("--older-than", days,
                  "only what is older than DAYS days: a file last written more than DAYS days ago, a folder "
                  "with nothing inside it (at any depth, links not followed) written within DAYS days")
      ->type_name("DAYS")
      ->check(CLI::Validator([](std::string& text) { return CheckDays(text); }, "", "DAYS"));
}

// The names of presets, for the check of --preset, and their help text: each
// name and its list, one to a line.
std::vector<std::string> PresetNames(const CPreset* presets) {
  std::vector<std::string> names;
  for (const CPreset* preset = presets; preset->szName != nullptr; ++preset) names.push_back(preset->szName);
  return names;
}

std::string PresetHelp(const char* what, const CPreset* presets) {
  std::string help = std::string("the ") + what + " of a preset:";
  for (const CPreset* preset = presets; preset->szName != nullptr; ++preset) {
    help += std::string("\n  ") + preset->szName + " \"";
    for (const wchar_t* c = preset->szList; *c != L'\0'; ++c) help += static_cast<char>(*c);
    help += "\"";
  }
  return help;
}

// The list of the preset named name (any case); the names were checked.
CString PresetList(const CPreset* presets, const std::string& name) {
  for (const CPreset* preset = presets; preset->szName != nullptr; ++preset)
    if (CLI::detail::to_lower(name) == preset->szName) return preset->szList;
  return CString();
}

// Adds --source and, with a text for --dry-run, --yes and --dry-run.
void AddUndoOptions(CLI::App& command, std::string& source, bool& yes, bool& dryRun, const char* dryRunText) {
  command.add_option("-s,--source", source,
                     "the source folder whose trash folder is meant (default: the stored one)");
  if (dryRunText == nullptr) return;
  command.add_flag("-y,--yes", yes, "answer the confirmation question with Yes");
  command.add_flag("-n,--dry-run", dryRun, dryRunText);
}

}  // namespace

CCommandLine::CCommandLine() : m_app(kDescription, "velmora") {
  m_app.set_version_flag("--version", "velmora 1.0");
  m_app.require_subcommand(1);
  AddCleanupCommands();
  AddUndoCommands();
}

void CCommandLine::AddCleanupCommands() {
  m_files = m_app.add_subcommand("files", "move the files whose extension is in the list");
  m_filesOlderThan = AddCommonOptions(*m_files, m_source, m_bYes, m_bDryRun, m_olderThan);
  m_ext = m_files->add_option("-e,--ext", m_list, "blank-separated extensions, e.g. \"obj pdb\"");
  m_presetOption = m_files->add_option("-p,--preset", m_preset, PresetHelp("extensions", kFilePresets))
                       ->check(CLI::IsMember(PresetNames(kFilePresets), CLI::ignore_case))
                       ->excludes(m_ext);
  m_folders = m_app.add_subcommand("folders", "move the folders whose name is in the list");
  m_foldersOlderThan = AddCommonOptions(*m_folders, m_source, m_bYes, m_bDryRun, m_olderThan);
  m_names = m_folders->add_option("--names", m_list, "blank-separated folder names, e.g. \"Debug Release\"");
  m_folderPresetOption = m_folders->add_option("-p,--preset", m_preset, PresetHelp("folder names", kFolderPresets))
                             ->check(CLI::IsMember(PresetNames(kFolderPresets), CLI::ignore_case))
                             ->excludes(m_names);
}

void CCommandLine::AddUndoCommands() {
  m_restore = m_app.add_subcommand("restore", "move the items of a batch folder back to where they came from");
  CLI::Option* batch = m_restore->add_option("BATCH", m_batch, "a batch folder's path, or its name in the trash folder");
  m_restore->add_flag("--last", m_bLast, "the newest batch folder with items in the trash folder")->excludes(batch);
  AddUndoOptions(*m_restore, m_source, m_bYes, m_bDryRun,
                 "list what would go back where, and what would be left in place; move nothing, log nothing");
  m_listCommand = m_app.add_subcommand("list", "list the batch folders of the trash folder, newest first");
  AddUndoOptions(*m_listCommand, m_source, m_bYes, m_bDryRun, nullptr);
  m_purge = m_app.add_subcommand("purge", "delete batch folders older than DAYS days for good");
  m_purge->add_option("--older-than", m_nDays, "DAYS: how old a batch folder must be, by the time in its name")
      ->required()
      ->check(CLI::Range(0, 1000000));
  AddUndoOptions(*m_purge, m_source, m_bYes, m_bDryRun, "list what would be deleted, with the sizes; delete nothing");
}

bool CCommandLine::Parse(const std::vector<std::string>& arguments, int& exitCode) {
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  try {
    m_app.parse(static_cast<int>(pointers.size()), pointers.data());
    return true;
  } catch (const CLI::ParseError& e) {
    // Help and version end well; a wrong command line is invalid input.
    exitCode = m_app.exit(e) == 0 ? kExitMoved : kExitRefused;
    return false;
  }
}

int CCommandLine::Run() const {
  const bool undo = m_restore->parsed() || m_listCommand->parsed() || m_purge->parsed();
  return undo ? RunUndo() : RunCleanup();
}

int CCommandLine::RunUndo() const {
  if (m_restore->parsed() && m_batch.empty() && !m_bLast) {
    WriteConsoleText(ConsoleStream::kError, L"restore: give BATCH or --last\nRun with --help for more information.\n");
    return kExitRefused;
  }
  CUndoCommand undo;
  const CLI::App* chosen = m_restore->parsed() ? m_restore : m_listCommand->parsed() ? m_listCommand : m_purge;
  undo.nKind = chosen == m_restore ? CUndoCommand::kRestore
               : chosen == m_listCommand ? CUndoCommand::kList
                                         : CUndoCommand::kPurge;
  undo.bSourceGiven = chosen->count("--source") > 0;
  undo.strSource = ConsoleArgumentText(m_source);
  undo.strBatch = ConsoleArgumentText(m_batch);
  undo.bLast = m_bLast;
  undo.nDays = m_nDays;
  undo.bYes = m_bYes;
  undo.bDryRun = m_bDryRun;
  return RunUndoCommand(undo);
}

int CCommandLine::RunCleanup() const {
  CConsoleCommand command;
  command.nKind = m_files->parsed() ? CleanupKind::kFiles : CleanupKind::kFolders;
  const CLI::App* chosen = m_files->parsed() ? m_files : m_folders;
  command.bSourceGiven = chosen->count("SOURCE") > 0;
  command.strSource = ConsoleArgumentText(m_source);
  command.bListGiven = m_ext->count() > 0 || m_presetOption->count() > 0 || m_names->count() > 0 ||
                       m_folderPresetOption->count() > 0;
  command.strList = ConsoleArgumentText(m_list);
  if (m_presetOption->count() > 0) command.strList = PresetList(kFilePresets, m_preset);
  if (m_folderPresetOption->count() > 0) command.strList = PresetList(kFolderPresets, m_preset);
  if (m_filesOlderThan->count() > 0 || m_foldersOlderThan->count() > 0) command.nOlderThan = std::stoi(m_olderThan);
  command.bYes = m_bYes;
  command.bDryRun = m_bDryRun;
  return RunConsoleCommand(command);
}
