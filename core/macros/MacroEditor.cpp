#include "macros/MacroEditor.h"

#include <algorithm>
#include <utility>

namespace perix {
namespace {

// The editor's movements are 10 pixels along one axis.
constexpr std::int8_t kStep = 10;

MacroRecord MovementRecord(MoveDirection direction, int distance) {
  const auto d = static_cast<std::int8_t>(distance);
  switch (direction) {
    case MoveDirection::Left: return MouseMoveRecord(static_cast<std::int8_t>(-d), 0);
    case MoveDirection::Right: return MouseMoveRecord(d, 0);
    case MoveDirection::Up: return MouseMoveRecord(0, static_cast<std::int8_t>(-d));
    case MoveDirection::Down: return MouseMoveRecord(0, d);
    case MoveDirection::None: break;
  }
  return MouseMoveRecord(0, 0);
}

}  // namespace

void MacroEditor::Load(const MacroRecordBuffer& buffer) {
  m_buffer = buffer;
  m_count = PackMacroRecords(m_buffer);
  m_texts = {};
  m_selected = m_count - 1;
}

void MacroEditor::Clear() {
  m_buffer = {};
  m_texts = {};
  m_count = 0;
  m_selected = -1;
}

std::vector<ActionLine> MacroEditor::Lines() const {
  std::vector<ActionLine> lines;
  lines.reserve(static_cast<std::size_t>(m_count));
  for (int i = 0; i < m_count; ++i) {
    ActionLine line = DescribeMacroRecord(m_buffer.Records[i]).value_or(ActionLine{});
    if (!m_texts[i].empty()) line.text = m_texts[i];
    lines.push_back(std::move(line));
  }
  return lines;
}

void MacroEditor::Select(int line) { m_selected = line >= 0 && line < m_count ? line : -1; }

bool MacroEditor::IsPause(int line) const {
  return line >= 0 && line < m_count && m_buffer.Records[line].KindOf() == MacroKind::Delay;
}

bool MacroEditor::InsertAt(int line, const MacroRecord& record, std::u16string text) {
  if (m_count >= kMacroSlotCount || line < 0 || line > m_count) return false;
  std::move_backward(m_buffer.Records + line, m_buffer.Records + m_count, m_buffer.Records + m_count + 1);
  std::move_backward(m_texts.begin() + line, m_texts.begin() + m_count, m_texts.begin() + m_count + 1);
  m_buffer.Records[line] = record;
  m_texts[static_cast<std::size_t>(line)] = std::move(text);
  ++m_count;
  return true;
}

void MacroEditor::RemoveAt(int line) {
  std::move(m_buffer.Records + line + 1, m_buffer.Records + m_count, m_buffer.Records + line);
  std::move(m_texts.begin() + line + 1, m_texts.begin() + m_count, m_texts.begin() + line);
  --m_count;
  m_buffer.Records[m_count] = {};
  m_texts[static_cast<std::size_t>(m_count)].clear();
}

bool MacroEditor::InsertClick(int button, int pause) {
  if (m_count >= kMacroInsertLimit || button < 1 || button > 3) return false;
  const auto mask = static_cast<std::uint8_t>(1 << (button - 1));
  const MacroRecord gap = DelayRecord(pause);
  std::vector<MacroRecord> added;
  const bool afterLine = m_selected >= 0;
  const bool afterPause = afterLine && IsPause(m_selected);
  if (afterLine && !afterPause && pause != 0) added.push_back(gap);
  added.push_back(MouseButtonRecord(mask, true));
  if (pause != 0) added.push_back(gap);
  added.push_back(MouseButtonRecord(mask, false));
  if (afterPause && pause != 0) added.push_back(gap);

  int at = afterLine ? m_selected + 1 : m_count;
  for (const MacroRecord& record : added) InsertAt(at++, record);
  m_selected = at - 1;
  return true;
}

bool MacroEditor::InsertMovement(MoveDirection direction, int pause) {
  if (m_count >= kMacroInsertLimit || direction == MoveDirection::None) return false;
  const MacroRecord movement = MovementRecord(direction, kStep);
  if (m_selected < 0) {
    // Nothing to place it after: it goes at the end, on its own.
    Append(movement);
    m_selected = m_count - 1;
    return true;
  }
  int at = m_selected + 1;
  if (!IsPause(m_selected) && pause != 0) InsertAt(at++, DelayRecord(pause));
  InsertAt(at++, movement);
  if (pause != 0) InsertAt(at++, DelayRecord(pause));
  m_selected = at - 1;
  return true;
}

void MacroEditor::SwapLines(int a, int b) {
  std::swap(m_buffer.Records[a], m_buffer.Records[b]);
  std::swap(m_texts[static_cast<std::size_t>(a)], m_texts[static_cast<std::size_t>(b)]);
}

void MacroEditor::Copy() {
  if (m_selected >= 0) m_clipboard = Copied{m_buffer.Records[m_selected], m_texts[static_cast<std::size_t>(m_selected)]};
}

bool MacroEditor::Cut() {
  if (m_selected < 0) return false;
  Copy();
  return DeleteSelected();
}

bool MacroEditor::Paste() {
  if (!m_clipboard || m_count >= kMacroSlotCount) return false;
  const int at = m_selected + 1;
  InsertAt(at, m_clipboard->record, m_clipboard->text);
  m_selected = at;
  return true;
}

bool MacroEditor::MoveUp() {
  if (m_selected <= 0) return false;
  SwapLines(m_selected - 1, m_selected);
  --m_selected;
  return true;
}

bool MacroEditor::MoveDown() {
  if (m_selected < 0 || m_selected >= m_count - 1) return false;
  SwapLines(m_selected, m_selected + 1);
  ++m_selected;
  return true;
}

bool MacroEditor::DeleteSelected() {
  if (m_selected < 0) return false;
  RemoveAt(m_selected);
  if (m_selected >= m_count) m_selected = m_count - 1;
  return true;
}

bool MacroEditor::SetPause(int line, int milliseconds) {
  if (!IsPause(line)) return false;
  m_buffer.Records[line] = DelayRecord(milliseconds);
  m_texts[static_cast<std::size_t>(line)].clear();
  m_selected = line;
  return true;
}

bool MacroEditor::SetDistance(int line, int distance) {
  if (line < 0 || line >= m_count || m_buffer.Records[line].KindOf() != MacroKind::MouseMove) return false;
  const MoveStep step = ReadMoveStep(m_buffer.Records[line]);
  if (step.direction == MoveDirection::None) return false;
  m_buffer.Records[line] = MovementRecord(step.direction, std::clamp(distance, 1, kMaxMoveDistance));
  m_selected = line;
  return true;
}

}  // namespace perix
