// The console of a command-line program: its arguments, its three standard
// streams (a terminal or not), text written to them, and a line typed at the
// terminal.
// Windows: the wide command line (GetCommandLineW), WriteConsoleW and
// ReadConsoleW on a console, 8-bit ANSI text otherwise. POSIX: argv as
// given, text as path bytes (posix_text.h), read(2) on the terminal.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

enum class ConsoleStream { kInput, kOutput, kError };

// The program's arguments, its name first, as byte strings for a parser.
// POSIX: argv as given. Windows: the wide command line split by the C
// runtime's rules and encoded in UTF-8, so no character is lost to the ANSI
// code page (argc and argv are then not used); an argument that starts with
// two slashes (a network path, "//server/share") starts with two
// backslashes instead, so that no parser of "/x" options takes it for one.
std::vector<std::string> GetConsoleArguments(int argc, char** argv);

// The text of one argument of GetConsoleArguments (or a part of one).
// POSIX: decoded like a path read from the disk, so the bytes of any file
// name come back unchanged when the text is used as a path.
CString ConsoleArgumentText(const std::string& argument);

// The full path of a path given on the command line, or the empty string for
// an empty one. A relative path is taken from the current directory.
// POSIX: an existing path is resolved (links, "." and ".."); a missing one is
// joined to the current directory as written. Windows: GetFullPathNameW.
// Trailing separators are dropped except at a root.
CString FullPathFromArgument(const CString& path);

// True when the stream is a terminal (a console on Windows).
bool IsConsoleTerminal(ConsoleStream stream);

// Writes text to the output or error stream and flushes it. "\n" ends a line
// (Windows writes CR LF where the stream is not a console). Returns false
// when the text could not be written whole (a closed pipe, a full disk).
bool WriteConsoleText(ConsoleStream stream, const CString& text);

// Makes a write to an output nobody reads any more (a pipe whose reader has
// ended, as in `velmora ... | head -3`) fail instead of ending the program,
// so a run is never cut off between a move and its log record. POSIX:
// SIGPIPE is ignored from now on; Windows has no such signal.
void IgnoreClosedOutput();

enum class ConsoleRead {
  kLine,         // a line was read (without its line end)
  kEnd,          // end of input or a read error, nothing read
  kInterrupted,  // Ctrl-C was pressed while waiting
};

// Reads one line from the standard input. While it waits, Ctrl-C ends the
// wait instead of reaching the program's interrupt handler (POSIX: SIGINT is
// caught without SA_RESTART for the time of the read, then the previous
// handling is restored).
ConsoleRead ReadConsoleLine(CString& line);
