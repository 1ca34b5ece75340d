#include "store/SetAside.h"

#include <ctime>

#include "text/Utf16.h"

namespace perix {
namespace {

std::u16string TwoDigits(int value) {
  std::u16string text = DecimalText(value);
  if (text.size() < 2) text.insert(text.begin(), u'0');
  return text;
}

// Enough for every file a user may leave lying around; past it, give up
// rather than search forever.
constexpr int kMaxTries = 100;

// Keeps the file under the first free set-aside name with `keep` (a rename
// or a copy, which must not replace an existing file).
template <typename Keep>
SetAsideResult KeepAside(std::u16string_view path, FileSystem& files, const LocalTime& when, Keep keep) {
  const std::u16string base = SetAsidePath(path, when);
  SetAsideResult result;
  for (int n = 1; n <= kMaxTries; ++n) {
    std::u16string target = n == 1 ? base : base + u"-" + DecimalText(n);
    if (files.Exists(target)) continue;
    result.status = keep(target);
    if (result.status == FileStatus::Ok) result.path = std::move(target);
    return result;
  }
  return result;
}

}  // namespace

LocalTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  // The program has one thread; localtime's shared buffer is safe here.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec};
}

std::u16string SetAsidePath(std::u16string_view path, const LocalTime& when) {
  std::u16string aside(path);
  aside += u".damaged-";
  aside += DecimalText(when.year);
  aside += TwoDigits(when.month) + TwoDigits(when.day) + u"-" + TwoDigits(when.hour) + TwoDigits(when.minute) +
           TwoDigits(when.second);
  return aside;
}

SetAsideResult MoveFileAside(std::u16string_view path, FileSystem& files, const LocalTime& when) {
  return KeepAside(path, files, when, [&](const std::u16string& target) { return files.Rename(path, target); });
}

SetAsideResult SetFileAside(std::u16string_view path, FileSystem& files, const LocalTime& when) {
  return KeepAside(path, files, when, [&](const std::u16string& target) {
    return files.Copy(path, target);
  });
}

FileProblem SetAsideNotice(std::u16string_view path, const SetAsideResult& result, std::u16string note) {
  FileProblem problem;
  problem.action = FileAction::SetAside;
  problem.status = result.status;
  problem.path = std::u16string(path);
  problem.other = result.path;
  problem.note = std::move(note);
  return problem;
}

}  // namespace perix
