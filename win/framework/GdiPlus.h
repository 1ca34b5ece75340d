#pragma once
// GDI+ for images: start-up and shut-down, and ownership of its objects.
// Text is drawn with GDI, which renders the skin fonts everywhere the program
// runs; GDI+ only loads, cuts and draws images.

#include <memory>

#include "framework/Win32.h"

namespace perix::win {

// GdiplusStartup ... GdiplusShutdown, for the life of the program (or a test).
class GdiPlusSession {
 public:
  GdiPlusSession();
  ~GdiPlusSession();
  GdiPlusSession(const GdiPlusSession&) = delete;
  GdiPlusSession& operator=(const GdiPlusSession&) = delete;
  bool Started() const { return m_started; }

 private:
  ULONG_PTR m_token = 0;
  bool m_started = false;
};

// GDI+ objects are freed by their own operator delete.
using ImagePtr = std::unique_ptr<Gdiplus::Bitmap>;

}  // namespace perix::win
