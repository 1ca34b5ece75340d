#include <windows.h>

#include "Wide.h"
#include "app/ServiceLink.h"

namespace perix {
namespace {

class WindowServiceLink final : public ServiceLink {
 public:
  bool Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    // Looked up afresh each time: the service may have restarted since.
    HWND service = ::FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(kServiceWindowTitle));
    if (service == nullptr) return false;
    return ::PostMessageW(service, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != 0;
  }
};

}  // namespace

ServiceLink& DefaultServiceLink() {
  static WindowServiceLink instance;
  return instance;
}

}  // namespace perix
