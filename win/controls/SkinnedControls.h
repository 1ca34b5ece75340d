#pragma once
// Creating a control of a layout table (core/skin/Layout.h) with its looks
// cut from the window's images, and setting its caption whatever kind of
// control it is. The skinned dialogs build all their controls this way.

#include <array>
#include <memory>
#include <string_view>

#include "framework/GdiPlus.h"
#include "framework/Window.h"
#include "skin/Layout.h"

namespace perix::win {

// The window images of one skin file, indexed by SkinImage (None, Main, Over,
// Down, Disabled); any may be null.
using WindowImages = std::array<Gdiplus::Bitmap*, 5>;

// The control at its place, hidden, a child of `parent` with window ID `id`;
// its looks are cut from `images` as the layout says. Null for kinds that
// need more than a layout (the colour picker); a control whose window could
// not be made comes back without a handle.
std::unique_ptr<CWindowBase> CreateSkinnedControl(const ControlLayout& layout, const WindowImages& images,
                                                  HWND parent, UINT id);

// Shows `text` on the control: an image button's caption, a label's or an
// edit box's text, a key display's keys. Other kinds show no text.
void SetSkinnedControlText(const ControlLayout& layout, CWindowBase& window, std::wstring_view text);

}  // namespace perix::win
