#pragma once
// What an image button shows, and how it reacts to the pointer: the decisions
// behind CBitmapBtn, free of any drawing.

#include <cstdint>

namespace perix {

enum class ButtonLook { Normal, Highlighted, Pressed, Disabled };

struct ButtonLookState {
  bool toggleMode = false;
  bool checked = false;
  bool pushed = false;  // the left button is down on it right now
  bool hover = false;
  bool enabled = true;
};

ButtonLook ChooseButtonLook(const ButtonLookState& state);

// Colours are 0x00BBGGRR, as the drawing calls take them.
struct ButtonTextColors {
  std::uint32_t normal = 0xFFFFFF;
  std::uint32_t highlighted = 0xFD2D8B;
  std::uint32_t pressed = 0xF32381;
  std::uint32_t disabled = 0x646464;
};

std::uint32_t TextColorFor(ButtonLook look, const ButtonTextColors& colors);

// A mouse move that reaches the button, and what the button does about it.
struct ButtonMoveInput {
  bool leftHeld = false;
  bool hover = false;
  bool hasCapture = false;       // the button holds the mouse capture
  bool pointerOverSelf = false;  // the window under the pointer is the button
  bool appActive = false;
  bool hasParent = false;
};

struct ButtonMoveActions {
  bool setHover = false;
  bool clearHover = false;
  bool capture = false;
  bool release = false;
  bool redraw = false;
  bool forward = false;  // pass the move on to the parent, in screen coordinates
};

ButtonMoveActions DecideButtonMouseMove(const ButtonMoveInput& in);

}  // namespace perix
