#pragma once
// The open macro as the macro page edits it: the records, packed from slot
// 0, and the selected line of the action list. Line n of the list is always
// record n, so the lines are read from the records (MacroListing.h) and can
// never disagree with them.
//
// Every operation returns whether it changed the records; the page then
// saves the macro. Limits are kept silently: an insertion is refused from 56
// records on (it may add up to four), a paste from 60.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroListing.h"
#include "store/MacroFile.h"

namespace perix {

// Insertions are refused from this many records on.
inline constexpr int kMacroInsertLimit = 56;

class MacroEditor {
 public:
  // Takes a macro's records (packed here) and selects the last line.
  void Load(const MacroRecordBuffer& buffer);
  // No records, no selection.
  void Clear();

  const MacroRecordBuffer& Buffer() const { return m_buffer; }
  int RecordCount() const { return m_count; }
  const MacroRecord& Record(int line) const { return m_buffer.Records[line]; }
  std::vector<ActionLine> Lines() const;
  int TotalPause() const { return TotalPauseMilliseconds(m_buffer); }

  // The selected line, -1 for none.
  int Selected() const { return m_selected; }
  // Selects a line; an index outside the list selects nothing.
  void Select(int line);

  // Puts a record at `line` (0..RecordCount), moving the later ones down.
  // False when all 60 slots are taken. A recorded key the usage table does
  // not know is stored as usage 0; `text` keeps its name on the line while
  // the macro stays open.
  bool InsertAt(int line, const MacroRecord& record, std::u16string text = {});
  void Append(const MacroRecord& record) { InsertAt(m_count, record); }

  // A press and release of mouse button 1, 2 or 3 (left, right, middle)
  // after the selected line (at the end without one), with pauses of
  // `pause` milliseconds around them as the pause mode asks (none for 0).
  bool InsertClick(int button, int pause);
  // A 10-pixel movement after the selected line, with pauses likewise.
  bool InsertMovement(MoveDirection direction, int pause);

  void Copy();
  bool Cut();
  // The copied record after the selected line (at the top without one).
  bool Paste();
  bool HasClipboard() const { return m_clipboard.has_value(); }
  void ClearClipboard() { m_clipboard.reset(); }

  bool MoveUp();
  bool MoveDown();
  bool DeleteSelected();

  // A pause line's new length in milliseconds, stored in 10 ms units.
  bool SetPause(int line, int milliseconds);
  // A movement line's new distance (1..119) in its own direction; false for
  // a movement without direction.
  bool SetDistance(int line, int distance);

 private:
  bool IsPause(int line) const;
  void RemoveAt(int line);
  void SwapLines(int a, int b);

  struct Copied {
    MacroRecord record;
    std::u16string text;
  };

  MacroRecordBuffer m_buffer{};
  std::array<std::u16string, kMacroSlotCount> m_texts;  // a line's own text; empty: the record's
  int m_count = 0;
  int m_selected = -1;
  std::optional<Copied> m_clipboard;
};

}  // namespace perix
