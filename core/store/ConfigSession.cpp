#include "store/ConfigSession.h"

#include "config/Defaults.h"
#include "store/ConfigLayout.h"

namespace perix {

ConfigSession::ConfigSession(DataPaths paths, ServiceLink& service, FileSystem& files)
    : m_paths(std::move(paths)),
      m_service(&service),
      m_files(&files),
      m_scratch(std::make_unique<DeviceConfig>()),
      m_live(std::make_unique<DeviceConfig>()) {
  ResetToUnset(*m_scratch);
  ResetToUnset(*m_live);
}

void ConfigSession::LoadConfiguration(int profileOverride) {
  ResetToUnset(*m_scratch);
  LoadConfig(*m_scratch, m_paths.settingsFile, profileOverride, *m_files);
  ValidateConfig(*m_live, *m_scratch);
}

FileStatus ConfigSession::SaveConfiguration() { return NoteSave(SaveConfig(*m_live, m_paths.settingsFile, *m_files)); }

FileStatus ConfigSession::SavePollingRate() {
  if (m_serviceMissedChanges) return SaveConfiguration();
  return NoteSave(perix::SavePollingRate(m_live->PollingRate, m_paths.settingsFile, *m_files));
}

FileStatus ConfigSession::NoteSave(FileStatus status) {
  if (status == FileStatus::Ok) {
    m_saveFailing = false;
    return status;
  }
  m_serviceMissedChanges = true;
  if (!m_saveFailing && m_reporter != nullptr) {
    m_reporter->ReportFileProblem({FileAction::Save, status, m_paths.settingsFile, {},
                                   u"Your changes are kept while the program runs and are saved with the next "
                                   u"change once the file can be written."});
  }
  m_saveFailing = true;
  return status;
}

FileStatus ConfigSession::ApplyConfiguration() {
  const FileStatus status = SaveConfiguration();
  if (status == FileStatus::Ok) Announce(ServiceMessage::ConfigurationApplied, 0, 0);
  return status;
}

bool ConfigSession::SaveAndNotify(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  return SaveConfiguration() == FileStatus::Ok && Announce(message, wParam, lParam);
}

bool ConfigSession::Announce(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  const bool posted = m_service->Post(message, wParam, lParam);
  if (m_serviceMissedChanges && message != ServiceMessage::ConfigurationApplied) {
    m_service->Post(ServiceMessage::ConfigurationApplied, 0, 0);
  }
  m_serviceMissedChanges = false;
  return posted;
}

void ConfigSession::ReloadDpiStages() { LoadDpiStages(*m_live, m_paths.settingsFile, *m_files); }

}  // namespace perix
