#include "app/CountingFileSystem.h"

namespace perix::win {
namespace {

std::u16string LowerName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  std::u16string name(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
  for (char16_t& c : name) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return name;
}

}  // namespace

FileRead CCountingFileSystem::ReadAll(std::u16string_view path) {
  ++m_reads[LowerName(path)];
  ++m_total;
  return m_inner.ReadAll(path);
}

int CCountingFileSystem::ReadsOf(std::u16string_view fileName) const {
  const auto found = m_reads.find(LowerName(fileName));
  return found == m_reads.end() ? 0 : found->second;
}

}  // namespace perix::win
