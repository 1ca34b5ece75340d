#pragma once
// The test skin of the control gallery, drawn at start-up: page images with
// the gallery's controls marked on them in one colour per look, menu images,
// a slider thumb on a key-colour ground and a window mask.

#include <string>

#include "framework/Win32.h"

namespace perix::gallery {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;

// Pure colours the end-to-end test looks for in its screenshot.
inline constexpr COLORREF kPageColour = RGB(0x20, 0x30, 0x40);
inline constexpr COLORREF kMaskKey = RGB(0xFF, 0x00, 0xFF);
// The corner of the window the mask cuts away.
inline constexpr RECT kMaskedCorner{kWidth - 40, kHeight - 40, kWidth, kHeight};

// Control rectangles, in window (and screen) coordinates.
inline constexpr RECT kPressButton{20, 20, 140, 52};
inline constexpr RECT kToggleButton{160, 20, 280, 52};
inline constexpr RECT kRotated90Button{300, 20, 330, 140};
inline constexpr RECT kRotated270Button{340, 20, 370, 140};
inline constexpr RECT kMenuButton{400, 20, 500, 52};
inline constexpr RECT kCloseButton{520, 20, 620, 52};
inline constexpr RECT kPlainButton{20, 70, 140, 100};
inline constexpr RECT kStageButton{160, 70, 280, 130};
inline constexpr RECT kDisabledButton{20, 110, 140, 140};
inline constexpr RECT kLabel{20, 160, 380, 180};
inline constexpr RECT kEdit{20, 200, 200, 220};
inline constexpr RECT kSlider{20, 260, 424, 275};
inline constexpr POINT kMenuPosition{400, 60};

inline constexpr int kMenuWidth = 160;
inline constexpr int kSubMenuWidth = 120;

// Writes every image into `skinsFolder` (which must exist). False when one
// could not be written.
bool WriteGallerySkin(const std::wstring& skinsFolder);

}  // namespace perix::gallery
