#pragma once
// Brings the main window's controls in line with the model's view, the one
// place that does so: after every call into the model the window hands the
// view here, and only what differs from the view applied last reaches the
// controls. The first call applies everything.
//
// Some controls change their own state before the model hears of it (a
// slider bar moves its thumb, the colour picker shows the colour picked);
// the window notes those first, so the renderer does not set them again
// (setting the picker's colour from outside would restart its hue).

#include <optional>

#include "app/MainControls.h"
#include "app/MainView.h"

namespace perix::win {

class CViewRenderer {
 public:
  // What Apply changed that the window has to repaint.
  struct Repaint {
    bool page = false;         // the background: the page changed
    bool macroNumbers = false;  // the two numbers painted on the macro page
  };

  Repaint Apply(const MainView& view, CMainControls& controls);

  // Gives the controls of a page built after the view was applied the state
  // the view gave them.
  void ApplyToPage(Page page, CMainControls& controls) const;

  void NoteSliderShows(Control slider, int position);
  // An edit box already shows the text the user typed.
  void NoteCaptionShows(Control control, const std::u16string& caption);
  void NotePickerShows(std::uint32_t colour);
  // The next Apply sets everything again.
  void Reset() { m_applied.reset(); }
  // The page of the view applied last (none before the first Apply).
  std::optional<int> AppliedPage() const {
    return m_applied ? std::optional<int>(m_applied->page) : std::nullopt;
  }

 private:
  static void ApplyControl(const ControlView& now, const ControlView* was, Control control, CMainControls& controls);

  std::optional<MainView> m_applied;
};

}  // namespace perix::win
