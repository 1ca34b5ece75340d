// Feeds arbitrary bytes to the markup reader: as a file's contents (so the
// encoding detection and every conversion run) and as UTF-16 text, then
// walks and reads every node the way the string lookup and any caller could.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "markup/MarkupReader.h"

namespace {

void WalkEverything(perix::MarkupReader& reader) {
  reader.ResetPos();
  std::size_t depth = 0;
  for (;;) {
    const unsigned type = reader.FindNode();
    if (type == 0) {
      if (depth == 0 || !reader.OutOfElem()) break;
      --depth;
      continue;
    }
    (void)reader.GetData();
    if (type == perix::kMarkupElement) {
      const std::u16string name = reader.GetTagName();
      if (reader.IntoElem()) {
        ++depth;
        // The lookup pattern of the string table: a named search from the
        // start of the level, then from the element found.
        if (reader.FindElem(name)) {
          (void)reader.GetData();
          (void)reader.FindElem();
        }
        reader.OutOfElem();
        reader.IntoElem();
      }
    }
  }
  (void)reader.GetResult();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  perix::MarkupReader reader;
  reader.LoadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  WalkEverything(reader);

  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
  reader.SetDoc(std::move(text));
  WalkEverything(reader);
  return 0;
}
