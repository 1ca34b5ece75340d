#pragma once

#include <string>
#include <string_view>

namespace perix {

// The title of a file: its name without folder and extension
// ("C:\x\My Setup.prof" gives "My Setup").
std::u16string FileTitleOf(std::u16string_view path);

}  // namespace perix
