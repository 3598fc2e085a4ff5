// End-to-end runs of the velmora program: real processes on real trees.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/encoding.h"
#include "platform/fs/file.h"
#include "platform/fs/file_system.h"
#include "platform/fs/file_time.h"
#include "text/format.h"
#include "platform/sys/process.h"
#include "testing/test_process.h"
#include "testing/test_files.h"
#include "winui/system_folders.h"

namespace {

bool IsWindows() { return PlatformPathSeparator() == L'\\'; }

// The program beside this test program.
CString ProgramPath() {
  const CString self = GetProcessExecutablePath();
  return self.substr(0, self.find_last_of(PlatformPathSeparator()) + 1) +
         (IsWindows() ? L"velmora-cli.exe" : L"velmora");
}

// A file's text with CR LF read as LF.
CString ReadText(const CString& path) {
  std::string bytes;
  ReadFileForTesting(path, bytes);
  CString text = WidenFromAnsi(bytes);
  ReplaceAll(text, L"\r\n", L"\n");
  return text;
}

size_t Occurrences(const CString& text, const CString& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != CString::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The destinations of the " OK " lines of an output.
std::vector<CString> MovedTo(const CString& output) {
  std::vector<CString> destinations;
  for (size_t at = output.find(L" OK  From "); at != CString::npos; at = output.find(L" OK  From ", at + 1)) {
    const size_t arrow = output.find(L" ==> ", at) + 5;
    destinations.push_back(output.substr(arrow, output.find(L'\n', arrow) - arrow));
  }
  return destinations;
}

// Every test has its own home: on POSIX that is where the log, the
// settings and (for a source inside it) the trash folder live. Under Wine
// they are the prefix's own, shared by tests running side by side, so the
// checks of the log and the stored settings are made on POSIX only.
class VelmoraCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_home.IsValid());
    m_src = m_home / L"src";
    ASSERT_TRUE(MakeFoldersForTesting(m_src));
  }

  // Starts the program; the standard input reads `input` (none: the null
  // device).
  void Start(CTestProcess& process, const std::vector<CString>& arguments, const std::string& input = "") {
    CString inputFile;
    if (!input.empty()) {
      inputFile = m_home / L"in.txt";
      ASSERT_TRUE(WriteFileForTesting(inputFile, input));
    }
    ASSERT_TRUE(process.Start(ProgramPath(), arguments, inputFile, m_home / L"out.txt", m_home / L"err.txt"));
  }
  int Run(const std::vector<CString>& arguments, const std::string& input = "") {
    CTestProcess process;
    Start(process, arguments, input);
    return Finish(process);
  }
  // Runs a bash script with the program as $0 and arguments as $1...; the
  // script's own streams go where the program's go in Run. POSIX only: for
  // what redirected files cannot show (a pipe, a Ctrl-C timed by a pipe).
  int RunScript(const CString& script, std::vector<CString> arguments) {
    arguments.insert(arguments.begin(), {L"-c", script, ProgramPath()});
    CTestProcess process;
    EXPECT_TRUE(process.Start(L"/bin/bash", arguments, CString(), m_home / L"out.txt", m_home / L"err.txt"));
    return Finish(process);
  }
  int Finish(CTestProcess& process) {
    const int code = process.Wait();
    m_out = ReadText(m_home / L"out.txt");
    m_err = ReadText(m_home / L"err.txt");
    return code;
  }
  CString Log() const { return ReadText(GetMyPersonalPath() + PlatformPathSeparator() + L"Velmora.log"); }
  CString Settings() const { return ReadText(m_home / L".config/VelmoraLabs/Velmora.ini"); }

  CScopedTempFolder m_home{IsWindows() ? CString() : GetProcessCurrentDirectory(4096)};
  CScopedEnvironment m_homeVariable{L"HOME", m_home.Path()};
  CScopedEnvironment m_configVariable{L"XDG_CONFIG_HOME", m_home / L".config"};
  CString m_src;
  CString m_out, m_err;
};

TEST_F(VelmoraCli, FilesRunMovesEveryMatchSaysAndLogsSoAndStoresItsSettings) {
  WriteFileForTesting(m_src + L"/a.obj", "aaa");
  WriteFileForTesting(m_src + L"/sub/b.PDB", "b");
  WriteFileForTesting(m_src + L"/sub/keep.cpp", "k");
  WriteFileForTesting(m_src + L"/x/Debug/y.txt", "y");

  ASSERT_EQ(Run({L"files", m_src, L"--preset", L"CPP", L"--yes"}), 0) << m_err;
  EXPECT_EQ(m_out.find(L"== Move Files with extension 'obj pdb sbr ilk pch idb ncb exe' from '" + m_src + L"' To '"),
            0u) << m_out;
  EXPECT_NE(m_out.find(L"\n== Done: 2 of 2 \n== Finished\n"), CString::npos) << m_out;
  EXPECT_EQ(m_err, L"");  // no terminal: no progress bar
  const std::vector<CString> moved = MovedTo(m_out);
  ASSERT_EQ(moved.size(), 2u) << m_out;
  for (const CString& destination : moved) EXPECT_TRUE(ExistsForTesting(destination)) << destination;
  EXPECT_TRUE(ExistsForTesting(m_src + L"/sub/keep.cpp"));

  if (IsWindows()) GTEST_SKIP() << "the prefix's log and settings are shared by tests running side by side";
  EXPECT_NE(Settings().find(L"Path Root=" + m_src + L"\n"), CString::npos) << Settings();

  // The stored source and extensions serve the next runs.
  ASSERT_EQ(Run({L"folders", L"--names", L"Debug", L"--yes"}), 0) << m_err;
  EXPECT_EQ(m_out.find(L"== Move Dirs with name 'Debug' from '" + m_src + L"' To '"), 0u) << m_out;
  EXPECT_FALSE(ExistsForTesting(m_src + L"/x/Debug"));
  ASSERT_EQ(Run({L"files", L"--yes"}), 0) << m_err;
  EXPECT_NE(m_out.find(L"extension 'obj pdb sbr ilk pch idb ncb exe'"), CString::npos) << m_out;
  EXPECT_NE(m_out.find(L"\nNo files found\n== Finished\n"), CString::npos) << m_out;
  const CString settings = Settings();
  EXPECT_NE(settings.find(L"Extensions=obj pdb sbr ilk pch idb ncb exe\n"), CString::npos) << settings;
  EXPECT_NE(settings.find(L"Folder Name=Debug\n"), CString::npos) << settings;
}

TEST_F(VelmoraCli, InvalidInputAndUnansweredQuestionsMoveNothing) {
  WriteFileForTesting(m_src + L"/a.obj", "a");
  const CString missing = m_home / L"missing";

  if (!IsWindows()) {  // nothing stored yet: no source at all
    EXPECT_EQ(Run({L"files", L"--ext", L"obj", L"--yes"}), 2);
    EXPECT_EQ(m_err, L"Wrong path: Please, specify the path\n");
  }
  // The source is checked first, with the dialog's texts.
  EXPECT_EQ(Run({L"files", missing, L"--ext", L""}), 2);
  EXPECT_EQ(m_err, L"Wrong path: The root folder '" + missing + L"' does not exists\n");
  EXPECT_EQ(m_out, L"");
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"  ", L"--yes"}), 2);
  EXPECT_EQ(m_err, L"Wrong extension: Please, specify the extension for file you want to remove\n");
  EXPECT_EQ(Run({L"folders", m_src, L"--names", L"", L"--dry-run"}), 2);
  EXPECT_EQ(m_err, L"Wrong folder name: Please, specify the folder name you want to remove \n");

  if (IsWindows()) {
    // Without a drive letter a source has no trash folder, and the flattened
    // names of its items would be corrupted.
    for (const CString& source : {L"\\\\?\\" + m_src, CString(L"\\\\server\\share\\src")}) {
      EXPECT_EQ(Run({L"files", source, L"--ext", L"obj", L"--yes"}), 2) << source;
      EXPECT_EQ(m_err,
                L"Wrong path: The root folder '" + source + L"' does not start with a drive letter (such as C:\\)\n");
    }
    // Written with slashes it is the same network path, not a "/x" option.
    EXPECT_EQ(Run({L"files", L"//server/share/src", L"--ext", L"obj", L"--yes"}), 2);
    EXPECT_NE(m_err.find(L"Wrong path: The root folder '\\\\server"), CString::npos) << m_err;
  }
  // No terminal and no --yes: the question is refused, even with an answer
  // waiting on the input.
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj"}, "y\n"), 2);
  EXPECT_NE(m_err.find(L"no terminal"), CString::npos) << m_err;
  EXPECT_EQ(m_out, L"");

  // A wrong command line.
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--preset", L"cpp"}), 2);
  EXPECT_EQ(Run({L"files", m_src, L"--preset", L"iar"}), 2);
  EXPECT_EQ(Run({L"folders", m_src, L"--preset", L"cpp"}), 2);
  EXPECT_EQ(Run({L"folders", m_src, L"--names", L"Debug", L"--preset", L"vs"}), 2);
  EXPECT_EQ(Run({L"rename", m_src}), 2);
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({L"--version"}), 0);
  EXPECT_EQ(m_out, L"velmora 1.0\n");

  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
  if (IsWindows()) GTEST_SKIP() << "the prefix's log is shared by tests running side by side";
  // Four runs started and ended the program, but no job ever began.
  EXPECT_EQ(Occurrences(Log(), L"==Exit App"), 4u) << Log();
  EXPECT_EQ(Log().find(L"-Start     : "), CString::npos) << Log();
}

TEST_F(VelmoraCli, HelpShowsEveryPresetWithItsList) {
  ASSERT_EQ(Run({L"files", L"--help"}), 0);
  for (const wchar_t* line : {L"cpp \"obj pdb sbr ilk pch idb ncb exe\"", L"mplab \"o\"",
                              L"vs \"obj pdb idb ilk pch ipch iobj ipdb tlog lastbuildstate\"",
                              L"gcc \"o d gcda gcno\"", L"keil \"o d crf lst map axf htm lnp dep\"",
                              L"--older-than DAYS", L"--dry-run"})
    EXPECT_NE(m_out.find(line), CString::npos) << line << "\n" << m_out;
  ASSERT_EQ(Run({L"folders", L"--help"}), 0);
  for (const wchar_t* line : {L"vs \"Debug Release x64 ipch .vs\"", L"cmake \"CMakeFiles\"", L"--older-than DAYS"})
    EXPECT_NE(m_out.find(line), CString::npos) << line << "\n" << m_out;
}

TEST_F(VelmoraCli, PresetsGiveTheirLists) {
  WriteFileForTesting(m_src + L"/a.gcda", "a");
  WriteFileForTesting(m_src + L"/build/CMakeFiles/x.o", "x");
  ASSERT_EQ(Run({L"files", m_src, L"--preset", L"GCC", L"--dry-run"}), 0) << m_err;
  EXPECT_EQ(Occurrences(m_out, L"a.gcda"), 1u) << m_out;
  EXPECT_NE(m_out.find(L"== Dry run: 2 items"), CString::npos) << m_out;  // a.gcda and x.o
  ASSERT_EQ(Run({L"folders", m_src, L"--preset", L"cmake", L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(L"CMakeFiles\n== Dry run: 1 items"), CString::npos) << m_out;
}

TEST_F(VelmoraCli, OlderThanTakesOnlyWhatIsThatOld) {
  // A year back: far from the edge whatever the clock says meanwhile.
  const uint64_t old = CFileTime::kUnixEpoch + (static_cast<uint64_t>(std::time(nullptr)) - 365 * 86400) *
                                                   CFileTime::kSecond;
  WriteFileForTesting(m_src + L"/old.obj", "o");
  WriteFileForTesting(m_src + L"/young.obj", "y");
  WriteFileForTesting(m_src + L"/a/Debug/x/old.o", "o");
  WriteFileForTesting(m_src + L"/b/Debug/x/young.o", "y");
  for (const wchar_t* item : {L"/old.obj", L"/a/Debug/x/old.o", L"/a/Debug/x"})
    ASSERT_TRUE(SetLastWriteTimeForTesting(m_src + item, old)) << item;

  // Files by a dry run, folders by a real one: the days reach both.
  ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--older-than", L"30", L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(L"old.obj\n== Dry run: 1 items"), CString::npos) << m_out;
  ASSERT_EQ(Run({L"folders", m_src, L"--names", L"Debug", L"--older-than=30", L"--yes"}), 0) << m_err;
  EXPECT_EQ(m_out.find(L"== Move Dirs with name 'Debug' older than 30 days from '"), 0u) << m_out;
  EXPECT_NE(m_out.find(L"\n== Done: 1 of 1 \n"), CString::npos) << m_out;
  EXPECT_FALSE(ExistsForTesting(m_src + L"/a/Debug"));
  EXPECT_TRUE(ExistsForTesting(m_src + L"/b/Debug/x/young.o"));
}

TEST_F(VelmoraCli, InvalidDaysAreInvalidInput) {
  WriteFileForTesting(m_src + L"/a.obj", "a");
  for (const wchar_t* days : {L"abc", L"-1", L"1.5", L"", L"1000001", L"30d", L" 3", L"99999999999999999999"}) {
    EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--older-than", days, L"--yes"}), 2) << days << m_out;
    EXPECT_NE(m_err.find(L"--older-than"), CString::npos) << days << ": " << m_err;
    if (CString(days) != L"-1") {  // CLI11 may take it for an option
      EXPECT_NE(m_err.find(L"DAYS must be a whole number of days from 0 to 1000000, not '" + CString(days) + L"'"),
                CString::npos) << m_err;
    }
  }
  EXPECT_EQ(Run({L"folders", m_src, L"--names", L"Debug", L"--older-than=-1", L"--dry-run"}), 2);
  EXPECT_NE(m_err.find(L"not '-1'"), CString::npos) << m_err;
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--older-than"}), 2);
  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--older-than", L"1000000", L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(L"== Dry run: 0 items"), CString::npos) << m_out;
}

TEST_F(VelmoraCli, ItemsThatCannotBeMovedEndWithExitCodeOne) {
  // Both flatten to the same name in the batch folder: the second move
  // finds it taken, fails, and leaves its file in place.
  WriteFileForTesting(m_src + L"/a/b_c.obj", "first");
  WriteFileForTesting(m_src + L"/a_b/c.obj", "second");
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 1) << m_err;
  EXPECT_EQ(Occurrences(m_out, L" ERROR  From "), 1u) << m_out;
  EXPECT_NE(m_out.find(L"== Done: 1 of 2 \n== Finished\n"), CString::npos) << m_out;
  EXPECT_TRUE(ExistsForTesting(m_src + L"/a/b_c.obj") != ExistsForTesting(m_src + L"/a_b/c.obj"));

}

TEST_F(VelmoraCli, AFolderTheRunCannotOpenIsALineAndExitCodeOne) {
  if (IsWindows()) GTEST_SKIP() << "the limit on open folders is set by a POSIX shell";
  // Deeper than the folders the program may hold open: the part it cannot
  // reach is named and the run fails, also when the count pass found
  // nothing, and also dry.
  CString deep = m_src;
  for (int i = 0; i < 40; ++i) deep += L"/d";
  WriteFileForTesting(deep + L"/x.obj", "x");
  WriteFileForTesting(m_src + L"/a.obj", "a");
  const CString script = L"ulimit -n 24 && exec \"$0\" \"$@\"";
  for (const wchar_t* list : {L"obj", L"none"}) {
    EXPECT_EQ(RunScript(script, {L"files", m_src, L"--ext", list, L"--yes"}), 1) << m_err;
    EXPECT_EQ(Occurrences(m_out, L"== Cannot open folder '" + m_src + L"/d/d/"), 1u) << m_out;
  }
  EXPECT_TRUE(ExistsForTesting(deep + L"/x.obj"));
  EXPECT_EQ(RunScript(script, {L"files", m_src, L"--ext", L"obj", L"--dry-run"}), 1) << m_err;
  EXPECT_NE(m_out.find(L"== Cannot open folder '"), CString::npos) << m_out;
}

TEST_F(VelmoraCli, ATrashFolderThatCannotBeMadeEndsWithExitCodeOne) {
  if (IsWindows()) GTEST_SKIP() << "the trash folder of a Windows source is at its drive's root";
  // A file stands where the trash folder of the home volume would go: no
  // trash folder can be made, and nothing is asked or moved.
  WriteFileForTesting(m_src + L"/a.obj", "a");
  WriteFileForTesting(m_home / L"Trush", "a file");
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj"}), 1);
  EXPECT_EQ(m_err, L"Error: Cannot create folder " + (m_home / L"Trush") + L"\n");
  EXPECT_EQ(m_out, L"");
  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
}

TEST_F(VelmoraCli, DryRunListsWhatWouldMoveAndChangesNothing) {
  WriteFileForTesting(m_src + L"/a.obj", "aaa");
  WriteFileForTesting(m_src + L"/Debug/x.txt", "xxxxx");
  WriteFileForTesting(m_src + L"/Debug/y.obj", "yy");
  const CString sep(1, PlatformPathSeparator());

  ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(m_src + sep + L"a.obj\n"), CString::npos) << m_out;
  EXPECT_NE(m_out.find(m_src + sep + L"Debug" + sep + L"y.obj\n"), CString::npos) << m_out;
  EXPECT_NE(m_out.find(L"\n== Dry run: 2 items, 5 bytes\n"), CString::npos) << m_out;
  ASSERT_EQ(Run({L"folders", m_src, L"--names", L"debug", L"-n"}), 0) << m_err;
  EXPECT_EQ(m_out, m_src + sep + L"Debug\n== Dry run: 1 items, 7 bytes\n");

  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
  EXPECT_TRUE(ExistsForTesting(m_src + L"/Debug/y.obj"));
  // No trash folder is made, no log written, no setting stored.
  if (IsWindows()) GTEST_SKIP() << "the prefix's log and settings are shared by tests running side by side";
  EXPECT_FALSE(ExistsForTesting(m_home / L"Trush"));
  EXPECT_FALSE(ExistsForTesting(m_home / L"Velmora.log"));
  EXPECT_FALSE(ExistsForTesting(m_home / L".config/VelmoraLabs"));
}

TEST_F(VelmoraCli, CtrlCDuringTheWorkPassStopsTheRun) {
  if (IsWindows()) GTEST_SKIP() << "a Ctrl-C cannot be aimed at one child process";
  const int kFiles = 3000;
  for (int i = 0; i < kFiles; ++i) WriteFileForTesting(m_src + Format(L"/d%02d/f%04d.obj", i % 30, i), "x");

  CTestProcess process;
  Start(process, {L"files", m_src, L"--ext", L"obj", L"--yes"});
  // Ctrl-C once the first item has moved.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (ReadText(m_home / L"out.txt").find(L" OK ") == CString::npos && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(process.Interrupt());
  EXPECT_EQ(process.Wait(), 3);

  const CString out = ReadText(m_home / L"out.txt");
  EXPECT_NE(out.find(L"\nERROR: Canceled by user request \n"), CString::npos) << out.substr(out.size() - 200);
  EXPECT_EQ(out.find(L"== Finished"), CString::npos);
  EXPECT_EQ(ReadText(m_home / L"err.txt"), L"Error: ERROR: Canceled by user request \n");
  // What moved stays moved; the rest stays in place.
  const std::vector<CString> moved = MovedTo(out);
  ASSERT_GE(moved.size(), 1u);
  EXPECT_LT(moved.size(), static_cast<size_t>(kFiles));
  for (const CString& destination : moved) EXPECT_TRUE(ExistsForTesting(destination)) << destination;
  int left = 0;
  for (int i = 0; i < kFiles; ++i) left += ExistsForTesting(m_src + Format(L"/d%02d/f%04d.obj", i % 30, i));
  EXPECT_EQ(left, kFiles - static_cast<int>(moved.size()));
  // The job and the program end in the log.
  const CString log = Log();
  EXPECT_NE(log.find(L"-End       : "), CString::npos);
  EXPECT_NE(log.find(L"==Exit App"), CString::npos);
}

TEST_F(VelmoraCli, CtrlCBeforeTheWalkEndsTheRunEvenWhenItFindsNothing) {
  if (IsWindows()) GTEST_SKIP() << "a Ctrl-C cannot be aimed at one child process";
  WriteFileForTesting(m_src + L"/a.obj", "a");
  // The first line (the announcement, with the list in it) is longer than a
  // pipe holds, so once its first byte is read the program is still writing
  // it: past its interrupt handler, before the walk.
  const CString script =
      L"fifo=$1; shift; [ -p \"$fifo\" ] || mkfifo \"$fifo\"; \"$0\" \"$@\" --yes > \"$fifo\" & pid=$!; "
      L"exec 3< \"$fifo\"; read -r -N 1 -u 3 first; kill -INT $pid; printf %s \"$first\"; cat <&3; wait $pid";
  const CString padding(100000, L'z');
  const CString fifo = m_home / L"out.fifo";

  EXPECT_EQ(RunScript(script, {fifo, L"folders", m_src, L"--names", padding}), 3) << m_err;
  EXPECT_NE(m_out.find(L"\nERROR: Canceled by user request \n"), CString::npos);
  EXPECT_EQ(m_out.find(L"No dirs found"), CString::npos);
  EXPECT_EQ(m_err, L"Error: ERROR: Canceled by user request \n");
  // A run with matches stops in its count pass: nothing moves.
  EXPECT_EQ(RunScript(script, {fifo, L"files", m_src, L"--ext", L"obj " + padding}), 3) << m_err;
  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
  EXPECT_EQ(Occurrences(Log(), L"-End       : "), 2u) << Log();
}

TEST_F(VelmoraCli, AClosedOutputNeitherCutsTheRunShortNorEndsWithSuccess) {
  if (IsWindows()) GTEST_SKIP() << "a closed pipe ends a program by a signal on POSIX only";
  // Far more lines than a pipe holds: the program writes on after head has
  // gone.
  const int kFiles = 400;
  const auto file = [this](int i) { return m_src + Format(L"/d%d/%s%03d.obj", i % 4, CString(100, L'x'), i); };
  for (int i = 0; i < kFiles; ++i) WriteFileForTesting(file(i), "x");

  EXPECT_EQ(RunScript(L"set -o pipefail; \"$0\" files \"$1\" --ext obj --yes | head -3", {m_src}), 1) << m_err;
  EXPECT_EQ(Occurrences(m_out, L"\n"), 3u);
  // Every item moved and logged; the job and the program ended in the log.
  const CString log = Log();
  EXPECT_EQ(Occurrences(log, L"...        : "), static_cast<size_t>(kFiles));
  EXPECT_NE(log.find(L"-End       : "), CString::npos);
  EXPECT_NE(log.find(L"==Exit App"), CString::npos);
  for (int i = 0; i < kFiles; ++i) EXPECT_FALSE(ExistsForTesting(file(i))) << i;
}

TEST_F(VelmoraCli, ATypedSourceIsTakenAsTypedAndTheStoredOneTrimmed) {
  if (IsWindows()) GTEST_SKIP() << "Windows drops the blanks at the end of a path";
  WriteFileForTesting(m_src + L" /a.obj", "a");  // "src " beside "src"
  WriteFileForTesting(m_src + L"/b.obj", "b");
  ASSERT_EQ(Run({L"files", m_src + L" ", L"--ext", L"obj", L"--yes"}), 0) << m_err;
  EXPECT_FALSE(ExistsForTesting(m_src + L" /a.obj"));
  EXPECT_TRUE(ExistsForTesting(m_src + L"/b.obj"));
  // The next run takes the stored source, trimmed as the dialog trims it.
  ASSERT_EQ(Run({L"files", L"--yes"}), 0) << m_err;
  EXPECT_FALSE(ExistsForTesting(m_src + L"/b.obj"));
}

}  // namespace

TEST_F(VelmoraCli, ALogThatCannotBeOpenedMovesNothing) {
  if (IsWindows()) GTEST_SKIP() << "the prefix's log is shared by tests running side by side";
  const CString logPath = GetMyPersonalPath() + PlatformPathSeparator() + L"Velmora.log";
  CFile holder;  // this process holds the log, as a running instance would
  ASSERT_TRUE(holder.Open(logPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  holder.Write("mine\r\n", 6);
  WriteFileForTesting(m_src + L"/a.obj", "a");

  // A move that is not logged could not be traced: the run is refused
  // before anything is made or moved.
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 1);
  EXPECT_EQ(m_err, L"velmora: the log file '" + logPath +
                       L"' cannot be opened (another running instance may hold it, or it cannot be written): " +
                       PlatformErrorText(EWOULDBLOCK) + L"; nothing was moved\n");
  EXPECT_EQ(m_out, L"");
  EXPECT_TRUE(ExistsForTesting(m_src + L"/a.obj"));
  EXPECT_FALSE(ExistsForTesting(m_home / L"Trush"));
  // A dry run needs no log.
  EXPECT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--dry-run"}), 0) << m_err;
  holder.Close();
  EXPECT_EQ(Log(), L"mine\n");  // the second opener wrote nothing into it
}

TEST_F(VelmoraCli, RestoreListAndPurgeUndoARunAndDeleteOnlyOldBatches) {
  // Under Wine the trash folder is the drive's, shared with earlier tests:
  // a run of theirs in the same second would share the batch folder.
  if (IsWindows()) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  WriteFileForTesting(m_src + L"/a b/x.obj", "xx");
  WriteFileForTesting(m_src + L"/\u00fc/y.obj", "yyy");
  ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 0) << m_err;
  const std::vector<CString> moved = MovedTo(m_out);
  ASSERT_EQ(moved.size(), 2u);
  const CString batch = moved[0].substr(0, moved[0].find_last_of(PlatformPathSeparator()));
  const CString name = batch.substr(batch.find_last_of(PlatformPathSeparator()) + 1);

  ASSERT_EQ(Run({L"list", L"--source", m_src}), 0) << m_err;
  EXPECT_NE(m_out.find(name + L"  "), CString::npos) << m_out;
  EXPECT_NE(m_out.find(L"  2 items  5 bytes  2 restorable\n"), CString::npos) << m_out;

  // Refused or dry: nothing moves.
  EXPECT_EQ(Run({L"restore", name, L"--source", m_src}), 2);
  EXPECT_NE(m_err.find(L"no terminal"), CString::npos) << m_err;
  EXPECT_EQ(Run({L"restore"}), 2);
  EXPECT_EQ(Run({L"restore", L"2026_13_01_00_00_00", L"--source", m_src}), 2);
  ASSERT_EQ(Run({L"restore", batch, L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(L"\n== Dry run: 2 of 2 items would go back, 0 left in place\n"), CString::npos) << m_out;
  EXPECT_TRUE(ExistsForTesting(moved[0]) && ExistsForTesting(moved[1]));

  ASSERT_EQ(Run({L"restore", name, L"--source", m_src, L"--yes"}), 0) << m_err;
  EXPECT_EQ(m_out.find(L"== Restore 2 items from '" + batch + L"'\n"), 0u) << m_out;
  EXPECT_NE(m_out.find(L"\n== Done: 2 of 2 \n== Finished\n"), CString::npos) << m_out;
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(m_src + L"/a b/x.obj", bytes) && bytes == "xx");
  EXPECT_TRUE(ReadFileForTesting(m_src + L"/\u00fc/y.obj", bytes) && bytes == "yyy");
  EXPECT_FALSE(ExistsForTesting(batch));
  if (!IsWindows()) {
    EXPECT_NE(Log().find(L"-Start     : "), CString::npos);
    EXPECT_NE(Log().find(L"Restore"), CString::npos);
    ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 0) << m_err;
    ASSERT_EQ(Run({L"restore", L"--last", L"--yes"}), 0) << m_err;  // the stored source's trash folder
    EXPECT_TRUE(ExistsForTesting(m_src + L"/a b/x.obj"));
  }

  // Purge: only the batch folder older than the limit goes; a dry run first.
  const CString trash = batch.substr(0, batch.find_last_of(PlatformPathSeparator()));
  const CString old = trash + PlatformPathSeparator() + L"2001_01_01_00_00_00";
  const CString young = trash + PlatformPathSeparator() + L"2099_01_01_00_00_00";
  ASSERT_TRUE(WriteFileForTesting(old + PlatformPathSeparator() + L"_o.obj", "o"));
  ASSERT_TRUE(WriteFileForTesting(young + PlatformPathSeparator() + L"_y.obj", "y"));
  ASSERT_EQ(Run({L"purge", L"--older-than", L"3650", L"--source", m_src, L"--dry-run"}), 0) << m_err;
  EXPECT_NE(m_out.find(old + L"  1 bytes\n"), CString::npos) << m_out;
  EXPECT_TRUE(ExistsForTesting(old));
  EXPECT_EQ(Run({L"purge", L"--older-than", L"-1", L"--source", m_src}), 2);
  ASSERT_EQ(Run({L"purge", L"--older-than", L"3650", L"--source", m_src, L"--yes"}), 0) << m_err;
  EXPECT_NE(m_out.find(L" OK  Deleted " + old + L"\n"), CString::npos) << m_out;
  EXPECT_FALSE(ExistsForTesting(old));
  EXPECT_TRUE(ExistsForTesting(young));
  RemoveTreeForTesting(young);
}

// A dry run says what the restore would do: a batch folder that is a link
// is refused by both, and nothing moves.
TEST_F(VelmoraCli, ABatchFolderThatIsALinkIsRefusedDryOrNot) {
  if (IsWindows()) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  WriteFileForTesting(m_src + L"/a.obj", "a");
  ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 0) << m_err;
  const std::vector<CString> moved = MovedTo(m_out);
  ASSERT_EQ(moved.size(), 1u);
  const CString batch = moved[0].substr(0, moved[0].find_last_of(PlatformPathSeparator()));
  const CString elsewhere = m_home / L"elsewhere";
  ASSERT_TRUE(MakeFoldersForTesting(elsewhere));
  const CString item = moved[0].substr(batch.size());
  ASSERT_EQ(std::rename(NarrowToAnsi(moved[0]).c_str(), NarrowToAnsi(elsewhere + item).c_str()), 0);
  ASSERT_TRUE(RemoveTreeForTesting(batch));
  if (!MakeLinkForTesting(elsewhere, batch, true) && !MakeUnixLinkForTesting(elsewhere, batch))
    GTEST_SKIP() << "no links can be made here";
  for (const bool dry : {true, false}) {
    // By name: a path would be resolved, link and all, before it is checked.
    const CString name = batch.substr(batch.find_last_of(PlatformPathSeparator()) + 1);
    std::vector<CString> arguments{L"restore", name, L"--source", m_src, L"--yes"};
    if (dry) arguments.push_back(L"--dry-run");
    EXPECT_EQ(Run(arguments), 1) << m_err;
    EXPECT_EQ(m_out.find(L"would go back"), CString::npos) << m_out;
    EXPECT_TRUE(ExistsForTesting(elsewhere + item));
    EXPECT_FALSE(ExistsForTesting(m_src + L"/a.obj"));
  }
}

// A run over the folder that holds the log and the settings moves neither:
// the log keeps the records that make the run restorable.
TEST_F(VelmoraCli, ARunNeverMovesItsOwnLogOrSettings) {
  if (IsWindows()) GTEST_SKIP() << "the prefix's log and registry are shared by tests running side by side";
  const CString log = GetMyPersonalPath() + PlatformPathSeparator() + L"Velmora.log";
  ASSERT_EQ(log.compare(0, m_home.Path().size(), m_home.Path()), 0) << "the log lies in the test's home";
  WriteFileForTesting(m_src + L"/a.log", "a");
  WriteFileForTesting(m_src + L"/b.ini", "b");
  ASSERT_EQ(Run({L"files", m_src, L"--ext", L"obj", L"--yes"}), 0) << m_err;  // stores the settings
  ASSERT_TRUE(ExistsForTesting(log));
  ASSERT_EQ(Run({L"files", m_home.Path(), L"--ext", L"log ini", L"--yes"}), 0) << m_err;
  EXPECT_EQ(MovedTo(m_out).size(), 2u) << m_out;
  EXPECT_TRUE(ExistsForTesting(log));
  EXPECT_TRUE(ExistsForTesting(m_home / L".config/VelmoraLabs/Velmora.ini"));
  ASSERT_EQ(Run({L"list", L"--source", m_home.Path()}), 0) << m_err;
  EXPECT_NE(m_out.find(L"  2 items  2 bytes  2 restorable\n"), CString::npos) << m_out;
}
