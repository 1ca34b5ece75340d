// The settings store natively: the whole configuration saved and loaded
// through a real file, and the document engine alone in memory.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/IniDocument.h"
#include "store/SampleConfig.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::u16string BenchFile() {
  static const std::filesystem::path path = std::filesystem::temp_directory_path() / "perix-bench-Mouse.ini";
  return Utf8ToUtf16(path.string());
}

void SaveConfigToFile(benchmark::State& state) {
  const DeviceConfig configs[2] = {test::SampleConfig(1), test::SampleConfig(2)};
  int i = 0;
  for (auto _ : state) (void)SaveConfig(configs[i++ % 2], BenchFile());
}
BENCHMARK(SaveConfigToFile);

void LoadConfigFromFile(benchmark::State& state) {
  (void)SaveConfig(test::SampleConfig(), BenchFile());
  DeviceConfig config;
  for (auto _ : state) {
    ResetToUnset(config);
    (void)LoadConfig(config, BenchFile(), -1);
    benchmark::DoNotOptimize(config);
  }
}
BENCHMARK(LoadConfigFromFile);

void ParseAndSerialise(benchmark::State& state) {
  (void)SaveConfig(test::SampleConfig(), BenchFile());
  const std::string bytes = DefaultFileSystem().ReadAll(BenchFile()).bytes;
  for (auto _ : state) {
    IniDocument document = IniDocument::Parse(bytes);
    document.WriteInt(u"Setting", u"PollingRate", 1);
    benchmark::DoNotOptimize(document.Serialize());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ParseAndSerialise);

}  // namespace
}  // namespace perix
