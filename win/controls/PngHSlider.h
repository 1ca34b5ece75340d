#pragma once
// The image slider: a bar (CPngHSliderBar) drawn from a cut of a page image,
// optionally with a second cut shown left of the thumb as the filled part,
// and a draggable thumb (CPngHSlider) in the shape of its own image.
//
// The bar reports positions to its parent as message 0x446 (wParam =
// position, lParam = the bar's control ID): on every press and every release
// of the left button on the bar, and at the end of every thumb drag. A press
// and its release therefore report twice; the parent drops the repeat.

#include <string_view>

#include "controls/SkinImage.h"
#include "framework/GdiPlus.h"
#include "framework/Window.h"
#include "skin/SliderGeometry.h"

namespace perix::win {

class CPngHSliderBar;

class CPngHSlider : public CWindowBase {
 public:
  // Creates the thumb inside its bar, shaped from the image: pixels equal to
  // the top-left one (bottom-left with `referenceFromBottom`) are left out.
  // The second image, if it loads, is shown while the bar is disabled.
  bool Create(CPngHSliderBar& bar, std::wstring_view imageFile, std::wstring_view disabledImageFile,
              bool referenceFromBottom);

  void SetRange(int minimum, int maximum);
  // Moves the thumb to a value; one outside the range puts it at the minimum.
  void SetPosition(int value);
  int Position() const { return m_position; }
  int Left() const { return m_left; }
  int Width() const { return m_size.cx; }
  int Minimum() const { return m_track.minimum; }
  int Maximum() const { return m_track.maximum; }
  void SetDragEnabled(bool enabled);
  bool IsDragging() const { return m_dragging; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);

  void RefreshTrack();
  void PlaceAt(int left);
  void EndDrag();

  CPngHSliderBar* m_bar = nullptr;  // not owned: the bar owns the thumb
  SkinBitmap m_image;
  SkinBitmap m_disabledImage;
  SIZE m_size{};
  SliderTrack m_track;  // in the bar's client coordinates
  int m_top = 0;
  int m_position = 0;
  int m_left = 0;
  bool m_dragEnabled = true;
  bool m_dragging = false;
  int m_dragStartX = 0;  // screen x of the press
  int m_dragStartLeft = 0;
};

class CPngHSliderBar : public CWindowBase {
 public:
  CPngHSliderBar() = default;
  ~CPngHSliderBar() override;

  // Creates the bar (a visible child) and its thumb.
  bool Create(std::wstring_view thumbImageFile, std::wstring_view disabledThumbImageFile, const RECT& rect,
              HWND parent, UINT id, bool thumbReferenceFromBottom = false);

  // The bar's image: the rectangle `rect` of the page image. With a second
  // page image, the same rectangle of it is shown left of the thumb.
  void SetBackground(const RECT& rect, Gdiplus::Bitmap* page);
  void SetBackground(const RECT& rect, Gdiplus::Bitmap* page, Gdiplus::Bitmap* filledPage);

  void SetRange(int minimum, int maximum);
  void SetPos(int value);
  int GetPos() const { return m_thumb.Position(); }
  UINT Id() const { return m_id; }
  CPngHSlider& Thumb() { return m_thumb; }

 private:
  friend class CPngHSlider;
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnLeftButton(WPARAM, LPARAM);
  LRESULT OnEnable(WPARAM, LPARAM);
  LRESULT OnThumbPosition(WPARAM, LPARAM);

  CPngHSlider m_thumb;  // owned
  SkinBitmap m_background;
  SkinBitmap m_filled;
  UINT m_id = 0;
  std::wstring m_thumbImageFile;
  std::wstring m_disabledThumbImageFile;
  bool m_thumbReferenceFromBottom = false;
};

}  // namespace perix::win
