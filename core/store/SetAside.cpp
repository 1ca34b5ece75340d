#include "store/SetAside.h"

#include "text/Utf16.h"

namespace perix {
namespace {

// Enough for every file a user may leave lying around; past it, give up
// rather than search forever.
constexpr int kMaxTries = 100;

}  // namespace

SetAsideResult SetFileAside(std::u16string_view path, FileSystem& files) {
  SetAsideResult result;
  for (int n = 1; n <= kMaxTries; ++n) {
    std::u16string target = std::u16string(path) + u".damaged";
    if (n > 1) target += u"-" + DecimalText(n);
    if (files.Exists(target)) continue;
    if (!files.Copy(path, target)) return result;
    result.status = FileStatus::Ok;
    result.path = std::move(target);
    return result;
  }
  return result;
}

}  // namespace perix
