// Damaged and hostile documents: whatever comes in, the reader answers
// without crashing or reading outside its text (the sanitizer build checks
// the latter), and its work stays linear.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "markup/MarkupReader.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// Visits every node of the document, depth first, without recursion, and
// reads each one. Returns the number of elements seen.
std::size_t WalkEverything(MarkupReader& reader) {
  reader.ResetPos();
  std::size_t elements = 0;
  std::size_t depth = 0;
  for (;;) {
    const unsigned type = reader.FindNode();
    if (type == 0) {
      if (depth == 0 || !reader.OutOfElem()) break;
      --depth;
      continue;
    }
    (void)reader.GetData();
    if (type == kMarkupElement) {
      ++elements;
      (void)reader.GetTagName();
      if (reader.IntoElem()) ++depth;
    }
  }
  return elements;
}

constexpr std::u16string_view kSample =
    u"\uFEFF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    u"<!DOCTYPE r [ <!ELEMENT r ANY> <!ENTITY e \"x>y\"> ]>\n"
    u"<r a=\"1\" b='2>3'>\n"
    u"  <!-- a comment -- with dashes -->\n"
    u"  <k>A&amp;B&#65;&#x42;&eacute;&bogus;</k>\n"
    u"  <e/><e />\n"
    u"  <m>x<![CDATA[<y>]]>z<?pi data?></m>\n"
    u"  <n><o>deep</o></n>\n"
    u"</r>\n";

TEST(MarkupHardening, EveryPrefixOfADocumentIsSafe) {
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(std::u16string(kSample)));
  EXPECT_EQ(WalkEverything(reader), 7u);
  for (std::size_t length = 0; length < kSample.size(); ++length) {
    reader.SetDoc(std::u16string(kSample.substr(0, length)));
    WalkEverything(reader);
  }
}

TEST(MarkupHardening, EveryPrefixOfTheBytesIsSafe) {
  const std::string bytes = Utf16ToUtf8(kSample);
  MarkupReader reader;
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    reader.LoadBytes(bytes.substr(0, length));
    WalkEverything(reader);
  }
}

TEST(MarkupHardening, HundredThousandNestedElements) {
  constexpr std::size_t kDepth = 100000;
  std::u16string doc;
  for (std::size_t i = 0; i < kDepth; ++i) doc += u"<a>";
  doc += u"x";
  for (std::size_t i = 0; i < kDepth; ++i) doc += u"</a>";
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(doc));
  for (std::size_t i = 0; i < kDepth; ++i) {
    ASSERT_TRUE(reader.FindElem(u"a"));
    ASSERT_TRUE(reader.IntoElem());
  }
  EXPECT_FALSE(reader.FindElem());
  ASSERT_TRUE(reader.OutOfElem());
  EXPECT_EQ(reader.GetData(), u"x");
  EXPECT_EQ(WalkEverything(reader), kDepth);

  // None of them ended: one message each would be megabytes; the result
  // text stays bounded.
  doc.resize(kDepth * 3);
  EXPECT_FALSE(reader.SetDoc(doc));
  EXPECT_LT(reader.GetResult().size(), 40000u);
  EXPECT_EQ(WalkEverything(reader), kDepth);

  // Deep nesting plus stray end tags that match nothing open: each looks a
  // bounded way up, so this stays linear.
  for (std::size_t i = 0; i < kDepth / 5; ++i) doc += u"</b>";
  EXPECT_FALSE(reader.SetDoc(doc));
}

TEST(MarkupHardening, FiftyMegabyteDocument) {
  std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BUTTONPAGE>\n";
  const std::string value(40, 'v');
  std::size_t keys = 0;
  while (bytes.size() < 50u * 1024 * 1024) {
    const std::string name = std::to_string(keys++);
    bytes.append("  <K").append(name).append(">").append(value).append(" &amp; \xE4\xB8\xAD</K");
    bytes.append(name).append(">\n");
  }
  bytes += "</BUTTONPAGE>\n";
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes(bytes));
  ASSERT_TRUE(reader.FindElem(u"BUTTONPAGE") && reader.IntoElem());
  std::size_t found = 0;
  while (reader.FindElem()) ++found;
  EXPECT_EQ(found, keys);
  std::u16string lastName = u"K";
  lastName.append(DecimalText(static_cast<std::int64_t>(keys - 1)));
  EXPECT_EQ(reader.GetTagName(), lastName);
  std::u16string lastData = Widen(value);
  lastData.append(u" & \u4E2D");
  EXPECT_EQ(reader.GetData(), lastData);
}

TEST(MarkupHardening, TagsTooLongForTheirIndexFields) {
  // A start tag longer than its 22-bit field and an end tag longer than its
  // 10-bit field are found again by scanning.
  const std::u16string attribute(5 * 1024 * 1024, u'x');
  const std::u16string longName(2000, u'n');
  const std::u16string doc = u"<r><k a=\"" + attribute + u"\">inside</k><" + longName + u">also</" + longName +
                             u"  ><z>last</z></r>";
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(doc));
  ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem());
  ASSERT_TRUE(reader.FindElem(u"k"));
  EXPECT_EQ(reader.GetData(), u"inside");
  ASSERT_TRUE(reader.FindElem(longName));
  EXPECT_EQ(reader.GetData(), u"also");
  ASSERT_TRUE(reader.FindElem(u"z"));
  EXPECT_EQ(reader.GetData(), u"last");
}

TEST(MarkupHardening, RandomMarkupSoup) {
  // A fixed pseudo-random sequence, so a failure reproduces.
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  const std::u16string high(1, char16_t{0xD800}), low(1, char16_t{0xDC00}), zero(1, u'\0');
  const std::u16string_view kPieces[] = {
      u"<", u">", u"/", u"a", u"b", u"!", u"-", u"--", u"?", u"[", u"]", u"CDATA[", u"&", u";", u"#", u"x",
      u"\"", u"'", u"=", u" ", u"<a>", u"</a>", u"<b/>", u"<!--", u"-->", u"<![CDATA[", u"]]>", u"<?", u"?>",
      u"&amp;", u"&#x10FFFF;", u"&#xD800;", high, low, zero};
  MarkupReader reader;
  for (int round = 0; round < 3000; ++round) {
    std::u16string doc;
    const std::size_t pieces = next() % 60;
    for (std::size_t i = 0; i < pieces; ++i) doc += kPieces[next() % std::size(kPieces)];
    reader.SetDoc(doc);
    WalkEverything(reader);
    reader.LoadBytes(Utf16ToUtf8(doc));
    WalkEverything(reader);
  }
}

}  // namespace
}  // namespace perix
