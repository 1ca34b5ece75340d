#pragma once
// The one path from a file that could not be read or written to the user:
// whatever fails (the settings file, a macro file, a copy, a file set aside)
// becomes a FileProblem, and the main window shows it once, with the reason.
// Nothing that failed is ever reported as done.

#include <string>

#include "platform/FileSystem.h"

namespace perix {

enum class FileAction : std::uint8_t {
  Save,      // writing a file
  Read,      // reading a file
  Copy,      // copying `other` to `path`
  Remove,    // deleting a file
  SetAside,  // a file the program could not read was moved to `other` (status: how the move went)
};

struct FileProblem {
  FileAction action = FileAction::Save;
  FileStatus status = FileStatus::Failed;
  std::u16string path;
  std::u16string other;  // the source of a copy, or where a file was set aside
  std::u16string note;   // what it means for the user, appended as a sentence of its own
  // What exactly was wrong, in place of the words for `status` ("it looks like
  // UTF-16 text without a byte-order mark"); for a file set aside, why it was.
  // (The initialiser keeps shorter brace lists of this struct warning-free.)
  std::u16string detail{};
};

// What became of an operation that may touch more than one file (reading a
// profile file, then writing the settings file): Ok, or what could not be done
// to which file and why.
struct [[nodiscard]] FileOutcome {
  FileStatus status = FileStatus::Ok;
  FileAction action = FileAction::Read;
  std::u16string path{};
  std::u16string detail{};  // as in FileProblem

  bool ok() const { return status == FileStatus::Ok; }
  // The report for the user.
  FileProblem Problem(std::u16string note = {}) const {
    return {action, status, path, {}, std::move(note), detail};
  }
  // Why it failed, in words: the detail, else the words for the status.
  std::u16string Reason() const;
};

class FileProblemReporter {
 public:
  virtual ~FileProblemReporter() = default;
  virtual void ReportFileProblem(const FileProblem& problem) = 0;
};

// The message the user sees: what could not be done to which file, why, and
// the note.
std::u16string FileProblemText(const FileProblem& problem);

}  // namespace perix
