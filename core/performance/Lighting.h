#pragma once

#include <cstdint>

namespace perix {

// The percentage shown for a brightness step 1..6; any other step shows 0.
constexpr int BrightnessPercent(std::int32_t step) { return (step >= 1 && step <= 6) ? (step - 1) * 20 : 0; }

// The polling rate in reports per second of an interval in milliseconds.
constexpr int PollingRateHz(std::int32_t intervalMs) { return intervalMs >= 1 ? 1000 / intervalMs : 0; }

}  // namespace perix
