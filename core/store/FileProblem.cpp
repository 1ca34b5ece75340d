#include "store/FileProblem.h"

#include "text/Utf16.h"

namespace perix {

std::u16string FileProblemText(const FileProblem& problem) {
  const std::u16string reason = Utf8ToUtf16(FileStatusText(problem.status));
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
      text = u"The file " + file + u" could not be understood. It was kept unchanged as \"" + problem.other + u"\".";
      break;
  }
  if (!problem.note.empty()) text += u" " + problem.note;
  return text;
}

}  // namespace perix
