#include "object/obj.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

const CString kExample = L"\r\n<CObj  CObj::uModified='5'  CObj::Status='1'  CObj::strGUID='' ></CObj>";

// A derived class as the toolkit's value classes make them: its own name, one
// attribute, its own factory, copy and equality.
class CNamed : public CObj {
 public:
  using CObj::ReadXMLAttr;
  CObj* CreateObject() const override { return new CNamed; }
  void Copy(const CObj& o) override {
    CObj::Copy(o);
    m_strName = static_cast<const CNamed&>(o).m_strName;
  }
  bool IsEqual(const CObj& o) const override { return m_strName == static_cast<const CNamed&>(o).m_strName; }
  void Default() override { m_strName = L"default"; }
  CString XMLObject() const override { return L"CNamed"; }
  void WriteXMLBody(CString& out) override { out += L"body"; }
  void WriteXMLAttr(CString& out) override {
    CObj::WriteXMLAttr(out);
    out += XMLAttr(L"name", m_strName);
  }
  bool ReadXMLAttr(const CString& name, const CString& value) override {
    if (name == L"name") {
      m_strName = value;
      return true;
    }
    return CObj::ReadXMLAttr(name, value);
  }
  CString m_strName;
};

}  // namespace

TEST(Obj, WritesTheExampleElementAndReadsItBack) {
  CObj o;
  o.uModified = 5;
  o.Status = 1;
  CString out = L"before";
  o.WriteXML(out);
  EXPECT_EQ(out, L"before" + kExample);

  CObj back;
  back.strGUID = L"old";
  CString xml = kExample;
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.uModified, 5u);
  EXPECT_EQ(back.Status, 1u);
  EXPECT_EQ(back.strGUID, L"");
  // The close tag ended the text, so it stays.
  EXPECT_EQ(xml, L"</CObj>");
}

TEST(Obj, ReadingMatchesAttributeNamesInAnyCaseButNotTheElementName) {
  CObj o;
  CString xml = L"<CObj cobj::status='2' CObj::UMODIFIED = '  -7x' junk='1'  ></CObj>";
  EXPECT_TRUE(o.ReadXML(xml));
  EXPECT_EQ(o.Status, 2u);
  EXPECT_EQ(o.uModified, static_cast<unsigned>(-7));

  xml = L"<cobj CObj::Status='3'></cobj>";
  EXPECT_FALSE(o.ReadXML(xml));
  EXPECT_EQ(o.Status, 2u);
  EXPECT_EQ(xml, L"</cobj>");

  for (const CString& bad : {CString(L"no element"), CString(L"<>"), CString(L"< CObj>")}) {
    xml = bad;
    EXPECT_FALSE(o.ReadXML(xml)) << bad.c_str();
  }
  xml = L"text";
  o.ReadXML(xml);
  EXPECT_TRUE(xml.empty());

  // Without a close tag the read still succeeds and the rest stays.
  xml = L"<CObj CObj::Status='4'>rest";
  EXPECT_TRUE(o.ReadXML(xml));
  EXPECT_EQ(o.Status, 4u);
  EXPECT_EQ(xml, L"rest");
}

TEST(Obj, NumbersSurviveAllBitsAndOutOfRangeTextStopsAtTheLimit) {
  CObj o;
  o.Status = 0xFFFFFFFFu;
  o.uModified = 0x80000000u;
  CString xml;
  o.WriteXML(xml);
  EXPECT_NE(xml.find(L"CObj::Status='-1'"), CString::npos);
  CObj back;
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.Status, 0xFFFFFFFFu);
  EXPECT_EQ(back.uModified, 0x80000000u);

  EXPECT_TRUE(back.ReadXMLAttr(L"cobj::status", L"18446744073709551616"));  // 2^64: 0 if it wrapped
  EXPECT_EQ(back.Status, 0x7FFFFFFFu);
  back.ReadXMLAttr(L"cobj::status", L"-18446744073709551616");
  EXPECT_EQ(back.Status, 0x80000000u);
  back.ReadXMLAttr(L"cobj::status", L"");
  EXPECT_EQ(back.Status, 0u);
  EXPECT_FALSE(back.ReadXMLAttr(L"status", L"1"));
}

TEST(Obj, ValuesWithMarkupCharactersSurviveARoundTrip) {
  CObj o;
  o.strGUID = L"C:\\it's <a> & b &amp; c&lt;";
  CString xml;
  o.WriteXML(xml);
  EXPECT_NE(xml.find(L"'C:\\it&apos;s &lt;a&gt; &amp; b &amp;amp; c&amp;lt;'"), CString::npos);
  xml += L"tail";
  CObj back;
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.strGUID, o.strGUID);
  EXPECT_EQ(xml, L"tail");

  // Only the four entities are decoded; values are trimmed.
  back.ReadXMLAttr(L"CObj::strGUID='  &quot;&amp  &#39;'");
  EXPECT_EQ(back.strGUID, L"&quot;&amp  &#39;");
}

TEST(Obj, CloneCopiesTheDerivedTypeAndBaseObjectsNeverCompareEqual) {
  CNamed n;
  n.m_strName = L"x";
  n.Status = 3;
  n.SetModified(8);
  CObj* c = n.Clone();
  ASSERT_NE(dynamic_cast<CNamed*>(c), nullptr);
  EXPECT_EQ(static_cast<CNamed*>(c)->m_strName, L"x");
  EXPECT_TRUE(c->Status == 3u && c->uModified == 8u);
  EXPECT_TRUE(*c == n);
  c->ShutDown();

  CObj a;
  CObj* b = a.Clone();
  EXPECT_TRUE(!(a == *b) && a != *b);
  delete b;

  // Assignment goes through the virtual Copy.
  CNamed m;
  CObj& base = m;
  base = n;
  EXPECT_EQ(m.m_strName, L"x");
}

TEST(Obj, DerivedElementWritesAndReadsItsOwnAttributesAfterDefault) {
  CNamed n;
  n.m_strName = L"a b";
  CString xml;
  n.WriteXML(xml);
  EXPECT_EQ(xml, L"\r\n<CNamed  CObj::uModified='0'  CObj::Status='0'  CObj::strGUID=''  name='a b' >body</CNamed>");
  CNamed back;
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.m_strName, L"a b");

  xml = L"<CNamed CObj::Status='1'/>";
  EXPECT_TRUE(back.ReadXML(xml));
  EXPECT_EQ(back.m_strName, L"default");
}

TEST(Obj, FlagsAndModifiedBitsTouchOnlyTheirBits) {
  CObj o;
  o.Status = 0xF0;
  o.SetChecked(true);
  o.SetSelected(true);
  o.SetChecked(false);
  EXPECT_EQ(o.Status, 0xF1u);
  EXPECT_TRUE(o.IsSelected() && !o.IsChecked());

  o.AddModified(5);
  o.RemoveModified(4);
  EXPECT_TRUE(o.IsModified(3) && !o.IsModified(2));
  o.strGUID = L"g";
  o.Clear();
  EXPECT_FALSE(o.IsModified() || o.Status || !o.GetStrGUID().empty());
}

TEST(Obj, CreateGUIDGivesANewRegistryFormIdentifier) {
  CObj o;
  const CString g = o.CreateGUID();
  EXPECT_EQ(o.GetStrGUID(), g);
  EXPECT_TRUE(std::regex_match(g, std::wregex(L"\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}"))) << g.c_str();
  EXPECT_NE(CObj().CreateGUID(), g);
}

TEST(Obj, StringHelpers) {
  EXPECT_EQ(CObj::Trim(L" \t a b \r\n"), L"a b");
  EXPECT_EQ(CObj::Squeeze(L"  a b  c ", true), L"ABC");
  EXPECT_EQ(CObj::Squeeze(L" x y ", false), L"xy");

  // The token function itself, at the end and missing, is tested with the tokenizer.
  CString s = L"ab</CObj>cd";
  EXPECT_EQ(CObj::LeftToken(s, L"</CObj>"), L"ab");
  EXPECT_EQ(s, L"cd");
}

TEST(Obj, ALongHostileAttributeListReadsInLinearTime) {
  // 200,000 empty attributes: reading them by shortening the text from its
  // front each time would move about 10^11 characters.
  CString attributes;
  for (int i = 0; i < 200000; ++i) attributes += L"=''";
  attributes += L" CObj::Status='6'";
  CObj o;
  o.ReadXMLAttr(attributes);
  EXPECT_EQ(o.Status, 6u);
}
