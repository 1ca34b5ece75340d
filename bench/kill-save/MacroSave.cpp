// macro_save FILE [SEED]: saves a full 60-record macro to FILE the way the
// macro page saves after each change (one replace of the whole file). A
// different SEED gives different records, so an old and a new file differ.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/MacroFile.h"
#include "text/Utf16.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: macro_save FILE [SEED]\n");
    return 2;
  }
  unsigned state = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
  perix::MacroRecordBuffer buffer{};
  for (int i = 0; i < perix::kMacroSlotCount; ++i) {
    state = state * 1103515245u + 12345u;
    buffer.Records[i] = i % 2 == 0 ? perix::KeyRecord(static_cast<std::uint8_t>(4 + (state >> 16) % 30), true)
                                   : perix::DelayRecord(static_cast<int>(10 * ((state >> 16) % 500)));
  }
  const perix::FileStatus status =
      perix::SaveMacroFile(perix::Utf8ToUtf16(argv[1]), buffer, perix::kMacroSlotCount, 3);
  if (status != perix::FileStatus::Ok) {
    std::fprintf(stderr, "macro_save: %s\n", perix::FileStatusText(status));
    return 1;
  }
  return 0;
}
