#pragma once
// The position rules of the image slider (CPngHSliderBar and its thumb
// CPngHSlider): from a pointer x to a position, and from a position to where
// the thumb sits. A track runs from `left` to `right`; positions run from
// `minimum` to `maximum`.

namespace perix {

struct SliderTrack {
  int left = 0;
  int right = 0;
  int minimum = 0;
  int maximum = 10;
};

// The position for a pointer at x. The bar passes thumbWidth 0; the thumb,
// which works from its own left edge, passes its width, which narrows the
// span the first estimate divides by. A range without width (maximum not above
// minimum) always gives the minimum.
int SliderPositionFromX(const SliderTrack& track, int x, int thumbWidth);

// The thumb's left edge for a value. A value outside the range puts the thumb
// at the minimum.
int ThumbLeftForValue(const SliderTrack& track, int value, int thumbWidth);

// The value a set-position call settles on: the value itself when it lies in
// the range, otherwise the minimum.
int SettledSliderValue(const SliderTrack& track, int value);

// Keeps a dragged thumb on the track: its centre neither left of the track's
// start nor right of its end.
int ClampDraggedThumbLeft(const SliderTrack& track, int left, int thumbWidth);

}  // namespace perix
