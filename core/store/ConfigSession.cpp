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

int ConfigSession::SaveConfiguration() {
  return SaveConfig(*m_live, m_paths.settingsFile, *m_files, &m_lastSaveOk);
}

void ConfigSession::ApplyConfiguration() { SaveAndNotify(ServiceMessage::ConfigurationApplied); }

bool ConfigSession::SaveAndNotify(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  SaveConfiguration();
  return m_service->Post(message, wParam, lParam);
}

void ConfigSession::ReloadDpiStages() { LoadDpiStages(*m_live, m_paths.settingsFile, *m_files); }

}  // namespace perix
