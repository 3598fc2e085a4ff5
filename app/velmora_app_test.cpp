#include "app/velmora_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/fs/file_hooks.h"
#include "platform/sys/clock.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "winui/system_folders.h"

namespace {

struct LogState : CLogFile {
  static CFile& File() { return m_file; }
};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class VelmoraAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::current_path() /
               ("app_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    m_app.m_strLogFolder = m_folder.wstring();
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, 34, 50});
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }
  std::string Log() const { return ReadAll(m_folder / "Velmora.log"); }

  CScopedProcessState m_state;
  std::filesystem::path m_folder;
  CVelmoraApp m_app{L"VelmoraTestApp"};
};

}  // namespace

TEST_F(VelmoraAppTest, StartAndExitRecordsSurroundTheMainPart) {
  m_app.m_fnMain = [](CVelmoraApp& app) {
    EXPECT_TRUE(CLogFile().IsReady());
    EXPECT_EQ(app.m_strRegistryKey, L"VelmoraLabs");
    CLogFile().Begin(L"Move Files");
    return 3;
  };
  EXPECT_EQ(m_app.Run(), 3);
  EXPECT_FALSE(CLogFile().IsOpen());

  // The records' own form is the log's tests'; here their order, and the
  // exit record's empty line written before the log closed.
  const std::string log = Log();
  const size_t os = log.find("\r\n=OS=  "), job = log.find("\r\n-Start  "), exit = log.find("\r\n==Exit App ");
  EXPECT_TRUE(log.rfind("==Start App ", 0) == 0 && os < job && job < exit && exit != std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - 4), "\r\n\r\n") << log;
}

TEST_F(VelmoraAppTest, ProgramRunsWhenTheLogCannotBeOpened) {
  // No such folder: the log stays closed and silent.
  m_app.m_strLogFolder = (m_folder / "missing").wstring();
  m_app.m_fnMain = [](CVelmoraApp&) {
    EXPECT_FALSE(CLogFile().IsOpen());
    return 1;
  };
  EXPECT_EQ(m_app.Run(), 1);
  EXPECT_FALSE(std::filesystem::exists(m_folder / "missing"));
}

TEST_F(VelmoraAppTest, ProgramRunsWhenTheLogCannotBeWrittenAtExit) {
  m_app.m_fnMain = [](CVelmoraApp&) {
    BreakFileForTesting(LogState::File());
    return 2;
  };
  EXPECT_EQ(m_app.Run(), 2);
}

TEST_F(VelmoraAppTest, WithoutADocumentsFolderTheLogGoesToTheProfileNeverToARoot) {
  CScopedNoDocumentsFolder noDocuments;
  if (!noDocuments.IsActive()) GTEST_SKIP() << "the POSIX documents folder falls back to $HOME by itself";
  ASSERT_EQ(GetMyPersonalPath(), L"");
  // Whoever starts the program decides its environment.
  CScopedEnvironment profile(L"USERPROFILE", L"");
  m_app.m_strLogFolder.clear();
  const CString path = m_app.GetLogPath();
  const size_t slash = path.rfind(L'\\');
  ASSERT_NE(slash, CString::npos) << path;
  EXPECT_EQ(path.substr(slash), L"\\Velmora.log");
  EXPECT_GT(slash, 3u) << path;  // no drive's root
  EXPECT_TRUE(ExistsForTesting(path.substr(0, slash))) << path;
}
