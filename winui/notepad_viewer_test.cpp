#include "winui/notepad_viewer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sys/shell.h"
#include "testing/test_files.h"
#include "winui/system_folders.h"

TEST(NotepadViewer, WritesTheTextWithCarriageReturnsBlankedIntoTheTempFolder) {
  const CString name = L"velmora_notepad_test.log";
  const CString path = WriteNotepadFile(L"A\r\nB\rC\n", name);
  EXPECT_EQ(path, GetTempPathW() + name);
  const std::string eol = TextModeLineEnd();
  EXPECT_EQ(ContentForTesting(path), "A " + eol + "B C" + eol);

  // The next call replaces the whole content.
  WriteNotepadFile(L"x", name);
  EXPECT_EQ(ContentForTesting(path), "x");
  RemoveTreeForTesting(path);

  // A file that cannot be created is no error: its path comes back all the same.
  const CString missing = L"no_such_folder_for_velmora/x.txt";
  EXPECT_EQ(WriteNotepadFile(L"text", missing), GetTempPathW() + missing);
  EXPECT_FALSE(ExistsForTesting(GetTempPathW() + missing));
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
