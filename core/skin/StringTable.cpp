#include "skin/StringTable.h"

#include <optional>

#include "markup/MarkupReader.h"
#include "platform/FileSystem.h"

namespace perix {
namespace {

// User-interface thread only, like every caller.
struct StringFile {
  std::u16string path;
  FileSystem* files = nullptr;  // not owned
  MarkupReader document;
  std::optional<FileStamp> stamp;  // of the contents `document` holds; nothing = not kept
};

StringFile& Strings() {
  static StringFile file;
  return file;
}

// The parsed string file when it is well formed, read again only when it
// changed since the last time.
MarkupReader* Document() {
  StringFile& file = Strings();
  if (file.path.empty()) return nullptr;
  FileSystem& files = file.files != nullptr ? *file.files : DefaultFileSystem();
  const std::optional<FileStamp> now = files.Stamp(file.path);
  if (!(now && file.stamp && *now == *file.stamp)) {
    file.stamp.reset();
    const FileRead read = files.ReadAll(file.path);
    if (!read.ok()) {
      file.document.SetDoc(std::u16string());
      return nullptr;
    }
    file.document.LoadBytes(read.bytes);
    // Taken before the read: if the file changed in between, the next
    // lookup sees a different stamp and reads it again.
    file.stamp = now;
  }
  return file.document.IsWellFormed() ? &file.document : nullptr;
}

}  // namespace

void SetStringFile(std::u16string_view path, FileSystem* files) {
  StringFile& file = Strings();
  file.path = std::u16string(path);
  file.files = files;
  file.stamp.reset();
  file.document.SetDoc(std::u16string());
}

std::u16string GetText(std::u16string_view section, std::u16string_view key) {
  if (section.empty() || key.empty()) return {};
  MarkupReader* document = Document();
  if (document == nullptr) return {};
  document->ResetPos();
  // The root must carry the section's name; the key is a child of it or of
  // a nested element of the same name, searched level by level.
  if (!document->FindElem(section)) return {};
  while (document->IntoElem()) {
    if (document->FindElem(key)) return document->GetData();
    if (!document->FindElem(section)) return {};
  }
  return {};
}

}  // namespace perix
