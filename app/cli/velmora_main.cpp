// velmora: the command line. Parses the arguments and hands one command to
// the console front end.
#include "app/cli/command_line.h"
#include "platform/sys/console.h"

int main(int argc, char** argv) {
  IgnoreClosedOutput();
  CCommandLine commandLine;
  int exitCode = 0;
  if (!commandLine.Parse(GetConsoleArguments(argc, argv), exitCode)) return exitCode;
  return commandLine.Run();
}
