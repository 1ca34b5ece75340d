#pragma once
// What every page of the main window works with: the configuration, the view
// it writes, its words and the window system's services.

#include "app/MainView.h"
#include "app/TextSource.h"
#include "app/UiHost.h"
#include "config/DeviceConfig.h"
#include "store/ConfigSession.h"
#include "store/FileProblem.h"

namespace perix {

struct PageContext {
  ConfigSession& session;
  MainView& view;
  TextSource& texts;
  UiHost& ui;
  // Set after the polling rate was announced, so that the device's reset
  // report (1280) that follows is not taken for an unplug.
  bool resetPending = false;

  DeviceConfig& Live() { return session.Live(); }
  // Shows the user a file that could not be read or written, and why.
  void ReportFileProblem(const FileProblem& problem) { ui.Warn(FileProblemText(problem), false); }
  ControlView& operator[](Control control) { return view[control]; }
  bool IsCurrent(Page page) const { return view.page == PageIdentifier(page); }
};

// A slider's position as its bar shows it: a value outside the bar's range
// puts the thumb at the minimum.
int SliderShows(Control slider, int value);
// A reported position brought into the bar's range, so that an odd message
// cannot store a value the bar could never produce.
int ClampToSlider(Control slider, int position);

}  // namespace perix
