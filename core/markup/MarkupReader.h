#pragma once
// A small XML reader for the program's string file: loads a document in any
// of its encodings, converts it to UTF-16, indexes its elements, and offers
// cursor navigation (find an element among the siblings at the current level,
// step into it, read its text). Damaged or hostile input never crashes it;
// what was wrong is collected in the result text and decides whether the
// document counts as well formed.

#include <cstdint>
#include <string>
#include <string_view>

#include "markup/ElementIndex.h"

namespace perix {

class FileSystem;

// Node types, usable as a bit mask for FindNode.
enum MarkupNodeType : unsigned {
  kMarkupElement = 1,
  kMarkupText = 2,
  kMarkupWhitespace = 4,
  kMarkupCData = 8,
  kMarkupProcessingInstruction = 16,
  kMarkupComment = 32,
  kMarkupDocumentType = 64,
};

class MarkupReader {
 public:
  // Each replaces any previous document and returns whether the new one is
  // well formed: one root element, nothing but non-elements beside it, and
  // no damaged markup.
  bool Load(std::u16string_view path);  // through the operating system's files
  bool Load(FileSystem& files, std::u16string_view path);
  bool LoadBytes(std::string_view bytes);  // a file's contents, encoding still to be found
  bool SetDoc(std::u16string text);

  bool IsWellFormed() const { return m_wellFormed; }
  // Diagnostics gathered while loading and parsing, separated by spaces.
  const std::u16string& GetResult() const { return m_result; }
  const std::u16string& GetDoc() const { return m_text; }

  // Back to before the first element of the document level.
  void ResetPos();
  // Moves to the next element after the current position at the current
  // level whose tag name is `name` (case-sensitive); any element when `name`
  // is empty. On failure the cursor stays where it was.
  bool FindElem(std::u16string_view name = {});
  // Moves to the next node of the current level whose type is in `types`
  // (any type when 0); returns its type, or 0 at the end of the level.
  unsigned FindNode(unsigned types = 0);
  // The current element becomes the level searched; false when the cursor
  // is not on an element.
  bool IntoElem();
  // Back to the enclosing level, on the element that was stepped into.
  bool OutOfElem();

  unsigned GetNodeType() const { return m_nodeType; }
  std::u16string GetTagName() const;
  // The text of the current node: an element's text when it has no child
  // elements (references decoded, CDATA as written, comments and processing
  // instructions left out), otherwise empty; a comment, processing
  // instruction or CDATA section without its delimiters; a text node decoded.
  std::u16string GetData() const;

 private:
  void Clear();
  bool Parse();
  void AddResult(std::u16string_view fragment);
  void AddMessage(std::initializer_list<std::u16string_view> pieces);
  void CloseElement(std::uint32_t position, std::size_t end, std::size_t endTagLength);
  void CutElement(std::uint32_t position, std::size_t end);
  std::u16string_view TagNameAt(std::size_t start) const;
  // Whether the tag starting at `start` is named `name`; `name` must not be
  // a prefix of a longer name.
  bool NameIs(std::size_t start, std::u16string_view name) const;
  std::size_t StartTagLength(std::uint32_t position) const;
  std::size_t EndTagLength(std::uint32_t position) const;
  std::size_t ContentStart(std::uint32_t position) const;
  std::size_t ContentEnd(std::uint32_t position) const;
  std::u16string ElementData(std::uint32_t position) const;

  std::u16string m_text;
  markup::ElementIndex m_index;
  std::u16string m_result;
  bool m_resultFull = false;
  bool m_wellFormed = false;

  // Cursor. m_position is the current element, or when the cursor is on
  // another kind of node, the element before that node (0 when none).
  std::uint32_t m_parent = 0;
  std::uint32_t m_position = 0;
  unsigned m_nodeType = 0;
  std::size_t m_nodeOffset = 0;
  std::size_t m_nodeLength = 0;
};

}  // namespace perix
