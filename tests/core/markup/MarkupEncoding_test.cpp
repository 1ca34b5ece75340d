#include <gtest/gtest.h>

#include <string>

#include "markup/CharsetNames.h"
#include "markup/MarkupEncoding.h"
#include "markup/MarkupReader.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::u16string DataPath(std::string_view name) {
  return Utf8ToUtf16(std::string(PERIX_TEST_DATA_DIR) + "/markup/" + std::string(name));
}

std::u16string ReadKey(MarkupReader& reader, std::u16string_view section, std::u16string_view key) {
  reader.ResetPos();
  if (!reader.FindElem(section) || !reader.IntoElem() || !reader.FindElem(key)) return u"<not found>";
  return reader.GetData();
}

std::string Utf16LE(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::string Utf16BE(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c >> 8));
    bytes.push_back(static_cast<char>(c & 0xFF));
  }
  return bytes;
}

std::string Utf32(std::u32string_view text, bool bigEndian) {
  std::string bytes;
  for (char32_t c : text) {
    for (int i = 0; i < 4; ++i) {
      const int shift = bigEndian ? 24 - 8 * i : 8 * i;
      bytes.push_back(static_cast<char>((c >> shift) & 0xFF));
    }
  }
  return bytes;
}

// String tables saved in the code pages translators use; the conversion is
// the platform's (iconv natively, MultiByteToWideChar under Windows).
TEST(MarkupEncoding, DeclaredCodePagesLoadFromFiles) {
  struct Case {
    std::string_view file;
    std::u16string_view save;
  };
  const Case cases[] = {
      {"gb2312.xml", u"保存设置"},
      {"big5.xml", u"儲存設定"},
      {"shift_jis.xml", u"設定を保存"},
      {"koi8-r.xml", u"Сохранить"},
      {"windows-1252.xml", u"Enregistrer € « é »"},
  };
  for (const Case& c : cases) {
    MarkupReader reader;
    ASSERT_TRUE(reader.Load(DataPath(c.file))) << c.file << ": " << Utf16ToUtf8(reader.GetResult());
    EXPECT_EQ(ReadKey(reader, u"BUTTONPAGE", u"SAVE"), c.save) << c.file;
    EXPECT_EQ(ReadKey(reader, u"BUTTONPAGE", u"MIDDLE"), u"A&B") << c.file;
  }
}

TEST(MarkupEncoding, MissingFileFailsWithANote) {
  MarkupReader reader;
  ASSERT_TRUE(reader.SetDoc(u"<old/>"));
  EXPECT_FALSE(reader.Load(DataPath("no-such-file.xml")));
  EXPECT_FALSE(reader.FindElem(u"old"));  // the previous document is gone
  EXPECT_NE(reader.GetResult().find(u"Unable to read file"), std::u16string::npos);
}

TEST(MarkupEncoding, ByteOrderMarks) {
  const std::u16string doc = u"<a>\u00E9\u4E2D\U0001F600</a>";
  const std::u16string text = u"\u00E9\u4E2D\U0001F600";
  const std::string variants[] = {
      "\xEF\xBB\xBF" + Utf16ToUtf8(doc),
      "\xFF\xFE" + Utf16LE(doc),
      "\xFE\xFF" + Utf16BE(doc),
      std::string("\xFF\xFE\0\0", 4) + Utf32(U"<a>\u00E9\u4E2D\U0001F600</a>", false),
      std::string("\0\0\xFE\xFF", 4) + Utf32(U"<a>\u00E9\u4E2D\U0001F600</a>", true),
      Utf16LE(doc),                                                // no mark, but "<\0" gives it away
      Utf32(U"<a>\u00E9\u4E2D\U0001F600</a>", true),
  };
  for (const std::string& bytes : variants) {
    MarkupReader reader;
    ASSERT_TRUE(reader.LoadBytes(bytes)) << Utf16ToUtf8(reader.GetResult());
    ASSERT_TRUE(reader.FindElem(u"a"));
    EXPECT_EQ(reader.GetData(), text) << Utf16ToUtf8(reader.GetResult());
  }
}

TEST(MarkupEncoding, Utf16ZeroCharactersAreRemoved) {
  std::string bytes = "\xFF\xFE" + Utf16LE(u"<a>x") + std::string(4, '\0') + Utf16LE(u"y</a>") + "\x01";  // and an odd byte
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes(bytes));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"xy");
  EXPECT_NE(reader.GetResult().find(u"(2 nulls removed)"), std::u16string::npos) << Utf16ToUtf8(reader.GetResult());
}

TEST(MarkupEncoding, LoneSurrogatesInUtf16PassThroughUntouched) {
  const std::u16string doc = {u'<', u'a', u'>', 0xD800, u'x', 0xDC00, u'<', u'/', u'a', u'>'};
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes("\xFF\xFE" + Utf16LE(doc)));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), (std::u16string{0xD800, u'x', 0xDC00}));
}

TEST(MarkupEncoding, WithoutDeclarationValidUtf8IsUtf8AndAnythingElseIsAnsi) {
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes("<a>caf\xC3\xA9</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"café");
  EXPECT_NE(reader.GetResult().find(u"UTF-8"), std::u16string::npos);

  // Saved as ANSI by a plain editor: read as the ANSI code page, not as
  // replacement characters.
  ASSERT_TRUE(reader.LoadBytes("<a>caf\xE9</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"café");
  EXPECT_NE(reader.GetResult().find(u"(used UTF-8 detection)"), std::u16string::npos);
}

TEST(MarkupEncoding, DeclaredUtf8WithBrokenBytesKeepsTheRest) {
  MarkupReader reader;
  // A stray continuation byte, a cut-off sequence, an overlong form, an
  // encoded surrogate and a value beyond U+10FFFF.
  ASSERT_TRUE(reader.LoadBytes("<?xml version='1.0' encoding='utf-8'?><a>1\x80" "2\xE4\xB8" "3\xC0\xAF" "4\xED\xA0\x80"
                               "5\xF4\x90\x80\x80" "6</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"1\uFFFD2\uFFFD3\uFFFD\uFFFD4\uFFFD5\uFFFD6");
}

TEST(MarkupEncoding, DeclarationFindsTheCodePage) {
  // KOI8-R "Да" is C4 C1.
  MarkupReader reader;
  ASSERT_TRUE(reader.LoadBytes("\n<?xml version=\"1.0\" encoding='koi8-r' ?>\n<a>\xE4\xC1</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"Да");

  // A file that claims UTF-16 but is plainly not: the claim is ignored.
  ASSERT_TRUE(reader.LoadBytes("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>ok</a>"));
  ASSERT_TRUE(reader.FindElem(u"a"));
  EXPECT_EQ(reader.GetData(), u"ok");
}

TEST(MarkupEncoding, HtmlMetaCharset) {
  EXPECT_EQ(markup::DeclaredEncoding(
                u"<!DOCTYPE html><html><head><title>t</title>"
                u"<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; charset = big5\"></head>"),
            u"big5");
  EXPECT_EQ(markup::DeclaredEncoding(u"<html><head><meta http-equiv=Content-Type content='text/html;charset=gb2312'>"),
            u"gb2312");
  // Only in the head of an HTML document.
  EXPECT_EQ(markup::DeclaredEncoding(u"<r><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"/></r>"),
            u"");
  EXPECT_EQ(markup::DeclaredEncoding(u"<html><head></head><meta http-equiv=\"Content-Type\" content=\"charset=big5\">"),
            u"");
  EXPECT_EQ(markup::DeclaredEncoding(u"<?xml version=\"1.0\"?><html><meta http-equiv=\"Content-Type\" content=\"charset=big5\">"),
            u"");

  MarkupReader reader;
  EXPECT_TRUE(reader.LoadBytes("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\"/>"
                               "</head><body>\xE4\xC1</body></html>"));
  ASSERT_TRUE(reader.FindElem(u"html") && reader.IntoElem() && reader.FindElem(u"body"));
  EXPECT_EQ(reader.GetData(), u"Да");
}

TEST(MarkupEncoding, CharsetNames) {
  using markup::CodePageOfCharset;
  EXPECT_EQ(markup::CharsetNameTable().size(), 254u);
  EXPECT_EQ(CodePageOfCharset(u"utf-8"), 65001u);
  EXPECT_EQ(CodePageOfCharset(u"UTF-8"), 65001u);
  EXPECT_EQ(CodePageOfCharset(u"ascii"), 20127u);
  EXPECT_EQ(CodePageOfCharset(u"Big5"), 950u);
  EXPECT_EQ(CodePageOfCharset(u"chinese"), 936u);
  EXPECT_EQ(CodePageOfCharset(u"cp437"), 437u);
  EXPECT_EQ(CodePageOfCharset(u"csKOI8R"), 20866u);
  EXPECT_EQ(CodePageOfCharset(u"Shift_JIS"), 932u);
  EXPECT_EQ(CodePageOfCharset(u"ISO-8859-1"), 28591u);
  EXPECT_EQ(CodePageOfCharset(u"UTF-32"), 65005u);
  EXPECT_EQ(CodePageOfCharset(u"utf-32be-whatever"), 65005u);
  EXPECT_EQ(CodePageOfCharset(u"no-such-charset"), 0u);
  EXPECT_EQ(CodePageOfCharset(u""), 0u);
  EXPECT_EQ(CodePageOfCharset(u"utf-8 "), 0u);
  EXPECT_EQ(CodePageOfCharset(std::u16string(120, u'a')), 0u);
  for (const markup::CharsetName& entry : markup::CharsetNameTable()) {
    EXPECT_EQ(CodePageOfCharset(Widen(entry.name)), entry.codePage) << entry.name;
  }
}

}  // namespace
}  // namespace perix
