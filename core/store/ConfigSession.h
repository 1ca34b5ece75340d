#pragma once
// The configuration as the main window holds it: a scratch copy that loads
// fill and the live copy that every page edits, bound to the settings file,
// and the order in which they are loaded, validated, saved and announced.

#include <cstdint>
#include <memory>
#include <string>

#include "app/ServiceLink.h"
#include "config/DeviceConfig.h"
#include "platform/FileSystem.h"
#include "store/DataFolder.h"
#include "store/FileProblem.h"

namespace perix {

class ConfigSession {
 public:
  ConfigSession(DataPaths paths, ServiceLink& service, FileSystem& files = DefaultFileSystem());

  DeviceConfig& Live() { return *m_live; }
  const DeviceConfig& Live() const { return *m_live; }
  DeviceConfig& Scratch() { return *m_scratch; }
  const DataPaths& Paths() const { return m_paths; }
  ServiceLink& Service() { return *m_service; }
  FileSystem& Files() { return *m_files; }

  // Refills the live copy from the settings file: reset the scratch copy,
  // load it (which writes it straight back, normalising the file), validate
  // it into the live copy. -1 takes the active profile from the file.
  void LoadConfiguration(int profileOverride = -1);

  // Where failed saves are reported; none by default.
  void SetProblemReporter(FileProblemReporter* reporter) { m_reporter = reporter; }

  // Writes the whole live copy to the settings file. A failure leaves the live
  // copy as it is (the next save that succeeds writes it all) and is reported
  // once per streak of failures, not once per slider step.
  FileStatus SaveConfiguration();
  // Whether the last save failed.
  bool SaveFailing() const { return m_saveFailing; }

  // Writes only the live "PollingRate", at once, and reports a failure like
  // SaveConfiguration. While earlier saves are missing from the file the
  // whole live copy is written instead, so the file never holds the new rate
  // beside stale settings.
  FileStatus SavePollingRate();

  // Saves, then tells the service that everything may have changed (1279).
  FileStatus ApplyConfiguration();

  // The pattern every page follows after changing live fields: save the whole
  // record, then post the page's notification if the service is there. A
  // failed save posts nothing: the service would read the old file. The first
  // successful save after failed ones also posts 1279, since the service
  // missed the changes the failed saves held. True when the message was posted.
  bool SaveAndNotify(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

  // Reloads only the four DPI stages, when the service reports the device
  // changed them.
  void ReloadDpiStages();

  // Posts a message after a successful save, then catches the service up
  // (1279) when earlier saves had failed. True when the message was posted.
  bool Announce(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

 private:
  // Keeps track of a failure streak and tells the user once per streak.
  FileStatus NoteSave(FileStatus status);

  DataPaths m_paths;
  ServiceLink* m_service;  // not owned
  FileSystem* m_files;     // not owned
  std::unique_ptr<DeviceConfig> m_scratch;
  std::unique_ptr<DeviceConfig> m_live;
  FileProblemReporter* m_reporter = nullptr;  // not owned
  bool m_saveFailing = false;
  bool m_serviceMissedChanges = false;  // a save failed since the service was last told
};

}  // namespace perix
