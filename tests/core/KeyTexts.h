#pragma once

#include <string>
#include <string_view>

#include "app/TextSource.h"

namespace perix::test {

// Every string of "BUTTONPAGE" reads as its own key, so a test sees which one
// a caption took; every other section is empty.
class KeyTexts final : public TextSource {
 public:
  std::u16string Text(std::u16string_view section, std::u16string_view key) override {
    return section == u"BUTTONPAGE" ? std::u16string(key) : std::u16string();
  }
  std::u16string SkinString(std::u16string_view, std::u16string_view, std::u16string_view) override { return {}; }
};

}  // namespace perix::test
