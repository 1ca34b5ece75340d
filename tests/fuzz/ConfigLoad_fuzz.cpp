// "Mouse.ini" as arbitrary bytes through the start-up path: load (which
// writes the file straight back), validate. The write-back must be a fixed
// point, validation must be idempotent, and a validated record must survive a
// save and a load unchanged.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/MemoryFileSystem.h"

namespace {

constexpr char16_t kPath[] = u"C:\\data\\Mouse.ini";

std::unique_ptr<perix::DeviceConfig> Unset() {
  auto config = std::make_unique<perix::DeviceConfig>();
  std::memset(config.get(), 0, sizeof *config);
  perix::ResetToUnset(*config);
  return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using perix::fuzz::SameRecord;
  perix::test::MemoryFileSystem files;
  // The last byte picks the profile override (-1 reads "Profile" from the file).
  const int profileOverride = size > 0 && (data[size - 1] & 1) ? 0 : -1;
  files.files[kPath] = std::string(reinterpret_cast<const char*>(data), size);

  auto first = Unset();
  perix::LoadConfig(*first, kPath, profileOverride, files);
  const std::string normalised = files.files[kPath];

  // Loading the normalised file gives the same record and leaves the file alone.
  auto second = Unset();
  perix::LoadConfig(*second, kPath, profileOverride, files);
  FUZZ_CHECK(SameRecord(*first, *second));
  FUZZ_CHECK(files.files[kPath] == normalised);

  auto live = Unset();
  std::vector<perix::Repair> repairs;
  perix::ValidateConfig(*live, *first, &repairs);
  auto again = Unset();
  std::vector<perix::Repair> more;
  perix::ValidateConfig(*again, *live, &more);
  FUZZ_CHECK(SameRecord(*live, *again));
  FUZZ_CHECK(more.empty());

  // The live copy saved and loaded back is the live copy ("Name" and "Exe"
  // are never written but stay in the file).
  FUZZ_CHECK(perix::SaveConfig(*live, kPath, files) == perix::FileStatus::Ok);
  auto reloaded = Unset();
  perix::LoadConfig(*reloaded, kPath, -1, files);
  FUZZ_CHECK(SameRecord(*reloaded, *live));
  return 0;
}
