#include "app/ViewRenderer.h"

namespace perix::win {

CViewRenderer::Repaint CViewRenderer::Apply(const MainView& view, CMainControls& controls) {
  const bool fresh = !m_applied;
  Repaint repaint;
  repaint.page = fresh || view.page != m_applied->page;

  for (std::size_t i = 0; i < kControlCount; ++i) {
    ApplyControl(view.controls[i], fresh ? nullptr : &m_applied->controls[i], static_cast<Control>(i), controls);
  }

  // Showing the lighting page hands the picker the stored colour, which also
  // starts its hue over, even when the colour itself did not change.
  const bool lightingShown = repaint.page && view.page == PageIdentifier(Page::Lighting);
  if (fresh || lightingShown || view.pickerColour != m_applied->pickerColour) {
    if (COwnColorSelect* picker = controls.Picker()) picker->SetColour(view.pickerColour);
  }

  // The action list is filled again only when its lines changed.
  if (CListBoxEx* list = controls.ActionList()) {
    const bool linesChanged = fresh || view.actionLines != m_applied->actionLines;
    if (linesChanged) list->SetLines(view.actionLines);
    if (linesChanged || view.actionSelection != m_applied->actionSelection) list->Select(view.actionSelection);
  }

  repaint.macroNumbers =
      !fresh && (view.macroLine1 != m_applied->macroLine1 || view.macroLine2 != m_applied->macroLine2);
  m_applied = view;
  return repaint;
}

void CViewRenderer::ApplyControl(const ControlView& now, const ControlView* was, Control control,
                                 CMainControls& controls) {
  if (!was || now.caption != was->caption) controls.ApplyCaption(control, now.caption);
  if (!was || now.checked != was->checked) controls.ApplyChecked(control, now.checked);
  if (!was || now.position != was->position) controls.ApplyPosition(control, now.position);
  if (!was || now.enabled != was->enabled) controls.ApplyEnabled(control, now.enabled);
  if (!was || now.shown != was->shown) controls.ApplyShown(control, now.shown);
}

void CViewRenderer::ApplyToPage(Page page, CMainControls& controls) const {
  if (!m_applied) return;
  for (const ControlLayout& layout : ControlsOfPage(page)) {
    const auto control = static_cast<Control>(layout.index);
    ApplyControl((*m_applied)[control], nullptr, control, controls);
  }
  if (PageOf(Control::LightingColorPicker) == page) {
    if (COwnColorSelect* picker = controls.Picker()) picker->SetColour(m_applied->pickerColour);
  }
  if (PageOf(Control::MacroActionList) == page) {
    if (CListBoxEx* list = controls.ActionList()) {
      list->SetLines(m_applied->actionLines);
      list->Select(m_applied->actionSelection);
    }
  }
}

void CViewRenderer::NoteSliderShows(Control slider, int position) {
  if (m_applied) (*m_applied)[slider].position = position;
}

void CViewRenderer::NoteCaptionShows(Control control, const std::u16string& caption) {
  if (m_applied) (*m_applied)[control].caption = caption;
}

void CViewRenderer::NotePickerShows(std::uint32_t colour) {
  if (m_applied) m_applied->pickerColour = colour;
}

}  // namespace perix::win
