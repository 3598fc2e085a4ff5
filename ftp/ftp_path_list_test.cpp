#include "ftp/ftp_path_list.h"

#include <gtest/gtest.h>

#include "platform/sys/process.h"

namespace {

CString Written(CFtpPathList& list) {
  CString xml;
  list.WriteXML(xml);
  return xml;
}

}  // namespace

TEST(FtpPath, DirectoryAndRootViews) {
  CFtpPath p(L"a.txt");
  p.dir = L"\\pub\\\\in\\";
  EXPECT_EQ(p.GetFtpDir(true) + L"|" + p.GetFtpDir(false), L"/pub/in/|/pub/in");
  EXPECT_EQ(p.GetFtpPath(), L"/pub/in/a.txt");
  p.dir.clear();
  EXPECT_EQ(p.GetFtpDir(true) + L"|" + p.GetFtpDir(false), L"/|");
  CFtpPath root(L"/pub/a.txt");
  EXPECT_FALSE(root.IsFtpRoot());
  root.MakeFtpRoot();  // the name goes too
  EXPECT_TRUE(root.IsFtpRoot());
  EXPECT_EQ(root.dir + L"|" + root.GetPath(), L"/|/");
}

TEST(FtpPathList, WritesAndReadsItsItems) {
  CFtpPathList list(L"/host/pub/");
  list.Add(new CFtpPath(L"ftp://host/pub/a.zip"));
  list.GetHead()->Length(4294967296ULL);
  list.Add(nullptr);  // not written
  list.Add(new CFtpPath(L"\\\\server\\share\\b.txt"));  // held with backslashes
  list.GetTail()->Length(1);
  EXPECT_EQ(list.ComputeTotalLength(), 4294967297LL);
  const CString xml = Written(list);
  EXPECT_EQ(xml.rfind(L"\r\n<CFtpPathList  tag='/host/pub/' >\r\n<CFilePath  path='host/pub/a.zip'  drive=''  "
                      L"dir='/host/pub/'  filename='a'  ext='.zip'  slash='47' ", 0), 0u);
  EXPECT_EQ(xml.compare(xml.size() - 42, 42, L" PathType='0' ></CFilePath></CFtpPathList>"), 0);

  CFtpPathList back;
  ASSERT_TRUE(back.ReadXML(xml));
  ASSERT_TRUE(back.ReadXML(xml));  // appends
  EXPECT_EQ(back.tag, L"/host/pub/");
  ASSERT_EQ(back.GetCount(), 4u);
  EXPECT_EQ(back.GetTail()->GetPath(), list.GetTail()->GetPath());
  EXPECT_EQ(back.GetTail()->slash, L'/');
  EXPECT_EQ(back.ComputeTotalLength(), 2 * 4294967297LL);

  CFtpPathList empty(L"/empty/");
  EXPECT_FALSE(back.ReadXML(Written(empty)));
  EXPECT_EQ(back.tag + std::to_wstring(back.GetCount()), L"/empty/4");  // the tag taken, no item
  back = list;  // the items replaced
  EXPECT_EQ(back.tag + std::to_wstring(back.GetCount()), L"/host/pub/3");
}

TEST(FtpPathList, HostileTextReadsInLinearTimeAsFarAsItGoes) {
  CFtpPathList many;
  for (int i = 0; i < 20000; ++i) many.Add(new CFtpPath(L"/m/f" + std::to_wstring(i)));
  many.GetHead()->filename = CString(1 << 20, L'x');
  // 20000 items without close tags, then one whose ">" ends a close tag 1M "<" on.
  CString unclosed = L"<CFtpPathList tag='u'>";
  for (int i = 0; i < 20000; ++i) unclosed += L"<CFilePath path='o" + std::to_wstring(i) + L"' >";
  unclosed += L"<CFilePath path='last' " + CString(1 << 20, L'<') + L"</CFilePath></CFtpPathList>";

  // Processor time, not the time on the clock: a loaded machine slows the
  // reading down, it does not make it quadratic.
  const double start = GetProcessCpuSeconds();
  CFtpPathList back;
  ASSERT_TRUE(back.ReadXML(Written(many)));
  ASSERT_TRUE(back.ReadXML(unclosed));
  EXPECT_LT(GetProcessCpuSeconds() - start, 20.0);
  ASSERT_EQ(back.GetCount(), 40001u);
  EXPECT_EQ(back.GetHead()->filename.size(), 1u << 20);
  EXPECT_EQ(back.GetTail()->GetPath(), L"last");
}

// The items are read as by one tokenizer over the body: an item goes on past
// the first close tag after it, unless that tag ends the body, and the first
// element that is not a path ends the items.
TEST(FtpPathList, ReadsItemsAsOneTokenizerOverTheBody) {
  const struct { const wchar_t *body, *paths; } cases[] = {
      {L"<CFilePath path='a'></CFilePath><CFilePath path='b'></CFilePath>", L"a b "},
      {L"<CFilePath path='a'> x <CFilePath path='b'></CFilePath>", L"a b "},
      {L"<CFilePath path='a'><CFilePath path='b'><CFilePath path='c'></CFilePath>", L"a b c "},
      {L"<CFilePath path='a'><CFilePath path='b'></CFilePath><CFilePath path='c'>", L"a c "},
      {L"x<CFilePath\r\npath='a'\t></CFilePath>y", L"a "},
      {L"<CFilePath path='a'></CFilePath><CObj ></CObj><CFilePath path='b'></CFilePath>", L"a "},
      {L"<CFilePath path='a'", L"a "},
      {L"<CFilePath></CFilePath>", L" "},
      {L"<CFilePaths path='a'>", L""},
  };
  for (const auto& c : cases) {
    CFtpPathList list;
    ASSERT_TRUE(list.ReadXML(CString(L"<CFtpPathList tag='t'>") + c.body + L"</CFtpPathList>")) << c.body;
    CString paths;
    for (const CFtpPath* item : list) paths += item->GetPath() + L" ";
    EXPECT_EQ(paths, c.paths) << c.body;
  }
  // Without its close tag, or of another name, a list reads nothing.
  CFtpPathList open;
  EXPECT_FALSE(open.ReadXML(L"<CFtpPathList tag='c'><CFilePath path='a'></CFilePath>"));
  EXPECT_FALSE(open.ReadXML(L"<CFtpPathLists tag='d'><CFilePath path='a'></CFilePath></CFtpPathList>"));
  EXPECT_EQ(open.tag + std::to_wstring(open.GetCount()), L"c0");
}

TEST(FtpPathList, FindsAndNamesUniquelyWithinItsBound) {
  CFtpPathList list;
  for (const wchar_t* p : {L"/p/a.txt", L"/p/a(1).txt", L"/p/report (4).txt", L"/p/x.zip"}) list.Add(new CFtpPath(p));
  CFtpPath a(L"/in/a.txt");
  EXPECT_TRUE(list.UniqueName(&a));
  EXPECT_EQ(a.GetPath(), L"/in/a(2).txt");
  CFtpPath report(L"report (4).txt");
  EXPECT_TRUE(list.UniqueName(&report));
  EXPECT_EQ(report.GetPath(), L"/report(5).txt");
  CFtpPath b(L"b.txt");
  EXPECT_FALSE(list.UniqueName(&b) || list.UniqueName(nullptr));

  CFtpPath x(L"/o/x.txt");
  EXPECT_EQ(list.FindByFileName(x, false), list.GetTail());
  EXPECT_EQ(list.FindByFileName(x, true), nullptr);
  EXPECT_EQ(list.FindByFileName(CFtpPath(L"A.txt"), true), nullptr);
  EXPECT_EQ(list.FindByPath(L"/p/x.zip"), list.GetTail());
  EXPECT_EQ(list.FindByPath(L"/P/x.zip"), nullptr);
  EXPECT_EQ(list.Find(CFtpPath(L"/P/X.ZIP")), list.GetTail());

  // Every candidate up to a(2000) collides; the largest number does not overflow.
  CFtpPathList crowded;
  crowded.Add(new CFtpPath(L"n(9223372036854775807)"));
  for (int i = 0; i <= 2000; ++i) crowded.Add(new CFtpPath(i ? L"a(" + std::to_wstring(i) + L")" : CString(L"a")));
  CFtpPath c(L"a");
  EXPECT_TRUE(crowded.UniqueName(&c));
  EXPECT_EQ(c.GetPath(), L"/a(2000)");
  CFtpPath top(L"n(9223372036854775807)");
  EXPECT_TRUE(crowded.UniqueName(&top));
}
