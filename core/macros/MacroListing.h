#pragma once
// How a macro's records read as lines of the macro page's action list.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/MacroFile.h"

namespace perix {

// The picture beside a line: bitmap resources of the program, or none.
namespace ActionMarker {
inline constexpr int Pause = 0;
inline constexpr int Release = 148;
inline constexpr int Press = 149;
inline constexpr int Movement = 160;
}  // namespace ActionMarker

enum class MoveDirection { None, Left, Right, Up, Down };

// The longest movement a step byte holds: from 120 up a byte reads as a step
// the other way.
inline constexpr int kMaxMoveDistance = 119;

struct MoveStep {
  MoveDirection direction = MoveDirection::None;
  int distance = 0;
};

// Reads a movement's step bytes: a byte v is 0 for no movement, 1..119 for
// +v and 120..255 for -(256 - v); a Y step wins over an X step.
MoveStep ReadMoveStep(const MacroRecord& record);

struct ActionLine {
  std::u16string text;
  int marker = ActionMarker::Pause;
  friend bool operator==(const ActionLine&, const ActionLine&) = default;
};

// The line of one record; nothing for records of an unknown kind. Mouse
// buttons and directions take their words from the string file.
std::optional<ActionLine> DescribeMacroRecord(const MacroRecord& record);

// The lines of the occupied records, in slot order.
std::vector<ActionLine> ListMacroRecords(const MacroRecordBuffer& buffer);

// The sum of all pauses in milliseconds.
int TotalPauseMilliseconds(const MacroRecordBuffer& buffer);

}  // namespace perix
