#include <gtest/gtest.h>

#include <string>

#include "markup/MarkupReader.h"
#include "markup/NamedReferences.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::u16string ReadOnly(std::u16string_view doc, std::initializer_list<std::u16string_view> path) {
  MarkupReader reader;
  if (!reader.SetDoc(std::u16string(doc))) return u"<not well formed>";
  bool first = true;
  for (std::u16string_view name : path) {
    if (!first && !reader.IntoElem()) return u"<no into>";
    if (!reader.FindElem(name)) return u"<not found>";
    first = false;
  }
  return reader.GetData();
}

bool Contains(const std::u16string& text, std::u16string_view part) { return text.find(part) != std::u16string::npos; }

TEST(MarkupReader, Utf8FileWithMarkReadsItsElement) {
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes("\xEF\xBB\xBF<a>x</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"x");
  EXPECT_TRUE(Contains(reader.GetResult(), u"UTF-8 BOM +"));
}

TEST(MarkupReader, StepsIntoNestedElementsAndDecodesReferences) {
  EXPECT_EQ(ReadOnly(u"<r><s><k>A&amp;B</k></s></r>", {u"r", u"s", u"k"}), u"A&B");
}

TEST(MarkupReader, FindElemWalksSiblingsInOrderAndStaysPutOnFailure) {
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(u"<r><a>1</a><b>2</b><!-- c --><a>3</a><b/></r>"));
  ASSERT_TRUE(reader.FindElem(u"r"));
  ASSERT_TRUE(reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"b"));
  EXPECT_EQ(reader.GetData(), u"2");
  ASSERT_TRUE(reader.FindElem(u"a"));  // searches after the current position
  EXPECT_EQ(reader.GetData(), u"3");
  EXPECT_FALSE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"3");   // did not move
  ASSERT_TRUE(reader.FindElem());      // any name
  EXPECT_EQ(reader.GetTagName(), u"b");
  EXPECT_EQ(reader.GetData(), u"");
  EXPECT_FALSE(reader.FindElem());
  ASSERT_TRUE(reader.OutOfElem());
  EXPECT_EQ(reader.GetTagName(), u"r");
  EXPECT_FALSE(reader.OutOfElem());
  EXPECT_EQ(reader.GetData(), u"");  // has child elements

  // Names are exact: case counts and a prefix is not a match.
  reader.ResetPos();
  EXPECT_FALSE(reader.FindElem(u"R"));
  EXPECT_FALSE(reader.FindElem(u"r2"));
  ASSERT_TRUE(reader.FindElem(u"r"));
  EXPECT_FALSE(reader.IntoElem() && reader.FindElem(u"A"));
}

TEST(MarkupReader, IntoElemNeedsAnElement) {
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(u"<r>text</r>"));
  EXPECT_FALSE(reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"r"));
  ASSERT_TRUE(reader.IntoElem());
  EXPECT_FALSE(reader.FindElem());
  EXPECT_EQ(reader.FindNode(), kMarkupText);
  EXPECT_FALSE(reader.IntoElem());
}

TEST(MarkupReader, WellFormednessAndItsMessages) {
  struct Case {
    std::u16string_view doc;
    bool wellFormed;
    std::u16string_view message;
  };
  const Case cases[] = {
      {u"<a/><b/>", false, u"Root element has sibling"},
      {u"", false, u"Empty document"},
      {u"<!-- only a comment -->", false, u"No root element"},
      {u"just text", false, u"No root element"},
      {u"<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ENTITY e \"a>b\"> ]>\n<!-- c --><r/>\n<?pi x?>", true, u""},
      {u"<r></x></r>", false, u"End tag 'x' at offset 3 does not match start tag 'r' at offset 0"},
      {u"</x><r/>", false, u"No start tag for end tag 'x' at offset 0"},
      {u"<r><s>", false, u"Element 's' at offset 3 not ended"},
      {u"<r><!-- open", false, u"Comment at offset 3 unterminated"},
      {u"<r><![CDATA[ open", false, u"CDATA Section at offset 3 unterminated"},
      {u"<r><?pi open", false, u"Processing instruction at offset 3 unterminated"},
      {u"<r><!DOCTYPE x [ ", false, u"Doctype at offset 3 unterminated"},
      {u"<r><s a='>", false, u"Element tag at offset 3 unterminated"},
      {u"<r></r", false, u"Element end tag at offset 3 unterminated"},
      {u"<r><", false, u"tag at offset 3 unterminated"},
      {u"<r>< s/></r>", false, u"Incorrect tag name character at offset 3"},
      {u"<r><!#x></r>", false, u"Incorrect ! tag at offset 3"},
      {u"<r><!-x></r>", false, u"Incorrect comment tag at offset 3"},
      {u"<r><![CDAT[x]]></r>", false, u"Incorrect tag at offset 3"},
  };
  for (const Case& c : cases) {
    MarkupReader reader;
    const std::string shown = Utf16ToUtf8(c.doc);
    EXPECT_EQ(reader.SetDoc(std::u16string(c.doc)), c.wellFormed) << shown;
    EXPECT_EQ(reader.IsWellFormed(), c.wellFormed) << shown;
    if (!c.message.empty()) {
      EXPECT_TRUE(Contains(reader.GetResult(), c.message)) << shown << " -> " << Utf16ToUtf8(reader.GetResult());
    }
  }
}

TEST(MarkupReader, MismatchedEndTagClosesTheEnclosingElementItNames) {
  MarkupReader reader;
  // <b> lost its end tag; </a> still closes <a>, so <c> is a sibling of <a>.
  EXPECT_FALSE(reader.SetDoc(u"<r><a><b>x</a><c>y</c></r>"));
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"c"));
  EXPECT_EQ(reader.GetData(), u"y");
  reader.ResetPos();
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem() && reader.FindElem(u"a") && reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"b"));
  EXPECT_EQ(reader.GetData(), u"x");

  // An end tag that matches nothing open is ignored.
  EXPECT_FALSE(reader.SetDoc(u"<r><a>x</q></a></r>"));
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem() && reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"x");
  EXPECT_FALSE(reader.FindElem(u"a"));
}

TEST(MarkupReader, TagMissingItsClosingBracketDoesNotSwallowTheNextElement) {
  MarkupReader reader;
  EXPECT_FALSE(reader.SetDoc(u"<r><a>1</a\n<b>2</b></r>"));
  EXPECT_TRUE(Contains(reader.GetResult(), u"Element end tag at offset 7 unterminated"));
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem() && reader.FindElem(u"a") && reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"b"));
  EXPECT_EQ(reader.GetData(), u"2");
}

TEST(MarkupReader, CharacterReferences) {
  struct Case {
    std::u16string_view text;
    std::u16string_view data;
  };
  const Case cases[] = {
      {u"&#65;&#x42;", u"AB"},
      {u"&#x1F600;", u"\U0001F600"},
      {u"&#1114111;", u"\U0010FFFF"},
      {u"&quot;&apos;&lt;&gt;&amp;", u"\"'<>&"},
      {u"&euro;&nbsp;&thetasym;&Aacute;&aacute;", u"\u20AC\u00A0\u03D1\u00C1\u00E1"},
      {u"&nosuch;", u"&nosuch;"},
      {u"&AMP;&Euro;", u"&AMP;&Euro;"},            // names are case-sensitive
      {u"&amp", u"&amp"},                          // no semicolon
      {u"a & b", u"a & b"},
      {u"&;", u"&;"},
      {u"&#;&#x;&#xG;&#12a;", u"&#;&#x;&#xG;&#12a;"},
      {u"&#0;&#x0;", u"&#0;&#x0;"},                // no character 0
      {u"&#x110000;&#99999999;", u"&#x110000;&#99999999;"},  // beyond Unicode
      {u"&#xD800;&#xDFFF;", u"&#xD800;&#xDFFF;"},  // surrogates are no characters
      {u"&#000000065;", u"&#000000065;"},          // ten characters: too long
      {u"&#00000065;", u"A"},                      // nine: fine
      {u"&thetasymX;", u"&thetasymX;"},
      {u"&&amp;", u"&&"},
      {u"&\u00E9;", u"&\u00E9;"},
  };
  for (const Case& c : cases) {
    const std::u16string doc = u"<r>" + std::u16string(c.text) + u"</r>";
    EXPECT_EQ(ReadOnly(doc, {u"r"}), c.data) << Utf16ToUtf8(c.text);
    // The same decoding applies to text between other nodes.
    const std::u16string mixed = u"<r>" + std::u16string(c.text) + u"<!---->" + u"</r>";
    EXPECT_EQ(ReadOnly(mixed, {u"r"}), c.data) << Utf16ToUtf8(c.text);
  }
}

TEST(MarkupReader, NamedReferenceTableIsTheHtml401SetPlusApos) {
  const auto table = markup::NamedReferenceTable();
  EXPECT_EQ(table.size(), 253u);
  for (const markup::NamedReference& ref : table) {
    std::u16string name = Widen(ref.name);
    EXPECT_EQ(markup::LookupNamedReference(name), ref.character) << ref.name;  // each name reachable, none shadowed
  }
  EXPECT_EQ(markup::LookupNamedReference(u"hearts"), 0x2665);
  EXPECT_EQ(markup::LookupNamedReference(u"Dagger"), 0x2021);
  EXPECT_EQ(markup::LookupNamedReference(u"dagger"), 0x2020);
  EXPECT_EQ(markup::LookupNamedReference(u"yuml"), 0xFF);
  EXPECT_EQ(markup::LookupNamedReference(u"Yuml"), 0x178);
}

TEST(MarkupReader, MixedContentJoinsTextAndCDataAndSkipsCommentsAndInstructions) {
  EXPECT_EQ(ReadOnly(u"<r>x<![CDATA[<y]]>z</r>", {u"r"}), u"x<yz");
  EXPECT_EQ(ReadOnly(u"<r>a<!-- no -->b<?pi no?>c<![CDATA[&amp;]]>&amp;</r>", {u"r"}), u"abc&amp;&");
  EXPECT_EQ(ReadOnly(u"<r><k/></r>", {u"r", u"k"}), u"");
  EXPECT_EQ(ReadOnly(u"<r><k a=\"1>2\" b='x'>v</k></r>", {u"r", u"k"}), u"v");
}

TEST(MarkupReader, FindNodeVisitsEveryKindAndGetDataStripsDelimiters) {
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(u"<r> <!--c--><?p d?><![CDATA[<x>]]>t&lt;<e>in</e></r>"));
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem());
  const std::pair<unsigned, std::u16string_view> expected[] = {
      {kMarkupWhitespace, u" "},   {kMarkupComment, u"c"}, {kMarkupProcessingInstruction, u"p d"},
      {kMarkupCData, u"<x>"},      {kMarkupText, u"t<"},   {kMarkupElement, u"in"},
  };
  for (const auto& [type, data] : expected) {
    EXPECT_EQ(reader.FindNode(), type);
    EXPECT_EQ(reader.GetData(), data);
  }
  EXPECT_EQ(reader.FindNode(), 0u);

  // A filter skips other kinds; FindElem carries on from a non-element node.
  reader.ResetPos();
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem());
  EXPECT_EQ(reader.FindNode(kMarkupCData), kMarkupCData);
  ASSERT_TRUE(reader.FindElem(u"e"));
  EXPECT_EQ(reader.GetData(), u"in");
}

}  // namespace
}  // namespace perix
