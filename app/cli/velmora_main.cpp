// velmora: the command line. Parses the arguments and hands one command to
// the console front end.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "app/cli/console_front.h"
#include "app/cli/console_undo.h"
#include "app/settings.h"
#include "platform/console.h"

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

int main(int argc, char** argv) {
  IgnoreClosedOutput();
  CLI::App app(kDescription, "velmora");
  app.set_version_flag("--version", "velmora 1.0");
  app.require_subcommand(1);

  std::string source, list, preset, olderThan;
  bool yes = false, dryRun = false;
  CLI::App* files = app.add_subcommand("files", "move the files whose extension is in the list");
  CLI::Option* filesOlderThan = AddCommonOptions(*files, source, yes, dryRun, olderThan);
  CLI::Option* ext = files->add_option("-e,--ext", list, "blank-separated extensions, e.g. \"obj pdb\"");
  CLI::Option* presetOption = files->add_option("-p,--preset", preset, PresetHelp("extensions", kFilePresets))
                                  ->check(CLI::IsMember(PresetNames(kFilePresets), CLI::ignore_case))
                                  ->excludes(ext);
  CLI::App* folders = app.add_subcommand("folders", "move the folders whose name is in the list");
  CLI::Option* foldersOlderThan = AddCommonOptions(*folders, source, yes, dryRun, olderThan);
  CLI::Option* names = folders->add_option("--names", list, "blank-separated folder names, e.g. \"Debug Release\"");
  CLI::Option* folderPresetOption =
      folders->add_option("-p,--preset", preset, PresetHelp("folder names", kFolderPresets))
          ->check(CLI::IsMember(PresetNames(kFolderPresets), CLI::ignore_case))
          ->excludes(names);

  std::string batch;
  bool last = false;
  int days = 0;
  CLI::App* restore =
      app.add_subcommand("restore", "move the items of a batch folder back to where they came from");
  CLI::Option* batchOption = restore->add_option("BATCH", batch, "a batch folder's path, or its name in the trash folder");
  restore->add_flag("--last", last, "the newest batch folder with items in the trash folder")->excludes(batchOption);
  AddUndoOptions(*restore, source, yes, dryRun,
                 "list what would go back where, and what would be left in place; move nothing, log nothing");
  CLI::App* listCommand = app.add_subcommand("list", "list the batch folders of the trash folder, newest first");
  AddUndoOptions(*listCommand, source, yes, dryRun, nullptr);
  CLI::App* purge = app.add_subcommand("purge", "delete batch folders older than DAYS days for good");
  purge->add_option("--older-than", days, "DAYS: how old a batch folder must be, by the time in its name")
      ->required()
      ->check(CLI::Range(0, 1000000));
  AddUndoOptions(*purge, source, yes, dryRun, "list what would be deleted, with the sizes; delete nothing");

  const std::vector<std::string> arguments = GetConsoleArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& e) {
    // Help and version end well; a wrong command line is invalid input.
    const int code = app.exit(e);
    return code == 0 ? kExitMoved : kExitRefused;
  }

  if (restore->parsed() || listCommand->parsed() || purge->parsed()) {
    CUndoCommand undo;
    CLI::App* chosen = restore->parsed() ? restore : listCommand->parsed() ? listCommand : purge;
    undo.nKind = restore->parsed() ? CUndoCommand::kRestore : listCommand->parsed() ? CUndoCommand::kList
                                                                                    : CUndoCommand::kPurge;
    undo.bSourceGiven = chosen->count("--source") > 0;
    undo.strSource = ConsoleArgumentText(source);
    undo.strBatch = ConsoleArgumentText(batch);
    undo.bLast = last;
    undo.nDays = days;
    undo.bYes = yes;
    undo.bDryRun = dryRun;
    if (restore->parsed() && batch.empty() && !last) {
      WriteConsoleText(ConsoleStream::kError, L"restore: give BATCH or --last\nRun with --help for more information.\n");
      return kExitRefused;
    }
    return RunUndoCommand(undo);
  }

  CConsoleCommand command;
  command.nKind = files->parsed() ? CleanupKind::kFiles : CleanupKind::kFolders;
  CLI::App* chosen = files->parsed() ? files : folders;
  command.bSourceGiven = chosen->count("SOURCE") > 0;
  command.strSource = ConsoleArgumentText(source);
  command.bListGiven =
      ext->count() > 0 || presetOption->count() > 0 || names->count() > 0 || folderPresetOption->count() > 0;
  command.strList = ConsoleArgumentText(list);
  if (presetOption->count() > 0) command.strList = PresetList(kFilePresets, preset);
  if (folderPresetOption->count() > 0) command.strList = PresetList(kFolderPresets, preset);
  if (filesOlderThan->count() > 0 || foldersOlderThan->count() > 0) command.nOlderThan = std::stoi(olderThan);
  command.bYes = yes;
  command.bDryRun = dryRun;
  return RunConsoleCommand(command);
}
