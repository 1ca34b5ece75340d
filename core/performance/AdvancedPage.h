#pragma once
// The polling rate and the pointer settings on the advanced page.

#include <cstdint>

#include "app/PageContext.h"

namespace perix {

class AdvancedPage {
 public:
  explicit AdvancedPage(PageContext& context) : m_context(context) {}

  // Checks the button of an interval (8, 4, 2 or 1 ms); any other value
  // leaves the four buttons as they are.
  void ShowPollingRate(std::int32_t interval);
  // The double-click speed and wheel-lines displays, the acceleration slider
  // and the acceleration toggle (checked for a stored 1).
  void ShowPointerValues();

  // A click on one of the page's pointer controls; false when it is not one.
  bool OnCommand(Control control);

  // A polling-rate button: only "PollingRate" is written, at once.
  void OnPollingRate(std::int32_t interval);
  void OnAccelerationToggle();
  void OnAccelerationSlider(int position);
  void OnDoubleClickSpeed(int step);  // +1 or -1
  void OnWheelScrollLines(int step);  // +1 or -1

  // The rate code the service is sent for an interval.
  static int RateCode(std::int32_t interval);

 private:
  PageContext& m_context;
};

}  // namespace perix
