#include "text/FilePath.h"

namespace perix {

std::u16string FileTitleOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/:");
  std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::u16string(name);
}

}  // namespace perix
