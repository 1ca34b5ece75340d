#include "store/ConfigSession.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <thread>

#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/SetAside.h"

namespace perix {
namespace {

// Another program (the device service) may hold the file for the moment of
// its own write: a load waits this long for it before giving up.
constexpr int kLockedRetries = 20;
constexpr auto kLockedPause = std::chrono::milliseconds(50);

constexpr char16_t kSaveFailedNote[] =
    u"Your changes are kept while the program runs and are saved with the next change once the file can be written.";
constexpr char16_t kFirstStartNote[] = u"The program starts as on a first start, with a new settings file.";
constexpr char16_t kReloadNote[] = u"Your current settings were saved to a new settings file.";
constexpr char16_t kKeptAwayNote[] =
    u"To protect it, your changes will not be saved while the program runs. Move or repair the file, then start the "
    u"program again.";

}  // namespace

ConfigSession::ConfigSession(DataPaths paths, ServiceLink& service, FileSystem& files)
    : m_paths(std::move(paths)),
      m_service(&service),
      m_files(&files),
      m_scratch(std::make_unique<DeviceConfig>()),
      m_live(std::make_unique<DeviceConfig>()) {
  ResetToUnset(*m_scratch);
  ResetToUnset(*m_live);
}

FileOutcome ConfigSession::LoadConfiguration(int profileOverride) {
  const bool reload = m_loaded;
  m_loaded = true;
  if (m_keepAwayFrom) return {*m_keepAwayFrom, FileAction::Read, m_paths.settingsFile};
  FileOutcome outcome;
  for (int attempt = 0;; ++attempt) {
    ResetToUnset(*m_scratch);
    outcome = LoadConfig(*m_scratch, m_paths.settingsFile, profileOverride, *m_files);
    if (outcome.status != FileStatus::Locked || outcome.action != FileAction::Read || attempt == kLockedRetries) {
      break;
    }
    std::this_thread::sleep_for(kLockedPause);
  }
  if (outcome.ok() || outcome.action == FileAction::Save) {
    ValidateConfig(*m_live, *m_scratch);
    if (!outcome.ok()) (void)NoteSave(outcome.status);
    return outcome;
  }

  // The file is there but cannot be used.
  SetAsideResult aside = MoveFileAside(m_paths.settingsFile, *m_files);
  FileProblem notice = SetAsideNotice(m_paths.settingsFile, aside);
  notice.detail = outcome.Reason();
  if (aside.status != FileStatus::Ok) {
    m_keepAwayFrom = outcome.status;
    if (!reload) ValidateConfig(*m_live, *m_scratch);  // what a first start holds, kept in memory only
    notice.note = kKeptAwayNote;
    Report(notice);
    return outcome;
  }
  if (!reload) {
    ResetToUnset(*m_scratch);
    const FileOutcome fresh = LoadConfig(*m_scratch, m_paths.settingsFile, profileOverride, *m_files);
    ValidateConfig(*m_live, *m_scratch);
    notice.note = kFirstStartNote;
    Report(notice);
    if (!fresh.ok()) (void)NoteSave(fresh.status);
  } else {
    notice.note = kReloadNote;
    Report(notice);
    (void)SaveConfiguration();  // a failure is reported by the save
  }
  return outcome;
}

FileStatus ConfigSession::SaveConfiguration() { return Save(std::nullopt); }

FileStatus ConfigSession::SavePollingRate() {
  if (m_serviceMissedChanges || m_keepAwayFrom) return SaveConfiguration();
  return NoteSave(perix::SavePollingRate(m_live->PollingRate, m_paths.settingsFile, *m_files));
}

FileStatus ConfigSession::Save(std::optional<std::u16string_view> profileName) {
  if (m_keepAwayFrom) return NoteSave(*m_keepAwayFrom);
  if (!profileName) return NoteSave(SaveConfig(*m_live, m_paths.settingsFile, *m_files));
  return NoteSave(SaveConfigWith(
      *m_live, m_paths.settingsFile,
      [&](IniDocument& document) { return document.WriteString(u"Setting", u"ProfileName", *profileName); },
      *m_files));
}

FileStatus ConfigSession::NoteSave(FileStatus status) {
  if (status == FileStatus::Ok) {
    m_saveFailing = false;
    return status;
  }
  m_serviceMissedChanges = true;
  // The user has already heard why the file is kept away from.
  if (!m_saveFailing && !m_keepAwayFrom) Report({FileAction::Save, status, m_paths.settingsFile, {}, kSaveFailedNote});
  m_saveFailing = true;
  return status;
}

void ConfigSession::Report(const FileProblem& problem) {
  if (m_reporter != nullptr) m_reporter->ReportFileProblem(problem);
}

FileStatus ConfigSession::ApplyConfiguration(std::optional<std::u16string_view> profileName) {
  const FileStatus status = Save(profileName);
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

FileStatus ConfigSession::ReloadDpiStages() {
  if (m_keepAwayFrom) return *m_keepAwayFrom;
  // Read into a copy: a file that cannot be read leaves the stages alone.
  auto loaded = std::make_unique<DeviceConfig>(*m_live);
  const FileStatus status = LoadDpiStages(*loaded, m_paths.settingsFile, *m_files);
  if (status == FileStatus::Ok) {
    std::copy(std::begin(loaded->DpiStages), std::end(loaded->DpiStages), std::begin(m_live->DpiStages));
  } else if (status != FileStatus::NotFound) {
    Report(FileOutcome{status, FileAction::Read, m_paths.settingsFile}.Problem());
  }
  return status;
}

}  // namespace perix
