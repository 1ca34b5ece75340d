// A profile file as arbitrary bytes through the import: the chosen file is
// never written; a refused file changes nothing; an imported one is what the
// settings file then holds, and exporting it gives a file that imports to the
// same configuration.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "RecordingServiceLink.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/ConfigSession.h"
#include "store/MemoryFileSystem.h"
#include "store/ProfileFile.h"
#include "store/SettingsStore.h"

namespace {

constexpr char16_t kProfile[] = u"C:\\Users\\me\\Fuzz.prof";
constexpr char16_t kExported[] = u"C:\\Users\\me\\Again.prof";

std::unique_ptr<perix::DeviceConfig> Unset() {
  auto config = std::make_unique<perix::DeviceConfig>();
  std::memset(config.get(), 0, sizeof *config);
  perix::ResetToUnset(*config);
  return config;
}

// Name and Exe are not part of what an export writes.
void ClearNames(perix::DeviceConfig& config) {
  for (perix::ProfileConfig& profile : config.Profiles) {
    std::memset(profile.Name, 0, sizeof profile.Name);
    std::memset(profile.Exe, 0, sizeof profile.Exe);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using perix::fuzz::SameRecord;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  perix::test::MemoryFileSystem files;
  perix::test::RecordingServiceLink service;
  const perix::DataPaths paths = perix::DataPathsUnder(u"C:\\Users\\me\\AppData\\Roaming");
  files.files[kProfile] = bytes;
  perix::ConfigSession session(paths, service, files);
  session.LoadConfiguration();  // a fresh settings file with the first start's values
  FUZZ_CHECK(session.SaveConfiguration() == perix::FileStatus::Ok);
  const std::string settingsBefore = files.files[paths.settingsFile];
  auto liveBefore = std::make_unique<perix::DeviceConfig>(session.Live());

  const perix::ProfileFileStatus status = perix::ImportProfile(session, kProfile);
  FUZZ_CHECK(files.files[kProfile] == bytes);
  if (status != perix::ProfileFileStatus::Ok) {
    FUZZ_CHECK(status == perix::ProfileFileStatus::NotAProfileFile);
    FUZZ_CHECK(files.files[paths.settingsFile] == settingsBefore);
    FUZZ_CHECK(SameRecord(session.Live(), *liveBefore));
    return 0;
  }
  FUZZ_CHECK(session.Live().Profile == 0);
  const perix::SettingsStore settings{paths.settingsFile, files};
  FUZZ_CHECK(settings.ReadString(u"Setting", u"ProfileName") == u"Fuzz");

  // The settings file holds the live configuration, except the profiles'
  // "Name" and "Exe", which the program reads but never writes.
  auto stored = Unset();
  perix::LoadConfig(*stored, paths.settingsFile, -1, files);
  auto validated = Unset();
  perix::ValidateConfig(*validated, *stored);
  auto live = std::make_unique<perix::DeviceConfig>(session.Live());
  ClearNames(*validated);
  ClearNames(*live);
  FUZZ_CHECK(SameRecord(*validated, *live));

  // Export and import again: the same configuration, names aside.
  FUZZ_CHECK(perix::ExportProfile(session.Live(), kExported, files) == perix::ProfileFileStatus::Ok);
  auto expected = std::make_unique<perix::DeviceConfig>(session.Live());
  FUZZ_CHECK(perix::ImportProfile(session, kExported) == perix::ProfileFileStatus::Ok);
  ClearNames(*expected);
  auto imported = std::make_unique<perix::DeviceConfig>(session.Live());
  ClearNames(*imported);
  FUZZ_CHECK(SameRecord(*imported, *expected));
  return 0;
}
