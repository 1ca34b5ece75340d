#include "app/PageContext.h"

#include <algorithm>

namespace perix {

int SliderShows(Control slider, int value) {
  const SliderLayout& spec = LayoutOf(slider).slider;
  return (value < spec.minimum || value > spec.maximum) ? spec.minimum : value;
}

int ClampToSlider(Control slider, int position) {
  const SliderLayout& spec = LayoutOf(slider).slider;
  return std::clamp(position, spec.minimum, spec.maximum);
}

}  // namespace perix
