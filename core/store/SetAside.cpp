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

// Names after the first that a second set-aside within the same second gets.
constexpr int kMaxSuffix = 100;

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

SetAsideResult SetAsideFile(std::u16string_view path, FileSystem& files, const LocalTime& when) {
  const std::u16string base = SetAsidePath(path, when);
  SetAsideResult result;
  for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
    std::u16string candidate = suffix == 1 ? base : base + u"-" + DecimalText(suffix);
    if (files.Exists(candidate)) continue;
    result.status = files.Rename(path, candidate);
    if (result.status == FileStatus::Ok) result.asidePath = std::move(candidate);
    return result;
  }
  result.status = FileStatus::Failed;
  return result;
}

FileProblem SetAsideNotice(std::u16string_view path, const SetAsideResult& result, std::u16string note) {
  FileProblem problem;
  problem.action = FileAction::SetAside;
  problem.status = result.status;
  problem.path = std::u16string(path);
  problem.other = result.asidePath;
  problem.note = std::move(note);
  return problem;
}

}  // namespace perix
