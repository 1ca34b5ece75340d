// Documents on which the reader once parted from a trusted XML parser
// (tests/markup-compare/compare.py finds such documents among the XML files
// a Debian machine installs). Each is well formed, and its element "t" reads
// as the parser reads it.

#include <gtest/gtest.h>

#include <string>

#include "markup/MarkupReader.h"
#include "text/Utf16.h"

namespace perix {
namespace {

struct Case {
  const char* file;  // in tests/data/markup/trusted
  std::u16string_view text;
};

TEST(TrustedParser, DocumentsItReadsTheReaderReadsTheSame) {
  const Case cases[] = {
      // An apostrophe in a comment of the internal subset opened a quotation
      // that ran to the end of the file.
      {"subset-comment.xml", u"text"},
  };
  for (const Case& c : cases) {
    MarkupReader reader;
    const std::string path = std::string(PERIX_TEST_DATA_DIR) + "/markup/trusted/" + c.file;
    EXPECT_TRUE(reader.Load(Utf8ToUtf16(path))) << c.file << ": " << Utf16ToUtf8(reader.GetResult());
    ASSERT_TRUE(reader.FindElem(u"r") && reader.IntoElem() && reader.FindElem(u"t")) << c.file;
    EXPECT_EQ(reader.GetData(), c.text) << c.file;
  }
}

}  // namespace
}  // namespace perix
