// Prints what the markup reader makes of XML files, one JSON line per file
// named on standard input: whether it is well formed, and every element in
// document order with its depth, its name and, for an element without child
// elements, its text. Only the reader's public navigation is used, the way
// the string lookup uses it.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "markup/MarkupReader.h"
#include "text/Utf16.h"

namespace {

void AppendJson(std::string& out, std::u16string_view text) {
  out.push_back('"');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'"' || c == u'\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c >= 0x7F) {
      // Escapes keep lone surrogates visible, as the JSON reader gives them back.
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
      out += hex;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  out.push_back('"');
}

void Walk(perix::MarkupReader& reader, int depth, std::string& out, std::size_t& count) {
  while (reader.FindElem()) {
    if (count++ > 0) out.push_back(',');
    out += "[" + std::to_string(depth) + ",";
    AppendJson(out, reader.GetTagName());
    out.push_back(',');
    reader.IntoElem();
    const bool hasChildren = reader.FindElem();
    reader.OutOfElem();
    if (hasChildren) {
      out += "null]";
      reader.IntoElem();
      Walk(reader, depth + 1, out, count);
      reader.OutOfElem();
    } else {
      AppendJson(out, reader.GetData());
      out.push_back(']');
    }
  }
}

}  // namespace

int main() {
  std::string path;
  while (std::getline(std::cin, path)) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    perix::MarkupReader reader;
    const bool wellFormed = reader.LoadBytes(bytes.str());
    std::string out = "{\"wf\":";
    out += wellFormed ? "true" : "false";
    out += ",\"result\":";
    AppendJson(out, reader.GetResult());
    out += ",\"elements\":[";
    std::size_t count = 0;
    Walk(reader, 0, out, count);
    out += "]}";
    std::cout << out << std::endl;
  }
  return 0;
}
