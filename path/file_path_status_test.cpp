#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

#include "path/file_path.h"
#include "platform/fs/file_attributes.h"
#include "platform/ftp/ftp_file_find.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"
#include "text/tokens.h"

namespace {

uint64_t Now() {
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  return CFileTime::kUnixEpoch + std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
}

// The time is within a minute of now.
::testing::AssertionResult IsRecent(CFileTime t) {
  const uint64_t now = Now();
  const uint64_t slack = 60 * CFileTime::kSecond;
  if (t.GetTime() + slack > now && t.GetTime() < now + slack) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << t.GetTime() << " is not close to " << now;
}

// The entry called name of folder, taken over from its listing.
bool CopyListed(const CString& folder, const CString& name, CFilePath& out) {
  CFileFind find;
  if (!find.FindFile(folder + PlatformPathSeparator() + L"*.*")) return false;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (find.GetFileName() != name) continue;
    out = find;
    return true;
  }
  return false;
}

// A listing entry that has the given attribute bits.
class CEntryWithBits : public CFileFind {
 public:
  explicit CEntryWithBits(uint32_t bits) : m_nBits(bits) {}
  bool MatchesMask(uint32_t mask) const override { return (m_nBits & mask) != 0; }

 private:
  uint32_t m_nBits;
};

// An FTP listing given by the test.
class CGivenFtpListing : public CFtpFileFind {
 public:
  using CFtpFileFind::SetListing;
};

}  // namespace

TEST(FilePathStatus, ReadStatusOfAFileAFolderAndAMissingPath) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "12345"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));

  CFilePath file(tmp / L"a.txt");
  ASSERT_TRUE(file.ReadStatus());
  EXPECT_TRUE(file.IsValidAttr());
  EXPECT_FALSE(file.IsDirectory());
  EXPECT_EQ(file.Length(), 5u);
  EXPECT_TRUE(IsRecent(file.LastWriteTime()));
  // Where the file system records no birth time, the creation time is 0.
  EXPECT_TRUE(file.CreationTime().GetTime() == 0 || IsRecent(file.CreationTime()));

  // A folder is asked for without its trailing separator, and keeps its split.
  CFilePath folder(tmp / L"sub", ptFolder);
  ASSERT_TRUE(folder.ReadStatus());
  EXPECT_TRUE(folder.IsDirectory());
  EXPECT_EQ(folder.Length(), 0u);
  EXPECT_TRUE(folder.IsValid());

  file.SetFileName(L"missing");
  EXPECT_FALSE(file.ReadStatus());
  EXPECT_EQ(file.GetAttr(), 0u);

  // An empty path asks nothing and resets only the attributes.
  folder.Clear();
  folder.SetAttr(FILE_ATTRIBUTE_ARCHIVE);
  folder.Length(uint64_t{3});
  EXPECT_FALSE(folder.ReadStatus());
  EXPECT_EQ(folder.GetAttr(), 0u);
  EXPECT_EQ(folder.Length(), 3u);

  // A root keeps its separator: "/" or "C:/" is the root folder itself.
  const CString path = tmp.Path();
  CFilePath root(path[0] == L'/' ? CString(L"/") : path.substr(0, 3), ptFolder);
  EXPECT_TRUE(root.ReadStatus());
  EXPECT_TRUE(root.IsDirectory());
}

TEST(FilePathStatus, ByStatusSplitsAnExistingFolderAsAFolder) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"Work/a.txt", "x"));

  CFilePath folder(tmp / L"Work", ptByStatus);
  EXPECT_EQ(folder.PathType, ptFolder);
  EXPECT_EQ(folder.GetFileName(true), L"");
  EXPECT_EQ(folder.GetDir().substr(folder.GetDir().size() - 6), L"/Work/");
  EXPECT_TRUE(folder.IsDirectory());

  CFilePath file;
  file.Icon(5);
  file.SetPath(tmp / L"Work/a.txt", ptByStatus);
  EXPECT_EQ(file.PathType, ptByStatus);
  EXPECT_EQ(file.GetFileName(true), L"a.txt");
  EXPECT_EQ(file.Length(), 1u);
  EXPECT_EQ(file.Icon(), 5);

  CFilePath missing(tmp / L"Nothing", ptByStatus);
  EXPECT_EQ(missing.PathType, ptByStatus);
  EXPECT_EQ(missing.GetFileName(), L"Nothing");
  EXPECT_EQ(missing.GetAttr(), 0u);
  EXPECT_FALSE(missing.FixByReadStatus());
  EXPECT_TRUE(file.FixByReadStatus() && folder.FixByReadStatus());
}

// The FTP test below checks the split of a folder, the eight bits and the
// other times with values of its own.
TEST(FilePathStatus, CopyFromAListingEntryAgreesWithReadingItsStatus) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"main.cpp", "int main;"));

  CFilePath listed;
  listed.Icon(3);
  ASSERT_TRUE(CopyListed(tmp.Path(), L"main.cpp", listed));
  CFilePath read(tmp / L"main.cpp");
  ASSERT_TRUE(read.ReadStatus());
  EXPECT_TRUE(listed.IsEqual(read));
  EXPECT_EQ(listed.Icon(), -1);
  EXPECT_EQ(listed.Length(), 9u);
  EXPECT_EQ(listed.LastAccessTime(), read.LastAccessTime());
}

TEST(FilePathStatus, CopyFromAnFtpEntryTakesItsPathSizeTimesAndEightBits) {
  CFtpFileEntry folder;
  folder.strName = L"pub";
  folder.nAttributes = FILE_ATTRIBUTE_DIRECTORY;
  CFtpFileEntry file;
  file.strName = L"disk.iso";
  file.nAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE;
  file.nLength = 5ULL << 30;
  file.ftLastWriteTime = CFileTime(CFileTime::kUnixEpoch).GetHalves();
  file.ftCreationTime = CFileTime(7).GetHalves();

  CGivenFtpListing ftp;
  EXPECT_FALSE(ftp.FindFile(L"/srv/*"));
  ASSERT_TRUE(ftp.SetListing(L"/srv", {folder, file}));
  EXPECT_TRUE(ftp.FindNextFile());
  const CFilePath pub(ftp);
  EXPECT_EQ(pub.GetPath(), L"/srv/pub/");
  EXPECT_TRUE(pub.IsDirectory());
  EXPECT_FALSE(pub.IsValid());  // the server gave no time

  EXPECT_FALSE(ftp.FindNextFile());
  CFilePath iso;
  iso = ftp;
  EXPECT_EQ(iso.GetPath(), L"/srv/disk.iso");
  EXPECT_EQ(iso.GetAttr(), static_cast<uint32_t>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(iso.Length(), 5ULL << 30);
  EXPECT_EQ(iso.LastWriteTime().GetTime(), CFileTime::kUnixEpoch);
  EXPECT_EQ(iso.CreationTime().GetTime(), 7u);
}

TEST(FilePathStatus, EachAttributeTestIsItsOwnBitAndAnEntryGivesItsEight) {
  using Test = bool (CFilePath::*)() const;
  const struct { uint32_t bit; Test test; } tests[] = {
      {FILE_ATTRIBUTE_READONLY, &CFilePath::IsReadOnly},   {FILE_ATTRIBUTE_HIDDEN, &CFilePath::IsHidden},
      {FILE_ATTRIBUTE_SYSTEM, &CFilePath::IsSystem},       {FILE_ATTRIBUTE_DIRECTORY, &CFilePath::IsDirectory},
      {FILE_ATTRIBUTE_ARCHIVE, &CFilePath::IsArchived},    {FILE_ATTRIBUTE_NORMAL, &CFilePath::IsNormal},
      {FILE_ATTRIBUTE_TEMPORARY, &CFilePath::IsTemporary}, {FILE_ATTRIBUTE_COMPRESSED, &CFilePath::IsCompressed}};
  CFilePath p(L"C:/a/b.txt");
  for (const auto& set : tests) {
    p.SetAttr(CEntryWithBits(set.bit | FILE_ATTRIBUTE_OFFLINE));  // not one of the eight
    EXPECT_EQ(p.GetAttr(), set.bit);
    for (const auto& asked : tests) EXPECT_EQ((p.*asked.test)(), &asked == &set) << set.bit << " " << asked.bit;
  }
}

TEST(FilePathStatus, AttributeBitsSizeAndValidity) {
  CFilePath p(L"C:/a/b.txt");
  p.SetAttr(0xFFFFFFFF);
  EXPECT_FALSE(p.IsValidAttr());
  p.SetAttr(0);
  EXPECT_FALSE(p.IsValidAttr());
  p.AddAttr(FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(p.MatchesMask(0x30));
  EXPECT_FALSE(p.MatchesMask(0));
  // Attributes alone do not make the metadata valid: a time must be known.
  EXPECT_FALSE(p.IsValid());
  p.LastAccessTime(CFileTime(1));
  EXPECT_TRUE(p.IsValid());

  p.Length(std::string("4294967296"));
  EXPECT_EQ(p.FileSizeHigh(), 1u);
  EXPECT_EQ(p.FileSizeLow(), 0u);
  p.Length(std::string("  -1x"));
  EXPECT_EQ(p.Length(), ~uint64_t{0});
  p.Length(std::string("99999999999999999999999"));
  EXPECT_EQ(p.Length(), 0x7FFFFFFFFFFFFFFFULL);
}

TEST(FilePathStatus, ExtensionClassesIgnoreCase) {
  using Test = bool (CFilePath::*)() const;
  const std::pair<wchar_t, Test> tests[] = {
      {L'H', &CFilePath::IsHTML}, {L'A', &CFilePath::IsAudio}, {L'M', &CFilePath::IsMovie}, {L'I', &CFilePath::IsIMAGE},
      {L'F', &CFilePath::IsNEF},  {L'P', &CFilePath::IsPNG},   {L'T', &CFilePath::IsTIF},   {L'J', &CFilePath::IsJPEG},
      {L'G', &CFilePath::IsGIF},  {L'B', &CFilePath::IsBMP},   {L'N', &CFilePath::IsBIN},   {L'X', &CFilePath::IsTXT}};
  const std::pair<const wchar_t*, const wchar_t*> classes[] = {
      {L"html HTM", L"H"}, {L"wav MP3 aiff au snd Wave", L"A"}, {L"mov mp4 AVI", L"M"}, {L"png", L"IP"},
      {L"tif TIFF", L"IT"}, {L"jpeg JpG", L"IJ"}, {L"gif", L"IG"}, {L"bmp pcx", L"IB"}, {L"nef", L"IF"},
      {L"bin", L"N"}, {L"txt", L"X"}, {L"shtml ico jpe tif.bak", L""}};
  for (const auto& c : classes) {
    CString exts = c.first;
    for (CString ext = GetToken(exts, L" "); !ext.empty(); ext = GetToken(exts, L" ")) {
      const CFilePath p(L"a." + ext);
      CString found;
      for (const auto& t : tests) found += (p.*t.second)() ? CString(1, t.first) : CString();
      EXPECT_EQ(found, c.second) << ext;
    }
  }
  EXPECT_FALSE(CFilePath(L"C:/photos.png", ptFolder).IsPNG());
}
