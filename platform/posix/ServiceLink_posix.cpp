#include "app/ServiceLink.h"

namespace perix {
namespace {

// Outside Windows there is no device service; changes are only saved.
class AbsentServiceLink final : public ServiceLink {
 public:
  bool Post(unsigned, std::uintptr_t, std::intptr_t) override { return false; }
};

}  // namespace

ServiceLink& DefaultServiceLink() {
  static AbsentServiceLink instance;
  return instance;
}

}  // namespace perix
