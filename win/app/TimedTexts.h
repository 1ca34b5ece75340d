#pragma once
// The program's words (SkinTexts) with the time spent reading them charged to
// the start-up clock: skin INI files to one phase, the string file to another.

#include <string>
#include <string_view>

#include "app/TextSource.h"
#include "framework/StartupClock.h"

namespace perix::win {

class CTimedTexts final : public TextSource {
 public:
  explicit CTimedTexts(TextSource& inner) : m_inner(inner) {}

  std::u16string Text(std::u16string_view section, std::u16string_view key) override {
    ScopedStartupPhase phase(StartupPhase::StringFile);
    return m_inner.Text(section, key);
  }
  std::u16string SkinString(std::u16string_view file, std::u16string_view section,
                            std::u16string_view key) override {
    ScopedStartupPhase phase(StartupPhase::SkinFiles);
    return m_inner.SkinString(file, section, key);
  }

 private:
  TextSource& m_inner;  // not owned
};

}  // namespace perix::win
