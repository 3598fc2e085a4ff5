#include "log/log_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "log/os_version.h"
#include "platform/encoding.h"
#include "platform/exception.h"
#include "platform/fs/file.h"
#include "platform/fs/file_hooks.h"
#include "platform/sys/clock.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

// Reaches the class-wide state so that every test starts from the state of a
// fresh process.
struct LogState : CLogFile {
  using CLogFile::DefaultPathFor;
  // Closes the file without writing and forgets what is pending.
  static void Drop() {
    m_file.Close();
    m_strLogText.clear();
  }
  static const CString& Pending() { return m_strLogText; }
  static CFile& File() { return m_file; }
};

CString TestFilePath(const char* name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return GetProcessCurrentDirectory(4096) + PlatformPathSeparator() + L"log_" + WidenFromAnsi(info->name()) +
         L"_" + WidenFromAnsi(name);
}

// Windows holds the open log exclusively: readers wait for Close.
std::string ReadAll(const CString& path) {
  std::ifstream in(NarrowToAnsi(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = TestFilePath("a.log");
    std::remove(NarrowToAnsi(path_).c_str());
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, 34, 50});
  }
  void TearDown() override {
    CLogFile().Close();
    std::remove(NarrowToAnsi(path_).c_str());
  }
  CScopedProcessState m_state;
  CString path_;
};

}  // namespace

TEST_F(LogFileTest, WorkedExampleByteForByte) {
  CLogFile log(path_);
  ASSERT_TRUE(log.IsReady());
  log.StartApp(L"");
  log.Begin(L"Move Files");
  log.Log(L"C:\\src\\a.obj");
  log.End(L"Move Files");
  log.ExitApp(L"");
  log.Close();

  const std::string stamp = "'12/05/2026 02:34:50'";
  const std::string blanks50(50, ' ');
  const std::vector<std::string> lines = Lines(ReadAll(path_));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "==Start App : " + stamp + "  " + blanks50);
  const std::string os = NarrowToAnsi(COSVersion().GetVersionString());
  ASSERT_FALSE(os.empty());
  EXPECT_EQ(lines[1], "=OS=       :   " + os + std::string(os.size() < 50 ? 50 - os.size() : 0, ' '));
  EXPECT_EQ(lines[2], "-Start     : " + stamp + "  Move Files" + std::string(40, ' '));
  EXPECT_EQ(lines[3], "...        : " + stamp + "  C:\\src\\a.obj" + std::string(38, ' '));
  EXPECT_EQ(lines[4], "-End       : " + stamp + "  Move Files" + std::string(40, ' '));
  EXPECT_EQ(lines[5], "==Exit App : " + stamp + "  " + blanks50);
  EXPECT_EQ(lines[6], "");
}

TEST_F(LogFileTest, FieldsGrowButAreNeverCut) {
  CLogFile log(path_);
  const CString text51(51, L'x');
  log.Write(L"=OS=", text51, false);
  const CString longTag(300, L'T');
  const CString longText(5000, L'y');
  log.Write(longTag, longText, true);
  log << L"raw";
  log.Write(CString(L"-text"));
  log.Close();
  const std::string all = ReadAll(path_);
  const std::string tail = "raw-text";
  // operator<< and the one-string Write add exactly their text.
  ASSERT_GT(all.size(), tail.size());
  EXPECT_EQ(all.substr(all.size() - tail.size()), tail);
  const std::vector<std::string> lines = Lines(all.substr(0, all.size() - tail.size()));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 66u);
  EXPECT_EQ(lines[1], std::string(300, 'T') + " : '12/05/2026 02:34:50'  " + std::string(5000, 'y'));
}

TEST_F(LogFileTest, QueuedRecordsComeFirstWithTheirOwnStampAndOthersVanish) {
  CLogFile early;
  early.Begin(L"lost begin");
  early.StartApp(L"lost start");
  early.ExitApp(L"lost exit");
  early.OS();
  early.Log(L"queued item");
  m_state.PinClock(CLocalTime{2026, 12, 5, 2, 34, 51});
  early.End(L"queued end");

  m_state.PinClock(CLocalTime{2026, 12, 6, 10, 0, 0});
  ASSERT_TRUE(CLogFile().Open(path_));
  CLogFile().Begin(L"job");
  CLogFile().Close();

  const std::vector<std::string> lines = Lines(ReadAll(path_));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 50), "...        : '12/05/2026 02:34:50'  queued item   ");
  EXPECT_EQ(lines[1].substr(0, 49), "-End       : '12/05/2026 02:34:51'  queued end   ");
  EXPECT_EQ(lines[2].substr(0, 42), "-Start     : '12/06/2026 10:00:00'  job   ");
}

TEST_F(LogFileTest, OpenKeepsReopensAndAppends) {
  {
    CLogFile a(path_);
    CLogFile b(a);
    a.Log(L"one");
  }  // objects are handles: destroying them leaves the file open
  CLogFile log;
  EXPECT_TRUE(log.IsOpen());
  EXPECT_TRUE(log.Open(path_));         // same path: kept
  EXPECT_TRUE(log.Open(CString()));     // empty path while open: kept
  EXPECT_EQ(log.GetFilePathName(), path_);
  log.Suspend();
  EXPECT_FALSE(log.IsOpen());
  ASSERT_TRUE(log.Resume());
  log.Log(L"two");
  log.Close();
  ASSERT_TRUE(log.Open(path_));
  log.Log(L"three");
  log.Close();
  const std::vector<std::string> lines = Lines(ReadAll(path_));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("one"), std::string::npos);
  EXPECT_NE(lines[1].find("two"), std::string::npos);
  EXPECT_NE(lines[2].find("three"), std::string::npos);

  // A path differing only in letter case is another path: closed and reopened.
  ASSERT_TRUE(log.Open(path_));
  CString other = path_;
  other[other.size() - 5] = L'A';  // ..._a.log -> ..._A.log
  log.Log(L"pending");
  const bool reopened = log.Open(other);
  EXPECT_EQ(log.GetFilePathName(), other);
  log.Close();
  EXPECT_NE(ReadAll(path_).find("pending"), std::string::npos);  // written to the old file first
  if (reopened && other != path_) std::remove(NarrowToAnsi(other).c_str());
}

TEST_F(LogFileTest, SecondOpenerFailsAndFailureSticksUntilClose) {
  CFile holder;  // another opener holds the file exclusively
  ASSERT_TRUE(holder.Open(path_, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  CLogFile log;
  EXPECT_FALSE(log.Open(path_));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_FALSE(log.IsReady());
  holder.Close();
  EXPECT_FALSE(log.Open(path_));  // refused until Close
  EXPECT_FALSE(log.Resume());
  log.Close();
  EXPECT_TRUE(log.Open(path_));

  const CString missing = TestFilePath("no-such-folder") + PlatformPathSeparator() + L"x.log";
  log.Close();
  EXPECT_FALSE(log.Open(missing));  // the folder is never created
  EXPECT_FALSE(log.Open(path_));
}

TEST_F(LogFileTest, OnlyARegularFileCanBeTheLog) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(tmp.IsValid());
  const CString device = PlatformPathSeparator() == L'/' ? L"/dev/null" : L"NUL";
  for (const CString& path : {tmp.Path(), device}) {
    CLogFile log;
    log.Close();
    ASSERT_FALSE(log.Open(path)) << NarrowToAnsi(path);
    EXPECT_FALSE(log.Open(path_)) << "a failed open sets the fail flag";
  }
  CLogFile().Close();
  const CString fifo = tmp / L"fifo.log";
  if (!MakeFifoForTesting(fifo)) GTEST_SKIP() << "no FIFOs here";
  EXPECT_FALSE(CLogFile().Open(fifo));  // at once, although no reader is there
}

// Someone else's log is never appended to: a link at the path (for root,
// any file could be reached), a file of another user, one others may write.
TEST_F(LogFileTest, OnlyTheUsersOwnFileIsOpenedNeverALink) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(tmp.IsValid());
  const CString target = tmp / L"target.txt", link = tmp / L"link.log";
  ASSERT_TRUE(WriteFileForTesting(target, "keep"));
  if (!MakeLinkForTesting(target, link, false) && !MakeUnixLinkForTesting(target, link))
    GTEST_SKIP() << "no links can be made here";
  CLogFile log;
  log.Close();
  EXPECT_FALSE(log.Open(link));
  EXPECT_EQ(log.GetOpenError(), kFileErrorLink);
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(target, bytes) && bytes == "keep");
  log.Close();
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "owners and modes are POSIX's";
  const CString shared = tmp / L"shared.log";
  ASSERT_TRUE(WriteFileForTesting(shared));
  std::filesystem::permissions(NarrowToAnsi(shared), std::filesystem::perms::others_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(log.Open(shared));
  EXPECT_EQ(log.GetOpenError(), kFileErrorWritableByOthers);
  log.Close();
  const CString foreign = tmp / L"foreign.log";
  ASSERT_TRUE(WriteFileForTesting(foreign));
  if (!GiveAwayForTesting(foreign)) GTEST_SKIP() << "only root can give a file away";
  EXPECT_FALSE(log.Open(foreign));
  EXPECT_EQ(log.GetOpenError(), kFileErrorOtherOwner);
}

TEST_F(LogFileTest, ATornLastLineIsEndedBeforeTheNextRecord) {
  for (const std::string& before : {std::string("torn"), std::string("whole\r\n"), std::string("lf\n"),
                                    std::string()}) {
    ASSERT_TRUE(WriteFileForTesting(path_, before));
    CLogFile log(path_);
    log.Log(L"x");
    log.Close();
    const std::string after = ReadAll(path_);
    const std::string expected = before == "torn" ? "torn\r\n" : before;
    EXPECT_EQ(after.substr(0, expected.size()), expected);
    EXPECT_EQ(after.substr(expected.size(), 4), "... ");
  }
}

TEST_F(LogFileTest, RecordsGoToTheEndAfterOthersAppendOrTruncate) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "Windows holds the log exclusively: nothing else writes to it";
  CLogFile log(path_);
  log.Log(L"one");
  std::ofstream(NarrowToAnsi(path_), std::ios::binary | std::ios::app) << "outside\r\n";
  log.Log(L"two");
  std::vector<std::string> lines = Lines(ReadAll(path_));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("one"), std::string::npos);
  EXPECT_EQ(lines[1], "outside");
  EXPECT_NE(lines[2].find("two"), std::string::npos);

  ASSERT_TRUE(WriteFileForTesting(path_, ""));  // cut in place
  log.Log(L"three");
  lines = Lines(ReadAll(path_));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 41), "...        : '12/05/2026 02:34:50'  three");
}

TEST_F(LogFileTest, DefaultPathIsTheTrimmedProgramNameInTheFolder) {
  const CString sep(1, PlatformPathSeparator());
  EXPECT_EQ(LogState::DefaultPathFor(L"/opt/bin/  tool.exe ", L"/cwd"), L"/cwd" + sep + L"tool.log");
  EXPECT_EQ(LogState::DefaultPathFor(L"C:\\Program Files\\a.b.exe", L"D:"), L"D:" + sep + L"a.b.log");
  EXPECT_EQ(LogState::DefaultPathFor(L"tool", L"."), L"." + sep + L"tool.log");
}

// Also while open: queued records wait (Add's text too), the others vanish,
// and nothing is written until logging is allowed again.
TEST_F(LogFileTest, WhileLoggingIsNotAllowedOnlyQueuedRecordsWait) {
  CLogFile log;
  ASSERT_TRUE(log.Open(path_));
  EXPECT_TRUE(log.IsReady());
  log.Add(L"only pending");
  log.Enable(L"", L"LOG");
  EXPECT_TRUE(log.IsOpen());
  EXPECT_FALSE(log.IsReady());
  log.Log(L"kept");
  log.Begin(L"gone");
  log.Close();
  EXPECT_EQ(ReadAll(path_), "");
  log.Enable(L"-log", L"LOG");
  ASSERT_TRUE(log.Open(path_));
  log.Close();
  const std::string text = ReadAll(path_), start = "only pending...        : '12/05/2026 02:34:50'  kept ";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(text.find("gone"), std::string::npos);
}

TEST_F(LogFileTest, EnableMatchesAWordOfTheCommandLine) {
  CLogFile log;
  const struct {
    const wchar_t* line;
    bool allowed;
  } cases[] = {
      {L"/log -x", true},  {L"prog -x --LoG", true}, {L"/logfile", false},
      {L"", false},        {L"-/ ", false},          {L"a/log/b", true},
  };
  for (const auto& c : cases) {
    log.Enable(c.line, L"Log");
    EXPECT_EQ(log.Open(path_), c.allowed) << NarrowToAnsi(c.line);
    log.Close();
  }
}

TEST_F(LogFileTest, InvalidDateAndUnrepresentableTextStillMakeARecord) {
  m_state.PinInvalidClock();
  CLogFile log(path_);
  CString text = L"a";
  text += static_cast<wchar_t>(0xD800);  // an unpaired surrogate fits no 8-bit encoding
  text += L"b";
  text += static_cast<wchar_t>(0xDCFF);  // on POSIX, the path byte 0xFF that is not UTF-8
  text += L"c";
  log.Log(text);
  log.Close();
  const std::string pathByte = PlatformPathSeparator() == L'/' ? "\xFF" : "?";
  EXPECT_EQ(ReadAll(path_).substr(0, 36), "...        : Invalid DateTime  a?b" + pathByte + "c");
}

TEST_F(LogFileTest, ARecordIsWrittenWholeAndOnce) {
  CLogFile log(path_);
  // The OS error of the write's exception; 0 when it threw none.
  auto failure = [&log](const wchar_t* text) -> long {
    try {
      log.Log(text);
    } catch (CFileException* e) {
      const long error = e->m_lOsError;
      e->Delete();
      return error;
    }
    return 0;
  };
  log.Log(L"one");
  FailNextWriteForTesting(LogState::File(), 20);  // a full disk part way
  EXPECT_NE(failure(L"two"), 0);
  EXPECT_NE(LogState::Pending().find(L"two"), CString::npos);
  log.Log(L"three");
  FailNextFlushForTesting(LogState::File());  // written, but the disk flush fails
  EXPECT_NE(failure(L"four"), 0);
  EXPECT_TRUE(LogState::Pending().empty());
  log.Log(L"five");
  log.Close();
  const std::vector<std::string> lines = Lines(ReadAll(path_));
  const char* const words[] = {"one", "two", "three", "four", "five"};
  ASSERT_EQ(lines.size(), 5u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string start = "...        : '12/05/2026 02:34:50'  " + std::string(words[i]);
    EXPECT_EQ(lines[i].substr(0, start.size()), start);
  }

  // A write the OS refuses fails the same way.
  ASSERT_TRUE(log.Open(path_));
  BreakFileForTesting(LogState::File());
  EXPECT_NE(failure(L"kept after failure"), 0);
  EXPECT_NE(LogState::Pending().find(L"kept after failure"), CString::npos);
  LogState::Drop();
  EXPECT_EQ(ReadAll(path_).find("kept"), std::string::npos);
}

TEST_F(LogFileTest, PendingTextIsCappedKeepingTheOldestRecords) {
  CLogFile log;  // not open: every item waits
  const CString item(10000, L'p');
  for (int i = 0; i < 120; ++i) log.Log(item + std::to_wstring(i));
  const size_t cap = size_t(1) << 20;
  EXPECT_LE(LogState::Pending().size(), cap + 200);
  ASSERT_TRUE(log.Open(path_));
  log.Log(L"after");
  log.Close();

  const std::vector<std::string> lines = Lines(ReadAll(path_));
  ASSERT_GT(lines.size(), 100u);
  const size_t kept = lines.size() - 2;
  EXPECT_LT(kept, 120u);
  for (size_t i = 0; i < kept; ++i) EXPECT_EQ(lines[i].substr(36 + 10000), std::to_string(i)) << i;
  EXPECT_EQ(lines[kept].substr(0, 87),
            "=Log=      : '12/05/2026 02:34:50'  Later records dropped: the log could not be written");
  EXPECT_NE(lines[kept + 1].find("after"), std::string::npos);
}
