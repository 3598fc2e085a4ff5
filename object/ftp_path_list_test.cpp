#include "object/ftp_path_list.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

CFtpPathList ListOf(std::initializer_list<const wchar_t*> paths, const CString& tag = L"/pub/") {
  CFtpPathList list(tag);
  for (const wchar_t* p : paths) list.Add(new CFtpPath(p));
  return list;
}

CString Written(CFtpPathList& list) {
  CString xml;
  list.WriteXML(xml);
  return xml;
}

}  // namespace

TEST(FtpPath, DirectoryAndRootViews) {
  CFtpPath p(L"a.txt");
  p.dir = L"\\pub\\\\in\\";
  EXPECT_EQ(p.GetFtpDir(true), L"/pub/in/");
  EXPECT_EQ(p.GetFtpDir(false), L"/pub/in");
  EXPECT_EQ(p.GetFtpPath(), L"/pub/in/a.txt");
  p.dir = L"pub";
  EXPECT_EQ(p.GetFtpDir(true), L"/pub/");
  p.dir.clear();
  EXPECT_EQ(p.GetFtpDir(true), L"/");
  EXPECT_EQ(p.GetFtpDir(false), L"");
  EXPECT_TRUE(p.IsFtpRoot());

  CFtpPath folder(L"/pub/", ptFolder);
  EXPECT_FALSE(folder.IsFtpRoot());
  folder.MakeFtpRoot();
  EXPECT_TRUE(folder.IsFtpRoot());
  EXPECT_EQ(folder.GetPath(), L"/");
  EXPECT_TRUE(CFtpPath().IsFtpRoot());
}

TEST(FtpPathList, WritesAndReadsItsItems) {
  CFtpPathList list(L"/host/pub/");
  list.Add(new CFtpPath(L"ftp://host/pub/a.zip"));
  list.GetHead()->Length(4294967296ULL);
  list.Add(new CFtpPath(L"\\\\server\\share\\b.txt"));  // a backslash path
  list.GetTail()->Length(1);
  EXPECT_EQ(list.ComputeTotalLength(), 4294967297LL);

  const CString xml = Written(list);
  EXPECT_EQ(xml.rfind(L"\r\n<CFtpPathList  tag='/host/pub/' >\r\n<CFilePath  path='host/pub/a.zip'  drive=''  "
                      L"dir='/host/pub/'  filename='a'  ext='.zip'  slash='47' ",
                      0),
            0u);
  EXPECT_EQ(xml.compare(xml.size() - 42, 42, L" PathType='0' ></CFilePath></CFtpPathList>"), 0);

  CFtpPathList back;
  ASSERT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.tag, L"/host/pub/");
  ASSERT_EQ(back.GetCount(), 2u);
  auto source = list.begin();
  for (CFtpPath* item : back) {
    EXPECT_TRUE(item->IsEqual(**source));
    EXPECT_EQ(item->GetPath(), (*source)->GetPath());
    EXPECT_EQ(item->Length(), (*source)->Length());
    EXPECT_EQ(item->slash, L'/');
    ++source;
  }
  EXPECT_EQ(list.GetTail()->slash, L'\\');

  // Reading appends; an empty list reads false but still takes its tag.
  ASSERT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.GetCount(), 4u);
  CFtpPathList empty(L"/empty/");
  CFtpPathList target;
  EXPECT_FALSE(target.ReadXML(Written(empty)));
  EXPECT_EQ(target.tag, L"/empty/");
  EXPECT_TRUE(target.IsEmpty());
  EXPECT_FALSE(target.ReadXML(L"<CFilePath path='x' ></CFilePath>"));
}

TEST(FtpPathList, HostileTextEndsWithWhatCouldBeRead) {
  // Thousands of items and a huge value: read in time proportional to the text.
  CFtpPathList many(L"/many/");
  for (int i = 0; i < 20000; ++i) many.Add(new CFtpPath(L"/many/f" + std::to_wstring(i) + L".txt"));
  many.GetHead()->filename = CString(1 << 20, L'x');
  const auto start = std::chrono::steady_clock::now();
  CFtpPathList back;
  ASSERT_TRUE(back.ReadXML(Written(many)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  ASSERT_EQ(back.GetCount(), 20000u);
  EXPECT_EQ(back.GetHead()->filename.size(), 1u << 20);
  EXPECT_EQ(back.GetTail()->GetPath(), L"/many/f19999.txt");

  // Items without close tags, then one without its ">": each read as far as it goes.
  CString open;
  for (int i = 0; i < 20000; ++i) open += L"<CFilePath path='o" + std::to_wstring(i) + L"' >";
  CFtpPathList unclosed;
  ASSERT_TRUE(unclosed.ReadXML(L"<CFtpPathList tag='u'>" + open + L"<CFilePath path='last' </CFtpPathList>"));
  ASSERT_EQ(unclosed.GetCount(), 20001u);
  EXPECT_EQ(unclosed.GetTail()->GetPath(), L"last");

  // A foreign element ends the items; a list without its close tag reads none.
  CFtpPathList stop;
  EXPECT_TRUE(stop.ReadXML(L"<CFtpPathList tag='s'><CFilePath path='a'></CFilePath><CObj ></CObj>"
                           L"<CFilePath path='b'></CFilePath></CFtpPathList>"));
  EXPECT_EQ(stop.GetCount(), 1u);
  CFtpPathList cut;
  EXPECT_FALSE(cut.ReadXML(L"<CFtpPathList tag='c'><CFilePath path='a'></CFilePath>"));
  EXPECT_EQ(cut.tag, L"c");
  EXPECT_TRUE(cut.IsEmpty());
}

TEST(FtpPathList, FindsAndNamesUniquely) {
  CFtpPathList list = ListOf({L"/pub/a.txt", L"/pub/a(1).txt", L"/pub/report (4).txt", L"/pub/x.zip"});
  CFtpPath a(L"/in/a.txt");
  EXPECT_TRUE(list.UniqueName(&a));
  EXPECT_EQ(a.GetPath(), L"/in/a(2).txt");
  CFtpPath b(L"/in/b.txt");
  EXPECT_FALSE(list.UniqueName(&b));
  EXPECT_EQ(b.GetPath(), L"/in/b.txt");
  EXPECT_FALSE(list.UniqueName(nullptr));
  CFtpPath report(L"/in/report (4).txt");
  EXPECT_TRUE(list.UniqueName(&report));
  EXPECT_EQ(report.GetFileName(true), L"report(5).txt");

  // The step bound: every candidate up to a(2000) collides.
  CFtpPathList crowded = ListOf({L"a.txt"});
  for (int i = 1; i <= 2000; ++i) crowded.Add(new CFtpPath(L"a(" + std::to_wstring(i) + L").txt"));
  CFtpPath c(L"a.txt");
  EXPECT_TRUE(crowded.UniqueName(&c));
  EXPECT_EQ(c.GetFileName(true), L"a(2000).txt");
  CFtpPathList top = ListOf({L"n(9223372036854775807).txt"});
  CFtpPath d(L"n(9223372036854775807).txt");
  EXPECT_TRUE(top.UniqueName(&d));  // no overflow, and it ends

  CFtpPath x(L"/other/x.txt");
  EXPECT_EQ(list.FindByFileName(x, false), list.GetTail());
  EXPECT_EQ(list.FindByFileName(x, true), nullptr);
  EXPECT_EQ(list.FindByFileName(CFtpPath(L"A.txt"), true), nullptr);
  EXPECT_EQ(list.FindByPath(L"/pub/x.zip"), list.GetTail());
  EXPECT_EQ(list.FindByPath(L"/PUB/x.zip"), nullptr);
  EXPECT_EQ(list.Find(CFtpPath(L"/PUB/X.ZIP")), list.GetTail());
}
