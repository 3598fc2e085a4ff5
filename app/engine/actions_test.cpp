#include "app/engine/actions.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/fs/file_find.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

// Calls fn with the enumerator positioned on the entry called name.
void WithEntry(const CString& folder, const CString& name, const std::function<void(CFileFind&)>& fn) {
  CFileFind find;
  ASSERT_TRUE(find.FindFile(folder + PlatformPathSeparator() + L"*.*"));
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (find.GetFileName() == name) return fn(find);
  }
  ADD_FAILURE() << "no entry " << name;
}

class CLines : public CProgressStatus {
 public:
  void OnStatus(const CString& line) override { m_lines.push_back(line); }
  CStringArray m_lines;
};

}  // namespace

TEST(Actions, ListSplitsAtSingleBlanksOnly) {
  CFileAction action(L" obj  pdb\tx  ", nullptr);
  EXPECT_EQ(action.m_strList, L" obj  pdb\tx  ");
  EXPECT_EQ(action.m_arrList, (CStringArray{L"obj", L"pdb\tx"}));
  EXPECT_TRUE(CFileAction(L"   ", nullptr).m_arrList.empty());
}

TEST(Actions, ExtensionIsTheWholeTextAfterTheLastDotInAnyCase) {
  CScopedTempFolder tmp;
  for (const wchar_t* name : {L"main.OBJ", L"a.b.obj", L"noext", L"trailing.", L"x.objx", L"Debug.obj"})
    ASSERT_TRUE(WriteFileForTesting(tmp / name, "x"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"folder.obj"));

  const auto is = [&](const CString& name, const CString& ext) {
    bool result = false;
    WithEntry(tmp.Path(), name, [&](CFileFind& e) { result = IsExtension(e, ext); });
    return result;
  };
  EXPECT_TRUE(is(L"main.OBJ", L"obj"));
  EXPECT_TRUE(is(L"a.b.obj", L"obj"));
  EXPECT_FALSE(is(L"a.b.obj", L"b.obj"));
  EXPECT_FALSE(is(L"main.OBJ", L".obj"));
  EXPECT_FALSE(is(L"x.objx", L"obj"));
  EXPECT_FALSE(is(L"noext", L"noext"));

  // The counting action counts a file once per matching token; folders never.
  CExtCount count(L"obj OBJ pdb", nullptr);
  for (const wchar_t* name : {L"main.OBJ", L"folder.obj", L"noext", L"trailing."})
    WithEntry(tmp.Path(), name, [&](CFileFind& e) { EXPECT_FALSE(count.OnFound(e)); });
  EXPECT_EQ(count.m_nCount, 2);

  CDirsCount dirs(L"FOLDER.OBJ folder.obj", nullptr);
  for (const wchar_t* name : {L"folder.obj", L"Debug.obj"})
    WithEntry(tmp.Path(), name, [&](CFileFind& e) { EXPECT_FALSE(dirs.OnFound(e)); });
  EXPECT_EQ(dirs.m_nCount, 2);
  // The folder rule takes folders of a listed name, never a file of one.
  const CStringArray folderNames{L"DEBUG.OBJ", L"FOLDER.OBJ"};
  WithEntry(tmp.Path(), L"folder.obj", [&](CFileFind& e) { EXPECT_NE(FindFolderNameMatch(e, folderNames), nullptr); });
  WithEntry(tmp.Path(), L"Debug.obj", [&](CFileFind& e) { EXPECT_EQ(FindFolderNameMatch(e, folderNames), nullptr); });

  // With no tokens nothing matches; a match is consumed even when its move
  // fails (here there is no batch folder).
  CScopedProcessState state;
  for (const wchar_t* list : {L"", L"pdb OBJ"}) {
    CDeleteFile deleting(list, nullptr);
    WithEntry(tmp.Path(), L"main.OBJ", [&](CFileFind& e) { EXPECT_EQ(deleting.OnFound(e), *list != 0); });
  }
}

TEST(Actions, MoveLineHasItsFixedLayout) {
  CLines lines;
  CAction action(&lines);
  action.LogMove(L"C:\\a.obj", L"C:\\Trush\\b\\_a.obj", false);
  action.LogMove(L"C:\\x", L"C:\\Trush\\b\\.x", true);
  EXPECT_EQ(lines.m_lines, (CStringArray{L" OK  From C:\\a.obj ==> C:\\Trush\\b\\_a.obj",
                                         L" ERROR  From C:\\x ==> C:\\Trush\\b\\.x"}));
}
