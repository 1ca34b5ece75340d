#include "macros/MacroListing.h"

#include "buttons/KeyNames.h"
#include "skin/StringTable.h"
#include "text/Utf16.h"

namespace perix {
namespace {

int SignedStep(std::uint8_t v) { return v < 120 ? v : -(256 - v); }

std::u16string DirectionText(MoveDirection direction) {
  const char16_t* key = nullptr;
  switch (direction) {
    case MoveDirection::Left: key = u"MOVELEFT"; break;
    case MoveDirection::Right: key = u"MOVERIGHT"; break;
    case MoveDirection::Up: key = u"MOVEUP"; break;
    case MoveDirection::Down: key = u"MOVEDOWN"; break;
    case MoveDirection::None: return {};
  }
  return GetText(u"BUTTONPAGE", key);
}

}  // namespace

MoveStep ReadMoveStep(const MacroRecord& record) {
  if (record.Operand2 != 0) {
    const int y = SignedStep(record.Operand2);
    return y > 0 ? MoveStep{MoveDirection::Down, y} : MoveStep{MoveDirection::Up, -y};
  }
  if (record.Operand1 != 0) {
    const int x = SignedStep(record.Operand1);
    return x > 0 ? MoveStep{MoveDirection::Right, x} : MoveStep{MoveDirection::Left, -x};
  }
  return {};
}

std::optional<ActionLine> DescribeMacroRecord(const MacroRecord& record) {
  const int pressMarker = record.IsPress() ? ActionMarker::Press : ActionMarker::Release;
  switch (record.KindOf()) {
    case MacroKind::Delay:
      return ActionLine{DecimalText(DelayMilliseconds(record)) + u" MS", ActionMarker::Pause};
    case MacroKind::Key: {
      // The Windows keys share one key-location name; lines name them apart,
      // as the recorder does, so a saved macro reads as it was recorded.
      if (record.Operand1 == 0xE3) return ActionLine{MacroKeyName(244), pressMarker};
      if (record.Operand1 == 0xE7) return ActionLine{MacroKeyName(245), pressMarker};
      return ActionLine{MacroKeyNameOfUsage(record.Operand1), pressMarker};
    }
    case MacroKind::MouseButton: return ActionLine{MacroKeyName(record.Operand1), pressMarker};
    case MacroKind::MouseMove: {
      const MoveStep step = ReadMoveStep(record);
      return ActionLine{DirectionText(step.direction) + u" : " + DecimalText(step.distance), ActionMarker::Movement};
    }
  }
  return std::nullopt;
}

std::vector<ActionLine> ListMacroRecords(const MacroRecordBuffer& buffer) {
  std::vector<ActionLine> lines;
  for (const MacroRecord& record : buffer.Records) {
    if (record.IsEmpty()) continue;
    if (auto line = DescribeMacroRecord(record)) lines.push_back(std::move(*line));
  }
  return lines;
}

int TotalPauseMilliseconds(const MacroRecordBuffer& buffer) {
  int total = 0;
  for (const MacroRecord& record : buffer.Records) {
    if (!record.IsEmpty() && record.KindOf() == MacroKind::Delay) total += DelayMilliseconds(record);
  }
  return total;
}

}  // namespace perix
