#pragma once
// Every control of the main window, built from the layout table
// (core/skin/Layout.h) and the skin, with the page images they are cut from.
// The main window reaches a control by its Control name or finds it by
// window handle; the view renderer sets captions, checks, enabled and shown
// states and slider positions through the Apply... calls, whatever kind of
// control it is.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

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

  // Loads each page's images and creates its controls, page by page in the
  // build order, each control at its place with its images cut. Every
  // control starts hidden, enabled and without caption.
  void Build(HWND parent, TextSource& texts);
  // The home page's "Main" image size, or nothing when it did not load.
  std::optional<SIZE> HomeImageSize() const;
  // The image painted behind a page; null when the page has none.
  Gdiplus::Bitmap* Background(Page page) const;
  // Releases the page images (the controls keep their own cuts).
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
  Gdiplus::Bitmap* PageImage(Page page, SkinImage image) const;
  std::unique_ptr<CWindowBase> Create(const ControlLayout& layout, Page page, HWND parent);

  // Per page, indexed by SkinImage: none, Main, Over, Down, Disabled.
  std::array<std::array<ImagePtr, 5>, kPageCount> m_pageImages;  // owned
  ImagePtr m_logo;                                                 // owned; loaded with the frame
  ImagePtr m_id;                                                   // owned; loaded with the frame
  std::array<std::unique_ptr<CWindowBase>, kControlCount> m_windows;  // owned
  std::unordered_map<HWND, Control> m_byHandle;
};

}  // namespace perix::win
