#pragma once

#include <cstdint>
#include <vector>

#include "app/ServiceLink.h"

namespace perix::test {

// A device service that is (or is not) running and remembers what it was sent.
class RecordingServiceLink final : public ServiceLink {
 public:
  struct Posted {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const Posted&, const Posted&) = default;
  };

  bool running = true;
  std::vector<Posted> posts;

  bool Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    if (!running) return false;
    posts.push_back({message, wParam, lParam});
    return true;
  }
};

}  // namespace perix::test
