// velmora: the command line. Parses the arguments and hands one command to
// the console front end.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "app/cli/console_front.h"
#include "app/settings.h"
#include "platform/console.h"

namespace {

const char kDescription[] =
    "Moves build output out of a source tree into a new batch folder of the trash folder \"Trush\" at the root "
    "of the source's drive, logging every move. SOURCE and the list default to the values stored by the last "
    "run (or by Velmora's dialog) and are stored after a run.\n\n"
    "Exit codes: 0 every match moved (or none found), 1 some items could not be moved, fewer were moved than "
    "counted, or the run failed (also: the log could not be opened, the output could not be written), 2 invalid "
    "input or not confirmed, 3 cancelled with Ctrl-C.\n\n"
    "On Windows the options can also be written with a slash: /y, /n, /ext:\"obj pdb\", /preset:cpp, "
    "/names:Debug.";

// Adds what both commands take: SOURCE, --yes and --dry-run.
void AddCommonOptions(CLI::App& command, std::string& source, bool& yes, bool& dryRun) {
  command.add_option("SOURCE", source, "the source folder (default: the stored one)");
  command.add_flag("-y,--yes", yes, "answer the confirmation question with Yes");
  command.add_flag("-n,--dry-run", dryRun,
                   "list what would be moved, with the number and the total size in bytes; move nothing, "
                   "log nothing, store nothing");
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreClosedOutput();
  CLI::App app(kDescription, "velmora");
  app.set_version_flag("--version", "velmora 1.0");
  app.require_subcommand(1);

  std::string source, list, preset;
  bool yes = false, dryRun = false;
  CLI::App* files = app.add_subcommand("files", "move the files whose extension is in the list");
  AddCommonOptions(*files, source, yes, dryRun);
  CLI::Option* ext = files->add_option("-e,--ext", list, "blank-separated extensions, e.g. \"obj pdb\"");
  CLI::Option* presetOption = files->add_option("-p,--preset", preset, "the extensions of a preset")
                                  ->check(CLI::IsMember({"cpp", "mplab"}, CLI::ignore_case))
                                  ->excludes(ext);
  CLI::App* folders = app.add_subcommand("folders", "move the folders whose name is in the list");
  AddCommonOptions(*folders, source, yes, dryRun);
  CLI::Option* names = folders->add_option("--names", list, "blank-separated folder names, e.g. \"Debug Release\"");

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

  CConsoleCommand command;
  command.nKind = files->parsed() ? CleanupKind::kFiles : CleanupKind::kFolders;
  CLI::App* chosen = files->parsed() ? files : folders;
  command.bSourceGiven = chosen->count("SOURCE") > 0;
  command.strSource = ConsoleArgumentText(source);
  command.bListGiven = ext->count() > 0 || presetOption->count() > 0 || names->count() > 0;
  command.strList = ConsoleArgumentText(list);
  if (presetOption->count() > 0)
    command.strList = CLI::detail::to_lower(preset) == "cpp" ? kPresetCpp : kPresetMplab;
  command.bYes = yes;
  command.bDryRun = dryRun;
  return RunConsoleCommand(command);
}
