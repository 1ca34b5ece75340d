#pragma once
// Macro files: one INI file per macro in the macro folder, named after the
// macro, holding its actions as 60 fixed three-byte records in one blob.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace perix {

inline constexpr int kMacroSlotCount = 60;
inline constexpr char16_t kMacroExtension[] = u".macro";

// Kinds of records (bits 0..6 of the kind byte).
enum class MacroKind : std::uint8_t {
  MouseButton = 1,  // operand 1: button mask 1 left, 2 right, 4 middle
  MouseMove = 2,    // operands: X and Y steps, signed 8-bit
  Key = 4,          // operand 1: HID keyboard usage
  Delay = 6,        // operands: duration in 10 ms units, little-endian
};
inline constexpr std::uint8_t kPressBit = 0x80;

struct MacroRecord {
  std::uint8_t Kind;  // kind in bits 0..6, kPressBit for a press
  std::uint8_t Operand1;
  std::uint8_t Operand2;

  MacroKind KindOf() const { return static_cast<MacroKind>(Kind & 0x7F); }
  bool IsPress() const { return (Kind & kPressBit) != 0; }
  bool IsEmpty() const { return Kind == 0 && Operand1 == 0 && Operand2 == 0; }
  // Kinds the program shows and counts; records of any other kind are dropped.
  bool IsKnownKind() const;
  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

struct MacroRecordBuffer {
  MacroRecord Records[kMacroSlotCount];
};
static_assert(sizeof(MacroRecord) == 3);
static_assert(sizeof(MacroRecordBuffer) == 180);

MacroRecord DelayRecord(int milliseconds);  // stored in 10 ms units, at most 65535 units
MacroRecord KeyRecord(std::uint8_t usage, bool press);
MacroRecord MouseButtonRecord(std::uint8_t mask, bool press);
MacroRecord MouseMoveRecord(std::int8_t x, std::int8_t y);
int DelayMilliseconds(const MacroRecord& record);

// Moves the records of known kinds to the front, in slot order, and zeroes the
// rest. Returns their number: the macro's RecordCount.
int PackMacroRecords(MacroRecordBuffer& buffer);

// Whether a macro name can be a file name in the macro folder. A name with a
// path separator, "..", a character Windows forbids in file names, a reserved
// device name, a trailing dot or space, or no characters at all is refused, so
// that no name can reach outside the macro folder.
enum class MacroNameProblem {
  None,
  Empty,
  TooLong,
  PathSeparator,
  DotDot,
  ForbiddenCharacter,
  ReservedDeviceName,
  TrailingDotOrSpace,
  LeadingSpace,
};
MacroNameProblem CheckMacroName(std::u16string_view name);
const char* MacroNameProblemText(MacroNameProblem problem);

// folder (ending with a backslash) + name + ".macro", or nothing for a name
// that CheckMacroName refuses.
std::optional<std::u16string> MacroFilePath(std::u16string_view macroFolder, std::u16string_view name);

struct MacroFileContents {
  MacroRecordBuffer Buffer{};  // packed from slot 0
  int RecordCount = 0;
  bool BlobRead = false;  // false when the blob was missing or damaged (an empty macro is listed)
};

// Writes "MacroFilePath" = path, "Count", "LoopTime" and the 180-byte blob
// "MacroSetting_0" in section "Setting", in one replace of the file.
FileStatus SaveMacroFile(std::u16string_view path, const MacroRecordBuffer& buffer, int recordCount, int loopTime,
                         FileSystem& files = DefaultFileSystem());

// Reads the blob of a macro file and packs its records.
MacroFileContents LoadMacroFile(std::u16string_view path, FileSystem& files = DefaultFileSystem());

// "LoopTime" of a macro file with the given default (0 on the macro page, 1
// when a macro is assigned to a button).
int ReadLoopTime(std::u16string_view path, int defaultValue, FileSystem& files = DefaultFileSystem());

}  // namespace perix
