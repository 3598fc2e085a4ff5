#include <gtest/gtest.h>

#include "path/file_path.h"
#include "text/string_tokenizer.h"

namespace {

const CString kMainCpp =
    L"<CFilePath  path='C:/Work/Src/main.cpp'  drive='C:'  dir='/Work/Src/'  filename='main'  ext='.cpp'  "
    L"slash='47'  FileAttributes='0'  CreationTimeLo='0'  CreationTimeHi='0'  LastAccessTimeLo='0'  "
    L"LastAccessTimeHi='0'  LastWriteTimeLo='0'  LastWriteTimeHi='0'  FileSizeHigh='0'  FileSizeLow='0'  "
    L"Icon='-1'  PathType='0' ></CFilePath>";

CString Written(CFilePath& p) {
  CString out;
  p.WriteXML(out);
  return out;
}

}  // namespace

TEST(FilePathXml, WritesTheWorkedLineAndReadsItBack) {
  CFilePath main(L"C:\\Work\\Src\\main.cpp");
  main.uModified = 7;  // CObj's fields are not part of the record
  EXPECT_EQ(Written(main), L"\r\n" + kMainCpp);

  CFilePath fromString(L"other", ptFolder);
  fromString.slash = L'\\';
  fromString.Icon(3);
  CString xml = L"\r\n" + kMainCpp;
  EXPECT_TRUE(fromString.ReadXML(xml));
  EXPECT_EQ(Written(fromString), L"\r\n" + kMainCpp);

  // Words with the top bit set go out negative and come back whole; names
  // ignore case; values are stored as they stand.
  CFilePath p;
  p.m_attr.ftCreationTime.dwLowDateTime = 3577643008u;  // 0xD53E8000
  EXPECT_NE(Written(p).find(L" CreationTimeLo='-717324288' "), CString::npos);
  CFilePath back;
  xml = L"<CFilePath  creationtimelo='-717324288'  PATH='x'  SLASH='92'  CObj::Status='1' >";
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.m_attr.ftCreationTime.dwLowDateTime, 3577643008u);
  EXPECT_EQ(back.path, L"x");
  EXPECT_EQ(back.slash, L'\\');
  EXPECT_EQ(back.dir, CFilePath().dir);
  EXPECT_EQ(back.Status, 0u);
  // Taking one attribute answers true, whatever the name.
  EXPECT_TRUE(back.ReadXMLAttr(L"EXT", L"y") && back.ReadXMLAttr(L"icon", L"2") && back.ReadXMLAttr(L"x", L"1"));
}

TEST(FilePathXml, TokenizerReadsOneElementAfterAnother) {
  CFilePath first(L"C:\\a.txt");
  CFilePath second(L"/b/c.doc");
  CString both;
  first.WriteXML(both);
  second.WriteXML(both);
  CStringTokenizer text(both, false);

  CFilePath p;
  EXPECT_TRUE(p.ReadXML(text));
  EXPECT_EQ(p.path, L"C:/a.txt");
  EXPECT_EQ(static_cast<CString>(text).substr(0, 3), L"\r\n<");
  EXPECT_TRUE(p.ReadXML(text));
  EXPECT_EQ(p.path, L"/b/c.doc");
  EXPECT_EQ(static_cast<CString>(text), L"</CFilePath>");
  EXPECT_FALSE(p.ReadXML(text));

  CStringTokenizer other(L"<  CFtpPathList tag='/' ><  CFilePath path='/d' >", false);
  EXPECT_FALSE(p.ReadXML(other));
  EXPECT_TRUE(p.ReadXML(other) && p.path == L"/d");  // blanks after "<" are accepted
}

TEST(FilePathXml, PathWithQuotesAndMarkupSurvivesTheRoundTrip) {
  const CString odd = L"C:/it's <a> & \"b\"/na\u00EFve \u65E5\u672C/x>y.txt";
  CFilePath p(odd);
  p.drive = L"Q:";  // the attribute right after path
  const CString xml = Written(p);
  EXPECT_NE(xml.find(L"path='C:/it&apos;s &lt;a&gt; &amp; \"b\"/"), CString::npos);

  CFilePath back;
  CString text = xml + L"tail";
  EXPECT_TRUE(back.ReadXML(text));
  EXPECT_EQ(back.path, odd);
  EXPECT_EQ(back.drive, L"Q:");
  EXPECT_EQ(back.filename, L"x>y");
  EXPECT_EQ(text, L"tail");
}
