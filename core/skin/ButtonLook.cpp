#include "skin/ButtonLook.h"

namespace perix {

ButtonLook ChooseButtonLook(const ButtonLookState& s) {
  if (s.toggleMode) {
    if (s.checked) return s.enabled ? ButtonLook::Pressed : ButtonLook::Disabled;
    return s.enabled ? ButtonLook::Normal : ButtonLook::Disabled;
  }
  if (s.checked || s.pushed) return ButtonLook::Pressed;
  if (s.hover) return ButtonLook::Highlighted;
  return s.enabled ? ButtonLook::Normal : ButtonLook::Disabled;
}

std::uint32_t TextColorFor(ButtonLook look, const ButtonTextColors& colors) {
  switch (look) {
    case ButtonLook::Normal: return colors.normal;
    case ButtonLook::Highlighted: return colors.highlighted;
    case ButtonLook::Pressed: return colors.pressed;
    case ButtonLook::Disabled: return colors.disabled;
  }
  return colors.normal;
}

ButtonMoveActions DecideButtonMouseMove(const ButtonMoveInput& in) {
  ButtonMoveActions out;
  // A drag that started elsewhere does not light the button up.
  if (in.leftHeld && !in.hover) return out;
  if (!in.hasCapture) {
    if (in.appActive && in.hasParent) {
      // The capture tells the button when the pointer leaves it again.
      out.setHover = !in.hover;
      out.capture = true;
      out.redraw = true;
    }
  } else if (!in.pointerOverSelf) {
    out.clearHover = in.hover;
    out.redraw = in.hover;
    // While the left button is held the capture belongs to the press.
    out.release = !in.leftHeld;
  }
  out.forward = in.hasParent;
  return out;
}

}  // namespace perix
