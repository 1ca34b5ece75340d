#pragma once
// Where an image button's caption goes.

#include "skin/PixelGeometry.h"

namespace perix {

// Caption orientations: 2 turns the text 90 degrees (reading upwards), 3 turns
// it 270 degrees (reading downwards); every other value is horizontal.
inline constexpr int kCaptionRotated90 = 2;
inline constexpr int kCaptionRotated270 = 3;

// Layouts of a caption drawn inside a text box. All of them end text that does
// not fit with an ellipsis and ask for vertical centring, which only single-line
// text gets.
enum class TextBoxLayout {
  None,               // no text box: the caption is placed by CaptionOrigin
  LeftWrapped,        // menu items
  CentredWrapped,     // multi-line captions such as the DPI stages
  CentredSingleLine,  // one line, centred both ways
};

// The font escapement, in tenths of a degree, for an orientation.
int CaptionEscapement(int orientation);

// The point at which the text of measured (unrotated) size `text` is drawn in a
// client area of size `client`. A non-zero x offset puts horizontal text that
// many pixels from the left edge instead of centring it.
Point CaptionOrigin(Size text, Size client, int xOffset, int orientation);

}  // namespace perix
