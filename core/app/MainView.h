#pragma once
// What the main window shows, as plain data: the page logic writes it, the
// Win32 front-end draws it. Nothing here knows about windows.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "macros/MacroListing.h"
#include "skin/Layout.h"

namespace perix {

struct ControlView {
  std::u16string caption;
  bool checked = false;
  bool enabled = true;
  bool shown = false;  // on the current page (controls with empty rectangles stay invisible anyway)
  int position = 0;    // slider bars: the thumb's position
  friend bool operator==(const ControlView&, const ControlView&) = default;
};

struct MainView {
  int page = kFirstPageIdentifier;  // the current page's identifier, 100005 for the blank state
  std::array<ControlView, kControlCount> controls{};
  // The two numbers painted on the macro page.
  std::u16string macroLine1;
  std::u16string macroLine2;
  // The macro page's action list: its lines and the selected one (-1: none).
  std::vector<ActionLine> actionLines;
  int actionSelection = -1;
  std::uint32_t pickerColour = 0;  // the colour picker's colour, 0x00BBGGRR

  ControlView& operator[](Control control) { return controls[static_cast<std::size_t>(control)]; }
  const ControlView& operator[](Control control) const { return controls[static_cast<std::size_t>(control)]; }
  friend bool operator==(const MainView&, const MainView&) = default;
};

}  // namespace perix
