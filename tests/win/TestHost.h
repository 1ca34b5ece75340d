#pragma once
// A hidden window that records the messages its controls send or post it.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/GdiPlus.h"
#include "framework/Window.h"

namespace perix::win::test {

// Far off the visible screen, so nothing the tests open gets in the way of
// real input on the display.
inline constexpr int kOffscreen = 4000;

struct Recorded {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class CTestHost : public CWindowBase {
 public:
  bool Create(int width = 640, int height = 480);
  // Handles everything already posted to this thread.
  static void Pump();
  // The recorded messages of one kind, in order; they are forgotten.
  std::vector<Recorded> Take(UINT message);

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  template <UINT Message>
  LRESULT Record(WPARAM wParam, LPARAM lParam) {
    m_seen.push_back({Message, wParam, lParam});
    return 0;
  }

  std::vector<Recorded> m_seen;
};

// GDI+ for the whole test program.
class GdiPlusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { m_session = std::make_unique<GdiPlusSession>(); }
  void TearDown() override { m_session.reset(); }

 private:
  std::unique_ptr<GdiPlusSession> m_session;
};

// A solid image of the given size and colour (0xAARRGGBB).
ImagePtr SolidImage(int width, int height, std::uint32_t argb);
std::uint32_t PixelAt(Gdiplus::Bitmap* image, int x, int y);
bool SavePng(Gdiplus::Bitmap* image, const std::wstring& path);
// A fresh empty folder for one test's files, with a trailing backslash.
std::wstring ScratchFolder(const wchar_t* name);

}  // namespace perix::win::test
