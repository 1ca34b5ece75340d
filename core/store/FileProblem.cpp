#include "store/FileProblem.h"

#include "text/Utf16.h"

namespace perix {
namespace {

std::u16string ReasonOf(FileStatus status, const std::u16string& detail) {
  return detail.empty() ? Utf8ToUtf16(FileStatusText(status)) : detail;
}

}  // namespace

std::u16string FileOutcome::Reason() const { return ReasonOf(status, detail); }

std::u16string FileProblemText(const FileProblem& problem) {
  const std::u16string reason =
      ReasonOf(problem.status, problem.action == FileAction::SetAside ? std::u16string() : problem.detail);
  const std::u16string file = u"\"" + problem.path + u"\"";
  std::u16string text;
  switch (problem.action) {
    case FileAction::Save: text = u"Could not save " + file + u": " + reason + u"."; break;
    case FileAction::Read: text = u"Could not read " + file + u": " + reason + u"."; break;
    case FileAction::Copy:
      text = u"Could not copy \"" + problem.other + u"\" to " + file + u": " + reason + u".";
      break;
    case FileAction::Remove: text = u"Could not delete " + file + u": " + reason + u"."; break;
    case FileAction::SetAside:
      // `status` tells how the set-aside went; `detail` why it was needed.
      text = u"Could not read " + file + u": " +
             (problem.detail.empty() ? Utf8ToUtf16(FileStatusText(FileStatus::NotUnderstood)) : problem.detail);
      if (problem.status == FileStatus::Ok) {
        text += u". The file was kept unchanged as \"" + problem.other + u"\".";
      } else {
        text += u". It could not be set aside either (" + reason + u"), so it was left as it is.";
      }
      break;
  }
  if (!problem.note.empty()) text += u" " + problem.note;
  return text;
}

}  // namespace perix
