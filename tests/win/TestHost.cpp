#include "TestHost.h"

#include "skin/ControlMessages.h"

#include <vector>

namespace perix::win::test {

PERIX_BEGIN_MESSAGE_TABLE(CTestHost, CWindowBase)
  OnMessage<&CTestHost::Record<WM_COMMAND>>(WM_COMMAND),
  OnMessage<&CTestHost::Record<kSliderPositionMessage>>(kSliderPositionMessage),
  OnMessage<&CTestHost::Record<kMenuChoiceMessage>>(kMenuChoiceMessage),
  OnMessage<&CTestHost::Record<kEditKeyUpMessage>>(kEditKeyUpMessage),
  // The colour picker's choice and the owner-drawn list's notifications.
  OnMessage<&CTestHost::Record<0x517>>(0x517),
  OnMessage<&CTestHost::Record<0x3400>>(0x3400),
  OnMessage<&CTestHost::Record<0x3402>>(0x3402),
  OnMessage<&CTestHost::Record<0x3403>>(0x3403),
  OnMessage<&CTestHost::Record<0x3404>>(0x3404),
  OnMessage<&CTestHost::Record<kMacroNameChosenMessage>>(kMacroNameChosenMessage),
PERIX_END_MESSAGE_TABLE(CTestHost, CWindowBase)

bool CTestHost::Create(int width, int height) {
  return CreateWindowObject(L"PerixTestHost", 0, 0, L"test host", WS_POPUP,
                            RECT{kOffscreen, kOffscreen, kOffscreen + width, kOffscreen + height}, nullptr, 0);
}

void CTestHost::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::vector<Recorded> CTestHost::Take(UINT message) {
  std::vector<Recorded> taken, kept;
  for (const Recorded& r : m_seen) (r.message == message ? taken : kept).push_back(r);
  m_seen = std::move(kept);
  return taken;
}

ImagePtr SolidImage(int width, int height, std::uint32_t argb) {
  ImagePtr image(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
  Gdiplus::Graphics g(image.get());
  g.Clear(Gdiplus::Color(argb));
  return image;
}

std::uint32_t PixelAt(Gdiplus::Bitmap* image, int x, int y) {
  Gdiplus::Color c;
  image->GetPixel(x, y, &c);
  return c.GetValue();
}

bool SavePng(Gdiplus::Bitmap* image, const std::wstring& path) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      return image->Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    }
  }
  return false;
}

std::wstring ScratchFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"perix_win_tests_" + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\";
  CreateDirectoryW((folder + L"skins").c_str(), nullptr);
  return folder;
}

}  // namespace perix::win::test
