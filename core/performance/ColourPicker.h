#pragma once
// The colour picker of the lighting page without its window: the hue table,
// the saturation/brightness square, where presses and drags land, the
// up/down steps and the reading of the three channel boxes. Colours are
// 0x00BBGGRR, red in the low byte. The window (COwnColorSelect) feeds it
// pointer positions in its own client coordinates and does what the
// returned reaction says.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/PixelGeometry.h"

namespace perix {

// Hue positions are the y coordinates of the hue bar that carry a colour.
inline constexpr int kHueFirstPosition = 2;
inline constexpr int kHueLastPosition = 191;
inline constexpr int kHueCount = kHueLastPosition - kHueFirstPosition + 1;

// The square: 192 rows, each a line from x 0 to 192 drawn at y = row + 1.
inline constexpr int kSquareRows = 192;
inline constexpr int kSquareWidth = 192;

inline constexpr std::uint32_t kPickerStartColour = 0x0000FF;  // red
inline constexpr Point kPickerStartMarker{190, 1};
inline constexpr int kPickerStartHuePosition = 1;
inline constexpr int kMarkerSize = 5;

// The hue colour at a position; positions outside 2..191 take the nearer end.
std::uint32_t HueColour(int position);
// A pointer y as a hue position: limited to 2..191.
int ClampHuePosition(int y);

bool InHueBarZone(Point p);
bool InSquareZone(Point p);

// The two ends of a row of the square: the grey on the left and the hue
// darkened by the same amount on the right.
struct SquareRowEnds {
  std::uint32_t grey = 0;
  std::uint32_t dark = 0;
};
SquareRowEnds SquareRow(std::uint32_t hue, int row);
// The colour drawn at column x (0..191) of a row (0..191). The window draws
// the square with this and picks with it, so a press takes exactly the
// colour shown under the pointer.
std::uint32_t SquareColour(std::uint32_t hue, int x, int row);

enum class Channel : std::uint8_t { Red, Green, Blue };
inline constexpr int kChannelCount = 3;

constexpr int ChannelOf(std::uint32_t colour, Channel channel) {
  return static_cast<int>((colour >> (8 * static_cast<int>(channel))) & 0xFFu);
}
constexpr std::uint32_t ColourFromChannels(int red, int green, int blue) {
  return (static_cast<std::uint32_t>(red) & 0xFFu) | (static_cast<std::uint32_t>(green) & 0xFFu) << 8 |
         (static_cast<std::uint32_t>(blue) & 0xFFu) << 16;
}

// One press of an up or down button: up below 254 adds one, else 255; down
// above 1 subtracts one, else 0.
int StepChannel(int value, bool up);

// A channel box read as a decimal number: an empty box reads 0, digits
// beyond what a channel can hold read as a large number, anything after the
// digits is ignored.
int ParseChannelBox(std::u16string_view text);

// The texts of the boxes: "%d" of a channel, "%.6x" of the colour (which
// shows blue first).
std::u16string ChannelText(int value);
std::u16string HexText(std::uint32_t colour);

struct ColourPickerState {
  std::uint32_t hueColour = kPickerStartColour;
  std::uint32_t colour = kPickerStartColour;
  Point marker = kPickerStartMarker;
  int huePosition = kPickerStartHuePosition;
  bool dragging = false;
  friend bool operator==(const ColourPickerState&, const ColourPickerState&) = default;
};

// What the window does after an input, in this order: take the focus,
// rewrite the boxes (the channel boxes and the hexadecimal box) or only the
// hexadecimal box, redraw, capture or release the mouse, post the colour to
// its parent.
struct PickerReaction {
  bool takeFocus = false;
  bool refillBoxes = false;
  bool refillHex = false;
  bool redraw = false;
  bool capture = false;
  bool release = false;
  bool post = false;
  friend bool operator==(const PickerReaction&, const PickerReaction&) = default;
};

class ColourPicker {
 public:
  const ColourPickerState& State() const { return m_state; }
  std::uint32_t Colour() const { return m_state.colour; }

  // A colour set from outside: the hue and the marker start over.
  void SetColour(std::uint32_t colour);

  // Left button pressed at a point of the control.
  PickerReaction OnPress(Point p);
  // The pointer moved (with or without the button held).
  PickerReaction OnMove(Point p);
  // Left button released.
  PickerReaction OnRelease();
  // An up or down button.
  PickerReaction OnStep(Channel channel, bool up);
  // A key was released in a channel box. `boxes` holds the three boxes'
  // texts; a box whose value is above 255 reads as 255 and its text becomes
  // "255". `rewritten` tells which boxes must show their new text. The
  // hexadecimal box follows what was typed; the channel boxes keep the
  // user's text (and caret) unless they were cut to 255.
  PickerReaction OnBoxEdited(std::array<std::u16string, kChannelCount>& boxes,
                             std::array<bool, kChannelCount>& rewritten);

  std::array<std::u16string, kChannelCount> ChannelTexts() const;
  std::u16string Hex() const { return HexText(m_state.colour); }

 private:
  ColourPickerState m_state;
};

}  // namespace perix
