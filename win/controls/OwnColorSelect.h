#pragma once
// COwnColorSelect: the lighting page's colour picker. A saturation/brightness
// square for the current hue, a vertical hue bar with two marks, a swatch,
// red, green and blue boxes with up/down buttons and a read-only box with the
// colour as six hexadecimal digits. The decisions are ColourPicker's
// (core/performance/ColourPicker.h); this window draws and feeds it input.
//
// Every completed choice is posted to the parent as message 0x517 (1303),
// wParam = the colour (0x00BBGGRR), lParam 0: a press in the square, the
// release that ends a drag on the hue bar, an up/down click, a key released
// in a channel box.
//
// The lowest rows of the control are the page's: the control draws the
// parent's background there (the parent answers WM_PRINTCLIENT), so the
// arrows of the page image show under the image-less up/down buttons.

#include <array>
#include <cstdint>

#include "controls/BitmapBtn.h"
#include "controls/ClrEdit.h"
#include "controls/SkinImage.h"
#include "framework/Gdi.h"
#include "framework/GdiPlus.h"
#include "framework/Window.h"
#include "performance/ColourPicker.h"

namespace perix::win {

inline constexpr UINT kColourChosenMessage = 0x517;

class COwnColorSelect : public CWindowBase {
 public:
  COwnColorSelect() = default;
  ~COwnColorSelect() override;

  // A visible child without border; loads the hue bar and its marks and
  // creates the boxes and buttons.
  bool Create(const RECT& rect, HWND parent, UINT id);

  // The colour from outside: the hue starts over at red, the marker at the
  // top right, and the boxes show the colour.
  void SetColour(std::uint32_t colour);
  std::uint32_t Colour() const { return m_picker.Colour(); }
  const ColourPickerState& State() const { return m_picker.State(); }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);
  LRESULT OnChildCommand(WPARAM, LPARAM);
  LRESULT OnBoxKeyUp(WPARAM, LPARAM);

  void Apply(const PickerReaction& reaction);
  void FillBoxes();
  void Redraw();
  void Draw(HDC dc, const RECT& client);
  void DrawSquare(HDC dc);
  void DrawParentBackground(HDC dc);

  ColourPicker m_picker;
  UINT m_id = 0;
  SkinBitmap m_hueBar;
  SkinBitmap m_leftMark;
  SkinBitmap m_rightMark;
  // Red, green, blue, hexadecimal.
  std::array<CClrEdit, 4> m_boxes;
  // Red up, red down, green up, green down, blue up, blue down.
  std::array<CBitmapBtn, 6> m_steps;
  // The square of the current hue, drawn once per hue.
  BitmapHandle m_square;  // owned
  std::uint32_t m_squareHue = 0;
};

}  // namespace perix::win
