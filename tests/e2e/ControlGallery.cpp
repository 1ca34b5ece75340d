// The control gallery: one window with every kind of skinned control, drawn
// from a test skin written at start-up. It logs what its controls report
// (commands, 0x446, 0x501, 0x1402) so that a script driving it with real
// input can check the results, and with --stress it checks that painting and
// opening menus do not leak GDI or USER objects.
//
//   perix_control_gallery --log FILE [--root FOLDER] [--stress COUNT]

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GalleryImages.h"
#include "framework/GuiResources.h"
#include "controls/BitmapBtn.h"
#include "controls/BmpMenu.h"
#include "controls/ClrEdit.h"
#include "controls/PngHSlider.h"
#include "controls/SkinEnvironment.h"
#include "controls/SkinImage.h"
#include "controls/StaticTrans.h"
#include "controls/WindowShape.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/GdiPlus.h"
#include "skin/ControlMessages.h"
#include "skin/MenuChoice.h"

#include <shellapi.h>

namespace perix::gallery {
namespace {

using namespace perix::win;

constexpr wchar_t kTitle[] = L"Perix Control Gallery";
constexpr UINT kEditId = 20481;
constexpr UINT kSliderId = 10001;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kStartStress = WM_APP + 1;

class Log {
 public:
  bool Open(const std::wstring& path) {
    // Binary: the scripts that read the log expect bare line feeds.
    m_file = _wfopen(path.c_str(), L"wb");
    return m_file != nullptr;
  }
  ~Log() {
    if (m_file) std::fclose(m_file);
  }
  void Line(const char* format, ...) {
    if (!m_file) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(m_file, format, args);
    va_end(args);
    std::fputc('\n', m_file);
    std::fflush(m_file);
  }

 private:
  FILE* m_file = nullptr;
};

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

class CGalleryDlg : public CDialogBase {
 public:
  CGalleryDlg(Log& log, int stressCount)
      : CDialogBase(DialogTemplate(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 100, 100, kTitle)),
        m_log(log),
        m_stressCount(stressCount) {}
  ~CGalleryDlg() override { DestroyWindow(); }

  bool StressPassed() const { return m_stressPassed; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  BOOL OnInitDialog() override;
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnControlCommand(WPARAM, LPARAM);
  LRESULT OnSliderPosition(WPARAM, LPARAM);
  LRESULT OnMenuChoice(WPARAM, LPARAM);
  LRESULT OnEditKey(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnBackgroundPress(WPARAM, LPARAM);
  LRESULT OnStartStress(WPARAM, LPARAM);

  CBitmapBtn& AddButton(const char* name, const wchar_t* caption, const RECT& r, DWORD style = WS_VISIBLE);
  void OpenMenu();
  void CloseMenu();
  void WatchMenu();
  bool RunStress();
  void StressRound(int round);

  Log& m_log;
  int m_stressCount;
  bool m_stressPassed = false;
  ImagePtr m_pageNormal, m_pageOver, m_pageDown, m_pageDisabled, m_mask;
  std::vector<std::unique_ptr<CBitmapBtn>> m_buttons;
  std::map<HWND, const char*> m_names;
  CBitmapBtn* m_toggle = nullptr;
  CBitmapBtn* m_menuButton = nullptr;
  CBitmapBtn* m_closeButton = nullptr;
  CStaticTrans m_label;
  CClrEdit m_edit;
  CPngHSliderBar m_slider;
  std::unique_ptr<CBmpMenu> m_menu;
  int m_watchedSubMenu = -2;  // -2: no menu, -1: menu without open sub-menu
};

PERIX_BEGIN_MESSAGE_TABLE(CGalleryDlg, CDialogBase)
  OnMessage<&CGalleryDlg::OnPaint>(WM_PAINT),
  OnMessage<&CGalleryDlg::OnEraseBackground>(WM_ERASEBKGND),
  OnCommand<&CGalleryDlg::OnControlCommand>(0, BN_CLICKED),
  OnMessage<&CGalleryDlg::OnSliderPosition>(kSliderPositionMessage),
  OnMessage<&CGalleryDlg::OnMenuChoice>(kMenuChoiceMessage),
  OnMessage<&CGalleryDlg::OnEditKey>(kEditKeyUpMessage),
  OnMessage<&CGalleryDlg::OnTimer>(WM_TIMER),
  OnMessage<&CGalleryDlg::OnBackgroundPress>(WM_LBUTTONDOWN),
  OnMessage<&CGalleryDlg::OnStartStress>(kStartStress),
PERIX_END_MESSAGE_TABLE(CGalleryDlg, CDialogBase)

CBitmapBtn& CGalleryDlg::AddButton(const char* name, const wchar_t* caption, const RECT& r, DWORD style) {
  auto button = std::make_unique<CBitmapBtn>();
  button->Create(caption, style, r, Handle(), 0);
  button->SetImages(r.left, r.top, r.right - r.left, r.bottom - r.top, m_pageNormal.get(), m_pageOver.get(),
                    m_pageDown.get(), m_pageDisabled.get());
  m_names[button->Handle()] = name;
  m_buttons.push_back(std::move(button));
  return *m_buttons.back();
}

BOOL CGalleryDlg::OnInitDialog() {
  SetWindowPos(Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER);
  m_pageNormal = LoadSkinImage(L"page_normal.png");
  m_pageOver = LoadSkinImage(L"page_over.png");
  m_pageDown = LoadSkinImage(L"page_down.png");
  m_pageDisabled = LoadSkinImage(L"page_disabled.png");
  m_mask = LoadSkinImage(L"mask.png");

  AddButton("press", L"Press", kPressButton);
  m_toggle = &AddButton("toggle", L"Toggle", kToggleButton);
  m_toggle->SetToggleMode(true);
  AddButton("rotated90", L"Up", kRotated90Button).SetCaption(L"Rotated", 0, kCaptionRotated90);
  AddButton("rotated270", L"Down", kRotated270Button).SetCaption(L"Rotated", 0, kCaptionRotated270);
  m_menuButton = &AddButton("menu", L"Menu", kMenuButton);
  m_closeButton = &AddButton("close", L"Close", kCloseButton);
  // No images at all: only the caption shows, over the page.
  auto plain = std::make_unique<CBitmapBtn>();
  plain->Create(L"No image", WS_VISIBLE, kPlainButton, Handle(), 0);
  m_names[plain->Handle()] = "plain";
  m_buttons.push_back(std::move(plain));
  CBitmapBtn& stage = AddButton("stage", L"", kStageButton);
  stage.SetCaption(L"Stage 1\r\n750\r\n750");
  stage.SetTextBox(RECT{0, 0, kStageButton.right - kStageButton.left, kStageButton.bottom - kStageButton.top},
                   TextBoxLayout::CentredWrapped);
  AddButton("disabled", L"Disabled", kDisabledButton, WS_VISIBLE | WS_DISABLED);

  m_label.Create(L"Ready", WS_VISIBLE, kLabel, Handle());
  m_label.SetFontHeight(16);
  m_edit.Create(L"", WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL, kEdit, Handle(), kEditId);

  m_slider.Create(L"skins\\thumb.png", L"skins\\thumb_disabled.png", kSlider, Handle(), kSliderId);
  m_slider.SetBackground(kSlider, m_pageDown.get(), m_pageNormal.get());
  m_slider.SetRange(1, 12);
  m_slider.SetPos(1);

  ApplyMaskShape(Handle(), m_mask.get(), {0xFF, 0x00, 0xFF}, 8);
  SetTimer(Handle(), kWatchTimer, 30, nullptr);
  if (m_stressCount > 0) PostMessageW(Handle(), kStartStress, 0, 0);
  m_log.Line("ready");
  return TRUE;
}

LRESULT CGalleryDlg::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  OffscreenBuffer buffer(paint.Get(), client.right, client.bottom);
  if (!buffer.Valid()) return 0;
  DrawImage(buffer.Get(), m_pageNormal.get(), client);
  buffer.Present();
  return 0;
}

LRESULT CGalleryDlg::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CGalleryDlg::OnControlCommand(WPARAM, LPARAM lParam) {
  HWND from = reinterpret_cast<HWND>(lParam);
  // As in the program's main window: a click anywhere closes an open menu
  // before its own action runs.
  const bool menuWasOpen = m_menu != nullptr;
  CloseMenu();
  auto it = m_names.find(from);
  const char* name = it != m_names.end() ? it->second : "unknown";
  if (from == m_toggle->Handle()) {
    m_log.Line("command %s check=%d", name, m_toggle->GetCheck());
  } else {
    m_log.Line("command %s", name);
  }
  m_label.SetCaption(std::wstring(L"Clicked ") + std::wstring(name, name + std::strlen(name)));
  if (from == m_menuButton->Handle() && !menuWasOpen) OpenMenu();
  if (from == m_closeButton->Handle()) EndDialog(IDOK);
  return 0;
}

LRESULT CGalleryDlg::OnSliderPosition(WPARAM wParam, LPARAM lParam) {
  m_log.Line("slider pos=%d id=%d", static_cast<int>(wParam), static_cast<int>(lParam));
  // As the program's pages do: the reported position becomes the slider's.
  if (static_cast<UINT>(lParam) == kSliderId) m_slider.SetPos(static_cast<int>(wParam));
  return 0;
}

LRESULT CGalleryDlg::OnMenuChoice(WPARAM wParam, LPARAM lParam) {
  const MenuChoice c = DecodeMenuChoice(wParam, static_cast<std::uint64_t>(lParam) & 0xFFFFFFFFu);
  m_log.Line("menu w=0x%08X l=0x%08X item=%d sub=%d command=%d value=%d", static_cast<unsigned>(wParam),
             static_cast<unsigned>(lParam), c.itemIndex, c.subItemIndex, c.command, c.value);
  CloseMenu();
  return 0;
}

LRESULT CGalleryDlg::OnEditKey(WPARAM wParam, LPARAM lParam) {
  m_log.Line("editkey key=0x%02X id=%d text=%s", static_cast<unsigned>(wParam), static_cast<int>(lParam),
             Narrow(m_edit.Text()).c_str());
  return 0;
}

LRESULT CGalleryDlg::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam == kWatchTimer) WatchMenu();
  return 0;
}

LRESULT CGalleryDlg::OnBackgroundPress(WPARAM, LPARAM) {
  CloseMenu();
  return 0;
}

void CGalleryDlg::OpenMenu() {
  CloseMenu();
  CBmpMenu::AddItem(L"Click", 1);
  CBmpMenu::AddItem(L"Menu", 2);
  const int media = CBmpMenu::AddItem(L"Media", 19);
  CBmpMenu::AddSubItem(media, L"Play", 32);
  CBmpMenu::AddSubItem(media, L"Stop", 33);
  CBmpMenu::AddSubItem(media, L"Next", 35);
  const int office = CBmpMenu::AddItem(L"Office", 18);
  CBmpMenu::AddSubItem(office, L"Cut", 64);
  CBmpMenu::AddSubItem(office, L"Copy", 65);
  CBmpMenu::AddItem(L"Off", 7);
  auto menu = std::make_unique<CBmpMenu>();
  const std::wstring skins = ProgramFolder() + L"skins\\";
  menu->SetImages(skins + L"menu_bg.png", skins + L"menu_over.png", skins + L"menu_down.png", skins + L"menu_bg.png");
  menu->SetSubMenuImages(skins + L"sub_bg.png", skins + L"sub_over.png", skins + L"sub_down.png", skins + L"sub_bg.png");
  menu->SetPosition(kMenuPosition.x, kMenuPosition.y);
  if (menu->Create(Handle())) m_menu = std::move(menu);
}

void CGalleryDlg::CloseMenu() { m_menu.reset(); }

void CGalleryDlg::WatchMenu() {
  int state = -2;
  if (m_menu) state = m_menu->OpenSubMenu() ? m_menu->OpenSubMenu()->ParentIndex() : -1;
  if (state == m_watchedSubMenu) return;
  if (state == -2) {
    m_log.Line("menu closed");
  } else if (state == -1) {
    m_log.Line(m_watchedSubMenu == -2 ? "menu open" : "submenu closed");
  } else {
    if (m_watchedSubMenu == -2) m_log.Line("menu open");
    m_log.Line("submenu open item=%d", state);
  }
  m_watchedSubMenu = state;
}

// One round of everything that draws: the whole window and its controls,
// changed captions, a moved slider, a menu with an open sub-menu.
void CGalleryDlg::StressRound(int round) {
  m_toggle->SetCheck(round & 1);
  m_label.SetCaption(round & 1 ? L"Odd round" : L"Even round");
  m_slider.SetPos(1 + round % 12);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  OpenMenu();
  if (!m_menu) return;
  RedrawWindow(m_menu->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // What an item button forwards when the pointer is over item 2 ("Media").
  RECT item{};
  GetWindowRect(m_menu->ItemWindow(2), &item);
  SendMessageW(m_menu->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 5, item.top + 5));
  if (CSubBmpMenu* sub = m_menu->OpenSubMenu()) {
    RedrawWindow(sub->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  CloseMenu();
}

bool CGalleryDlg::RunStress() {
  // The first rounds settle what the system creates once and keeps.
  for (int i = 0; i < 20; ++i) StressRound(i);
  const int gdiBefore = GdiObjectCount();
  const int userBefore = UserObjectCount();
  for (int i = 0; i < m_stressCount; ++i) StressRound(i);
  const int gdiAfter = GdiObjectCount();
  const int userAfter = UserObjectCount();
  m_log.Line("stress rounds=%d gdi %d -> %d user %d -> %d", m_stressCount, gdiBefore, gdiAfter, userBefore,
             userAfter);
  // A leak of one object a round would add as many objects as rounds.
  const bool flat = gdiBefore > 0 && gdiAfter - gdiBefore <= 8 && userAfter - userBefore <= 0;
  m_log.Line(flat ? "stress flat" : "stress LEAK");
  return flat;
}

LRESULT CGalleryDlg::OnStartStress(WPARAM, LPARAM) {
  m_stressPassed = RunStress();
  EndDialog(m_stressPassed ? IDOK : IDCANCEL);
  return 0;
}

std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

int Run(int argc, wchar_t** argv) {
  std::wstring logPath;
  std::wstring root = ExecutableFolder() + L"gallery-root\\";
  int stress = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring key = argv[i];
    if (key == L"--log") logPath = argv[i + 1];
    if (key == L"--root") root = argv[i + 1];
    if (key == L"--stress") stress = _wtoi(argv[i + 1]);
  }
  Log log;
  if (logPath.empty() || !log.Open(logPath)) return 3;

  GdiPlusSession gdiplus;
  if (!gdiplus.Started()) {
    log.Line("GDI+ did not start");
    return 3;
  }
  SetProgramFolder(root);
  SetSkinFaceName(L"Tahoma");
  CreateDirectoryW(ProgramFolder().c_str(), nullptr);
  CreateDirectoryW((ProgramFolder() + L"skins").c_str(), nullptr);
  if (!WriteGallerySkin(ProgramFolder() + L"skins\\")) {
    log.Line("could not write the test skin");
    return 3;
  }

  CGalleryDlg gallery(log, stress);
  const INT_PTR result = gallery.DoModal(nullptr);
  log.Line("closed result=%d", static_cast<int>(result));
  if (stress > 0) return gallery.StressPassed() ? 0 : 1;
  return result == IDOK ? 0 : 2;
}

}  // namespace
}  // namespace perix::gallery

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int code = perix::gallery::Run(argc, argv);
  LocalFree(argv);
  return code;
}
