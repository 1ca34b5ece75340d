#include "performance/ColourPicker.h"

#include <algorithm>
#include <limits>

#include "text/Utf16.h"

namespace perix {
namespace {

// The hue bar from top to bottom, red -> magenta -> blue -> cyan -> green ->
// yellow -> red, written as 0xRRGGBB as a designer reads them.
constexpr std::uint32_t kHueRgb[kHueCount] = {
    0xFF0005, 0xFF000B, 0xFF0011, 0xFF0018, 0xFF0020, 0xFF0029, 0xFF0032, 0xFF003C, 0xFF0045, 0xFF0050,
    0xFF005B, 0xFF0065, 0xFF0070, 0xFF007B, 0xFF0086, 0xFF0091, 0xFF009C, 0xFF00A7, 0xFF00B1, 0xFF00BC,
    0xFF00C6, 0xFF00CF, 0xFF00D8, 0xFF00E0, 0xFF00E8, 0xFF00EF, 0xFF00F6, 0xFF00FB, 0xFE00FF, 0xFA00FF,
    0xF500FF, 0xF000FF, 0xEA00FF, 0xE400FF, 0xDD00FF, 0xD600FF, 0xCF00FF, 0xC700FF, 0xBF00FF, 0xB600FF,
    0xAD00FF, 0xA500FF, 0x9C00FF, 0x9200FF, 0x8900FF, 0x8000FF, 0x7700FF, 0x6E00FF, 0x6500FF, 0x5C00FF,
    0x5300FF, 0x4A00FF, 0x4200FF, 0x3A00FF, 0x3200FF, 0x2A00FF, 0x2300FF, 0x1C00FF, 0x1600FF, 0x1000FF,
    0x0B00FF, 0x0600FF, 0x0100FF, 0x0003FF, 0x0008FF, 0x000EFF, 0x0014FF, 0x001BFF, 0x0023FF, 0x002BFF,
    0x0033FF, 0x003CFF, 0x0045FF, 0x004FFF, 0x0059FF, 0x0063FF, 0x006EFF, 0x0078FF, 0x0082FF, 0x008DFF,
    0x0097FF, 0x00A1FF, 0x00ABFF, 0x00B5FF, 0x00BEFF, 0x00C8FF, 0x00D0FF, 0x00D9FF, 0x00E1FF, 0x00E8FF,
    0x00EEFF, 0x00F5FF, 0x00FAFF, 0x00FFFF, 0x00FFFB, 0x00FFF7, 0x00FFF2, 0x00FFEC, 0x00FFE6, 0x00FFDF,
    0x00FFD8, 0x00FFD1, 0x00FFC9, 0x00FFC1, 0x00FFB9, 0x00FFB0, 0x00FFA7, 0x00FF9E, 0x00FF95, 0x00FF8C,
    0x00FF83, 0x00FF7A, 0x00FF70, 0x00FF67, 0x00FF5E, 0x00FF55, 0x00FF4D, 0x00FF44, 0x00FF3C, 0x00FF34,
    0x00FF2C, 0x00FF25, 0x00FF1E, 0x00FF17, 0x00FF11, 0x00FF0C, 0x00FF07, 0x00FF02, 0x02FF00, 0x06FF00,
    0x0BFF00, 0x11FF00, 0x17FF00, 0x1EFF00, 0x25FF00, 0x2DFF00, 0x36FF00, 0x3EFF00, 0x47FF00, 0x50FF00,
    0x59FF00, 0x62FF00, 0x6CFF00, 0x76FF00, 0x80FF00, 0x8AFF00, 0x93FF00, 0x9DFF00, 0xA6FF00, 0xB0FF00,
    0xB9FF00, 0xC2FF00, 0xCAFF00, 0xD2FF00, 0xDAFF00, 0xE1FF00, 0xE8FF00, 0xEFFF00, 0xF4FF00, 0xF9FF00,
    0xFEFF00, 0xFFFC00, 0xFFF700, 0xFFF100, 0xFFEB00, 0xFFE400, 0xFFDC00, 0xFFD400, 0xFFCB00, 0xFFC200,
    0xFFB900, 0xFFAF00, 0xFFA500, 0xFF9B00, 0xFF9100, 0xFF8600, 0xFF7C00, 0xFF7200, 0xFF6700, 0xFF5D00,
    0xFF5300, 0xFF4900, 0xFF4000, 0xFF3700, 0xFF2E00, 0xFF2600, 0xFF1E00, 0xFF1600, 0xFF1000, 0xFF0A00,
};

constexpr std::uint32_t FromRgb(std::uint32_t rgb) {
  return ColourFromChannels(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

// Both zones include their left and top edges and exclude the right and
// bottom ones. The hue zone is the bar with its marks on either side.
constexpr Rect kHueZone{196, 2, 218, 192};
constexpr Rect kSquareZone{0, 1, 190, 191};

constexpr int kLastRow = kSquareRows - 1;

}  // namespace

std::uint32_t HueColour(int position) { return FromRgb(kHueRgb[ClampHuePosition(position) - kHueFirstPosition]); }

int ClampHuePosition(int y) { return std::clamp(y, kHueFirstPosition, kHueLastPosition); }

bool InHueBarZone(Point p) { return kHueZone.Contains(p); }

bool InSquareZone(Point p) { return kSquareZone.Contains(p); }

SquareRowEnds SquareRow(std::uint32_t hue, int row) {
  row = std::clamp(row, 0, kLastRow);
  const int grey = 255 - row * 255 / kLastRow;
  // The same amount, kept fractional before it is taken off each channel.
  const double amount = row * 255.0 / kLastRow;
  int dark[kChannelCount];
  for (int c = 0; c < kChannelCount; ++c) {
    const int value = ChannelOf(hue, static_cast<Channel>(c));
    dark[c] = value > amount ? static_cast<int>(value - amount) : 0;
  }
  return {ColourFromChannels(grey, grey, grey), ColourFromChannels(dark[0], dark[1], dark[2])};
}

std::uint32_t SquareColour(std::uint32_t hue, int x, int row) {
  const SquareRowEnds ends = SquareRow(hue, row);
  x = std::clamp(x, 0, kSquareWidth);
  int channels[kChannelCount];
  for (int c = 0; c < kChannelCount; ++c) {
    const int from = ChannelOf(ends.grey, static_cast<Channel>(c));
    const int to = ChannelOf(ends.dark, static_cast<Channel>(c));
    channels[c] = (from * (kSquareWidth - x) + to * x + kSquareWidth / 2) / kSquareWidth;
  }
  return ColourFromChannels(channels[0], channels[1], channels[2]);
}

int StepChannel(int value, bool up) {
  if (up) return value < 254 ? value + 1 : 255;
  return value > 1 ? value - 1 : 0;
}

int ParseChannelBox(std::u16string_view text) { return DecimalValue(text); }

std::u16string ChannelText(int value) { return DecimalText(value); }

std::u16string HexText(std::uint32_t colour) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  bool started = false;
  for (int shift = 28; shift >= 0; shift -= 4) {
    const unsigned digit = (colour >> shift) & 0xFu;
    // At least six digits, more only when the value needs them.
    if (digit != 0 || shift < 24) started = true;
    if (started) text.push_back(kDigits[digit]);
  }
  return text;
}

void ColourPicker::SetColour(std::uint32_t colour) {
  const bool dragging = m_state.dragging;
  m_state = {};
  m_state.colour = colour & 0x00FFFFFFu;
  // A drag in progress still ends with its release.
  m_state.dragging = dragging;
}

PickerReaction ColourPicker::OnPress(Point p) {
  PickerReaction r;
  if (InHueBarZone(p)) {
    r.takeFocus = true;
    if (m_state.dragging) return r;
    m_state.huePosition = ClampHuePosition(p.y);
    m_state.marker = kPickerStartMarker;
    m_state.hueColour = m_state.colour = HueColour(m_state.huePosition);
    m_state.dragging = true;
    r.refillBoxes = r.redraw = r.capture = true;
  } else if (InSquareZone(p)) {
    m_state.marker = p;
    m_state.colour = SquareColour(m_state.hueColour, p.x, p.y - 1);
    r.refillBoxes = r.redraw = r.post = true;
  }
  return r;
}

PickerReaction ColourPicker::OnMove(Point p) {
  PickerReaction r;
  if (!m_state.dragging || p.y == m_state.huePosition) return r;
  const int position = ClampHuePosition(p.y);
  if (position == m_state.huePosition) return r;
  m_state.huePosition = position;
  m_state.hueColour = m_state.colour = HueColour(position);
  r.redraw = r.refillBoxes = true;
  return r;
}

PickerReaction ColourPicker::OnRelease() {
  PickerReaction r;
  if (!m_state.dragging) return r;
  m_state.dragging = false;
  r.release = r.redraw = r.post = true;
  return r;
}

PickerReaction ColourPicker::OnStep(Channel channel, bool up) {
  int channels[kChannelCount];
  for (int c = 0; c < kChannelCount; ++c) channels[c] = ChannelOf(m_state.colour, static_cast<Channel>(c));
  int& value = channels[static_cast<int>(channel)];
  value = StepChannel(value, up);
  m_state.colour = ColourFromChannels(channels[0], channels[1], channels[2]);
  PickerReaction r;
  r.refillBoxes = r.redraw = r.post = true;
  return r;
}

PickerReaction ColourPicker::OnBoxEdited(std::array<std::u16string, kChannelCount>& boxes,
                                         std::array<bool, kChannelCount>& rewritten) {
  int channels[kChannelCount];
  for (int c = 0; c < kChannelCount; ++c) {
    channels[c] = ParseChannelBox(boxes[static_cast<std::size_t>(c)]);
    // Any box above 255, not only the one typed in: a value pasted into
    // another box must not wrap round to a different colour.
    rewritten[static_cast<std::size_t>(c)] = channels[c] > 255;
    if (channels[c] > 255) {
      channels[c] = 255;
      boxes[static_cast<std::size_t>(c)] = u"255";
    }
  }
  m_state.colour = ColourFromChannels(channels[0], channels[1], channels[2]);
  PickerReaction r;
  r.refillHex = r.redraw = r.post = true;
  return r;
}

std::array<std::u16string, kChannelCount> ColourPicker::ChannelTexts() const {
  return {ChannelText(ChannelOf(m_state.colour, Channel::Red)), ChannelText(ChannelOf(m_state.colour, Channel::Green)),
          ChannelText(ChannelOf(m_state.colour, Channel::Blue))};
}

}  // namespace perix
