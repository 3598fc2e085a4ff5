#include "path/file_path.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CSplitCase {
  const wchar_t* input;
  _PathType type;
  const wchar_t* path;
  const wchar_t* drive;
  const wchar_t* dir;
  const wchar_t* filename;
  const wchar_t* ext;
  wchar_t slash;
  const wchar_t* made;  // path after MakePath()
};

void ExpectSplit(const CSplitCase& c) {
  SCOPED_TRACE(c.input);
  CFilePath p(c.input, c.type);
  EXPECT_EQ(p.path, c.path);
  EXPECT_EQ(p.drive, c.drive);
  EXPECT_EQ(p.dir, c.dir);
  EXPECT_EQ(p.filename, c.filename);
  EXPECT_EQ(p.ext, c.ext);
  EXPECT_EQ(p.slash, c.slash);
  EXPECT_EQ(p.PathType, c.type);
  EXPECT_EQ(p.MakePath(), c.made);
  EXPECT_EQ(CString(static_cast<const wchar_t*>(p)), c.made);
}

}  // namespace

TEST(FilePath, SplitsAndJoinsTheWorkedExamples) {
  const CSplitCase cases[] = {
      {L"C:\\Work\\Src\\main.cpp", ptFile, L"C:/Work/Src/main.cpp", L"C:", L"/Work/Src/", L"main", L".cpp", L'/',
       L"C:/Work/Src/main.cpp"},
      {L"C:\\Work\\Src", ptFolder, L"C:/Work/Src", L"C:", L"/Work/Src/", L"", L"", L'/', L"C:/Work/Src/"},
      {L"\\\\server\\share\\doc.txt", ptFile, L"\\\\server\\share\\doc.txt", L"", L"\\\\server\\share\\", L"doc",
       L".txt", L'\\', L"\\\\server\\share\\doc.txt"},
      {L"::file://C:/x/y.txt", ptFile, L"C:/x/y.txt", L"C:", L"/x/", L"y", L".txt", L'/', L"C:/x/y.txt"},
      {L"ftp://host/pub/a.zip", ptFile, L"host/pub/a.zip", L"", L"/host/pub/", L"a", L".zip", L'/',
       L"/host/pub/a.zip"},
      {L"readme", ptFile, L"readme", L"", L"/", L"readme", L"", L'/', L"/readme"},
      // White space around the text and around a scheme is ignored.
      {L" \tC:\\a\\b.txt \r\n", ptFile, L"C:/a/b.txt", L"C:", L"/a/", L"b", L".txt", L'/', L"C:/a/b.txt"},
      // A scheme counts in lower case only, and only before "//".
      {L"FILE://C:/x", ptFile, L"FILE:/C:/x", L"", L"/FILE:/C:/", L"x", L"", L'/', L"/FILE:/C:/x"},
      {L"file:C:/x", ptFile, L"file:C:/x", L"", L"/file:C:/", L"x", L"", L'/', L"/file:C:/x"},
      {L"file:///C:/x", ptFile, L"/C:/x", L"", L"/C:/", L"x", L"", L'/', L"/C:/x"},
      // Dots in the directory never count; the extension is from the last dot.
      {L"C:\\a.b\\c.tar.gz", ptFile, L"C:/a.b/c.tar.gz", L"C:", L"/a.b/", L"c.tar", L".gz", L'/', L"C:/a.b/c.tar.gz"},
      {L".profile", ptFile, L".profile", L"", L"/", L"", L".profile", L'/', L"/.profile"},
      {L"", ptFile, L"", L"", L"/", L"", L"", L'/', L"/"},
      // One pass of the pair replacement: three separators become two, and
      // the next normalisation makes them one.
      {L"C:\\a\\\\\\b", ptFile, L"C:/a//b", L"C:", L"/a//", L"b", L"", L'/', L"C:/a/b"},
      // Forward slashes do not make a network path.
      {L"//srv/share/f", ptFile, L"/srv/share/f", L"", L"/srv/share/", L"f", L"", L'/', L"/srv/share/f"},
      // Any other kind splits as a file and is kept.
      {L"C:/a/b.c", static_cast<_PathType>(7), L"C:/a/b.c", L"C:", L"/a/", L"b", L".c", L'/', L"C:/a/b.c"},
  };
  for (const CSplitCase& c : cases) ExpectSplit(c);
}

TEST(FilePath, ANetworkPathKeepsItsTwoBackslashesThroughEveryJoin) {
  CFilePath p(L"\\\\server/share\\sub\\doc.txt");
  EXPECT_TRUE(p.IsNetwork());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p.MakePath(), L"\\\\server\\share\\sub\\doc.txt");
  p.SetFileName(L"note");
  p.SetExt(L"md");
  p.SetDir(L"\\\\server\\other");
  EXPECT_EQ(p.GetPath(), L"\\\\server\\other\\note.md");
  EXPECT_EQ(p.slash, L'\\');
  // A drive ends the network form: the separator turns to "/".
  p.SetDrive(L"E:");
  EXPECT_FALSE(p.IsNetwork());
  EXPECT_EQ(p.GetPath(), L"E:/server/other/note.md");
}

TEST(FilePath, SettersStoreTheirPartAndJoin) {
  CFilePath p(L"C:/docs/readme.txt");
  p.Icon(9);
  p.Length(uint64_t{42});
  p.SetFileNameAndExt(L"archive.tar.gz");  // the first dot, where a split takes the last
  EXPECT_EQ(p.GetFileName(), L"archive");
  EXPECT_EQ(p.GetExt(), L".tar.gz");
  p.SetExt(L".txt");
  p.SetFileNameAndExt(L"README");
  EXPECT_EQ(p.GetFileName(true), L"README.txt");
  p.SetFileNameAndExt(L".hidden");
  EXPECT_EQ(p.GetPath(), L"C:/docs/.hidden.txt");
  p.SetExt(L"");
  EXPECT_EQ(p.GetPath(), L"C:/docs/.hidden");

  p.SetDrive(L"DX");
  EXPECT_EQ(p.GetPath(), L"D:/docs/.hidden");
  EXPECT_EQ(p.GetDrive(), L"DX");
  p.SetDrive(static_cast<char>(0xE9));  // widened with its sign, the same on every build
  EXPECT_EQ(p.GetDrive(), CString(1, static_cast<wchar_t>(0xFFE9)) + L":");

  p.SetPath(L"C:\\base ", L"sub\\x.y");
  EXPECT_EQ(p.GetPath(), L"C:/base/sub/x.y");
  EXPECT_EQ(p.GetDir(true), L"/base/sub");
  p.SetPath(L"C:\\Work", ptFolder);
  EXPECT_EQ(p.PathType, ptFolder);
  // A new split keeps the icon and the metadata.
  EXPECT_EQ(p.Icon(), 9);
  EXPECT_EQ(p.Length(), 42u);
}

TEST(FilePath, ComparesPartsIgnoringCase) {
  const CFilePath a(L"C:\\A\\b.TXT");
  CFilePath b(L"c:/a/B.txt");
  b.path = L"the parts count, not the text";
  EXPECT_TRUE(a.IsEqual(b) && a == b);
  for (const wchar_t* other : {L"D:/a/b.txt", L"C:/a/c/b.txt", L"C:/a/c.txt", L"C:/a/b.doc"})
    EXPECT_FALSE(a.IsEqual(CFilePath(other))) << other;
  EXPECT_TRUE(CFilePath(L"C:\\a\\x.txt").IsEqualDir(CFilePath(L"D:\\A\\y.doc")));
  EXPECT_FALSE(a.IsEqualDir(CFilePath(L"C:\\a\\b\\c.txt")));

  EXPECT_EQ(a.GetExt(true, true), L"txt");
  EXPECT_TRUE(b.IsEqualExt(L"TXT", true));
  EXPECT_FALSE(b.IsEqualExt(L"TXT", false));
}

TEST(FilePath, CopyTakesThePathAndMetadataButNotTheSeparatorOrObjectFields) {
  CFilePath net(L"\\\\srv\\s\\f.txt");
  net.Icon(2);
  net.LastWriteTime(CFileTime(99));
  net.Status = 1;
  net.strGUID = L"{x}";

  CFilePath copy(net);
  EXPECT_EQ(copy.Icon(), 2);
  EXPECT_EQ(copy.LastWriteTime().GetTime(), 99u);
  EXPECT_EQ(copy.slash, L'/');  // until the next normalisation
  EXPECT_EQ(copy.Status + copy.strGUID.size(), 0u);
  EXPECT_EQ(copy.MakePath(), L"\\\\srv\\s\\f.txt");
  EXPECT_EQ(copy.slash, L'\\');

  CFilePath assigned(L"x", ptFolder);
  assigned = static_cast<const CObj&>(net);
  EXPECT_EQ(assigned.PathType, ptFile);

  std::unique_ptr<CObj> clone(net.Clone());
  ASSERT_NE(dynamic_cast<CFilePath*>(clone.get()), nullptr);
  EXPECT_TRUE(clone->IsEqual(net));

  // An object of another class is not a path: nothing is taken, nothing equal.
  CObj plain;
  assigned.Copy(plain);
  EXPECT_EQ(assigned.path, net.path);
  EXPECT_FALSE(net.IsEqual(plain));

  // Clear empties the path's fields and leaves those of CObj.
  net.Clear();
  EXPECT_TRUE(net.IsEmpty() && net.dir.empty() && net.slash == L'/' && net.Icon() == -1);
  EXPECT_EQ(net.LastWriteTime().GetTime(), 0u);
  EXPECT_EQ(net.Status, 1u);
}

TEST(FilePath, LongComponentsAreKeptWhole) {
  const CString folder(300, L'd');
  const CString name(300, L'n');
  const CString ext = L"." + CString(300, L'e');
  CFilePath p(L"C:\\" + folder + L"\\" + name + ext);
  EXPECT_EQ(p.GetDir(), L"/" + folder + L"/");
  EXPECT_EQ(p.GetFileName(), name);
  EXPECT_EQ(p.GetExt(), ext);
  EXPECT_EQ(p.MakePath(), L"C:/" + folder + L"/" + name + ext);
}

TEST(FilePath, SlashHelpers) {
  EXPECT_EQ(AppendSlash(L"", L'/'), L"/");
  EXPECT_EQ(AppendSlash(L"a\\", L'/'), L"a\\");
  EXPECT_EQ(AppendSlash(L"a  \t", L'\\'), L"a\\");

  EXPECT_EQ(RemoveSlash(L"C:\\ "), L"C:");
  EXPECT_EQ(RemoveSlash(CString(L"C:\\ ")), L"C:\\ ");
  EXPECT_EQ(RemoveSlash(CString(L"C:/a//")), L"C:/a/");
  EXPECT_EQ(RemoveSlash(static_cast<const wchar_t*>(nullptr)), L"");

  CString out;  // the drive's letter only; a separator and a dot added where missing
  CFilePath::MakePath(out, L"Cx", L"\\d", L"f", L"e");
  EXPECT_EQ(out, L"C:\\d\\f.e");
}
