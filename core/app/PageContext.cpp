#include "app/PageContext.h"

#include <algorithm>

namespace perix {

int SliderShows(Control slider, int value) {
  const SliderLayout& range = LayoutOf(slider).slider;
  return (value < range.minimum || value > range.maximum) ? range.minimum : value;
}

int ClampToSlider(Control slider, int position) {
  const SliderLayout& range = LayoutOf(slider).slider;
  return std::clamp(position, range.minimum, range.maximum);
}

}  // namespace perix
