#include "framework/GdiPlus.h"

namespace perix::win {

GdiPlusSession::GdiPlusSession() {
  Gdiplus::GdiplusStartupInput input;
  m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
}

GdiPlusSession::~GdiPlusSession() {
  if (m_started) Gdiplus::GdiplusShutdown(m_token);
}

}  // namespace perix::win
