#pragma once
// Every control of the main window, built from the layout table
// (core/skin/Layout.h) and the skin, and the backgrounds of the pages.
// The main window reaches a control by its Control name or finds it by
// window handle; the view renderer sets captions, checks, enabled and shown
// states and slider positions through the Apply... calls, whatever kind of
// control it is.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "controls/PageBackgrounds.h"
#include "app/TextSource.h"
#include "controls/ListBoxEx.h"
#include "controls/OwnColorSelect.h"
#include "controls/PngHSlider.h"
#include "framework/GdiPlus.h"
#include "framework/Window.h"
#include "skin/Layout.h"

namespace perix::win {

class CMainControls {
 public:
  CMainControls();
  ~CMainControls();
  CMainControls(const CMainControls&) = delete;
  CMainControls& operator=(const CMainControls&) = delete;

  // Builds the home page: the frame's images, the page's images and its
  // controls, each control at its place with its images cut. The window
  // shows this page first; the others can wait until it is painted.
  void BuildHome(HWND parent, TextSource& texts);
  // Builds every other page the same way, in the build order. Each page's
  // images are decoded, cut and released before the next page's.
  void BuildOtherPages();
  bool Built(Page page) const { return m_built[static_cast<std::size_t>(page)]; }
  // The home page's "Main" image size, or nothing when it did not load.
  std::optional<SIZE> HomeImageSize() const { return m_homeImageSize; }
  // The window's size: the home page's "Main" image size or, without one,
  // the size the controls are placed for.
  SIZE WindowSize() const;
  // Paints a page's background over `area` of the client area (black for
  // the state without a page).
  void PaintBackground(HDC dc, int pageIdentifier, const RECT& area) const;
  // Memory held by the page backgrounds' pixels.
  std::size_t BackgroundBytes() const { return m_backgrounds.Bytes(); }
  // Releases the backgrounds and the frame's images (the controls keep their
  // own images).
  void ReleasePageImages();

  CWindowBase* Window(Control control) const { return m_windows[Index(control)].get(); }
  std::optional<Control> ControlOf(HWND hwnd) const;
  // The slider bar with a control ID.
  std::optional<Control> SliderWithId(int controlId) const;
  COwnColorSelect* Picker() const;
  CListBoxEx* ActionList() const;

  void ApplyCaption(Control control, const std::u16string& caption);
  void ApplyChecked(Control control, bool checked);
  void ApplyEnabled(Control control, bool enabled);
  void ApplyShown(Control control, bool shown);
  void ApplyPosition(Control control, int position);

 private:
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }
  using PageImages = std::array<ImagePtr, 5>;  // indexed by SkinImage: none, Main, Over, Down, Disabled
  void BuildPage(const PageLayout& page);
  std::unique_ptr<CWindowBase> Create(const ControlLayout& layout, const PageImages& images, HWND parent);

  HWND m_parent = nullptr;
  TextSource* m_texts = nullptr;  // not owned
  std::optional<SIZE> m_homeImageSize;
  CPageBackgrounds m_backgrounds;
  std::array<bool, kPageCount> m_built{};
  ImagePtr m_logo;  // owned; loaded with the frame
  ImagePtr m_id;    // owned; loaded with the frame
  std::array<std::unique_ptr<CWindowBase>, kControlCount> m_windows;  // owned
  std::unordered_map<HWND, Control> m_byHandle;
};

}  // namespace perix::win
