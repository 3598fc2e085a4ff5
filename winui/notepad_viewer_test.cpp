#include "winui/notepad_viewer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/encoding.h"
#include "platform/sys/shell.h"
#include "testing/test_files.h"
#include "winui/system_folders.h"

namespace {

std::string ReadBytes(const CString& path) {
  std::ifstream in(NarrowToAnsi(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(NotepadViewer, WritesTheTextWithCarriageReturnsBlankedIntoTheTempFolder) {
  const CString name = L"velmora_notepad_test.log";
  const CString path = WriteNotepadFile(L"A\r\nB\rC\n", name);
  EXPECT_EQ(path, GetTempPathW() + name);
  const std::string eol = TextModeLineEnd();
  EXPECT_EQ(ReadBytes(path), "A " + eol + "B C" + eol);

  // The next call replaces the whole content.
  WriteNotepadFile(L"x", name);
  EXPECT_EQ(ReadBytes(path), "x");
  std::remove(NarrowToAnsi(path).c_str());
}

TEST(NotepadViewer, AFileThatCannotBeCreatedIsNotAnError) {
  const CString name = CString(L"no_such_folder_for_velmora") + L"/x.txt";
  const CString path = WriteNotepadFile(L"text", name);
  EXPECT_EQ(path, GetTempPathW() + name);
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(NotepadViewer, NoTemporaryFolderWritesNothingAndStartsNothing) {
  // A temporary folder too long for the platform's paths gives an empty one.
  const CString tooLong = L"C:" + CString(5000, L'x');
  CScopedEnvironment tmp(L"TMP", tooLong), temp(L"TEMP", tooLong), tmpdir(L"TMPDIR", L"/" + tooLong);
  ASSERT_EQ(GetTempPathW(), L"");
  const CString name = L"velmora_notepad_test_no_temp.log";
  EXPECT_EQ(WriteNotepadFile(L"text", name), L"");
  EXPECT_FALSE(ShowInNotepad(L"text", name));
  EXPECT_FALSE(ExistsForTesting(name));  // not in the current folder either
}
