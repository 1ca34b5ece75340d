// Saving and loading a whole configuration under Wine: the settings store
// (one read, one atomic replace) beside the same layout written and read key
// by key through kernel32's private-profile functions. Prints the median of
// each; run with scripts/wine-run.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PlatformLayout.h"
#include "Wide.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/SampleConfig.h"

namespace {

using Clock = std::chrono::steady_clock;

double MedianMilliseconds(int runs, const std::function<void(int)>& body) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    body(i);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace perix;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "perix-bench-store";
  std::filesystem::create_directories(folder);
  const std::wstring storeFile = (folder / L"store.ini").wstring();
  const std::wstring platformFile = (folder / L"platform.ini").wstring();
  std::filesystem::remove(storeFile);
  std::filesystem::remove(platformFile);

  // Two configurations saved in turn, so that every save changes the file.
  const DeviceConfig configs[2] = {test::SampleConfig(1), test::SampleConfig(2)};
  const std::u16string storePath = FromWide(storeFile);
  (void)SaveConfig(configs[1], storePath);
  wine::PlatformSaveConfig(configs[1], platformFile.c_str());

  const double storeSave = MedianMilliseconds(runs, [&](int i) { (void)SaveConfig(configs[i % 2], storePath); });
  const double platformSave =
      MedianMilliseconds(runs, [&](int i) { wine::PlatformSaveConfig(configs[i % 2], platformFile.c_str()); });

  DeviceConfig loaded;
  const double storeLoad = MedianMilliseconds(runs, [&](int) {
    ResetToUnset(loaded);
    (void)LoadConfig(loaded, storePath, -1);
  });
  const double platformLoad = MedianMilliseconds(runs, [&](int) {
    ResetToUnset(loaded);
    wine::PlatformLoadConfig(loaded, platformFile.c_str());
  });

  std::printf("full configuration, %d runs each, median\n", runs);
  std::printf("SaveConfig     store %8.3f ms   kernel32 key by key %8.3f ms   ratio %.1fx\n", storeSave, platformSave,
              platformSave / storeSave);
  std::printf("LoadConfig     store %8.3f ms   kernel32 key by key %8.3f ms   ratio %.1fx\n", storeLoad, platformLoad,
              platformLoad / storeLoad);
  std::filesystem::remove_all(folder);
  return 0;
}
