#include "store/MacroFile.h"

#include <array>
#include <cstring>

#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "store/SettingsText.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr char16_t kSection[] = u"Setting";
constexpr char16_t kBlobKey[] = u"MacroSetting_0";  // one block holds all 60 records

// The longest name whose file name ("name.macro") still fits a file-name
// component of 255 characters.
constexpr std::size_t kMaxNameLength = 255 - 6;

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool IsReservedDeviceName(std::u16string_view name) {
  // Windows reserves these with any extension too ("con.txt").
  const std::size_t dot = name.find(u'.');
  std::u16string stem(name.substr(0, dot));
  while (!stem.empty() && stem.back() == u' ') stem.pop_back();
  for (char16_t& c : stem) c = AsciiUpper(c);
  static constexpr std::array<std::u16string_view, 4> kPlain = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (std::u16string_view reserved : kPlain) {
    if (stem == reserved) return true;
  }
  if (stem == u"CONIN$" || stem == u"CONOUT$") return true;
  if (stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT"))) {
    const char16_t digit = stem[3];
    // The superscript digits count as device numbers too.
    return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
  }
  return false;
}

}  // namespace

bool MacroRecord::IsKnownKind() const {
  switch (KindOf()) {
    case MacroKind::MouseButton:
    case MacroKind::MouseMove:
    case MacroKind::Key:
    case MacroKind::Delay: return true;
  }
  return false;
}

MacroRecord DelayRecord(int milliseconds) {
  int units = milliseconds / 10;
  if (units < 0) units = 0;
  if (units > 0xFFFF) units = 0xFFFF;
  return {static_cast<std::uint8_t>(MacroKind::Delay), static_cast<std::uint8_t>(units & 0xFF),
          static_cast<std::uint8_t>(units >> 8)};
}

MacroRecord KeyRecord(std::uint8_t usage, bool press) {
  return {static_cast<std::uint8_t>(static_cast<std::uint8_t>(MacroKind::Key) | (press ? kPressBit : 0)), usage, 0};
}

MacroRecord MouseButtonRecord(std::uint8_t mask, bool press) {
  return {static_cast<std::uint8_t>(static_cast<std::uint8_t>(MacroKind::MouseButton) | (press ? kPressBit : 0)),
          mask, 0};
}

MacroRecord MouseMoveRecord(std::int8_t x, std::int8_t y) {
  return {static_cast<std::uint8_t>(MacroKind::MouseMove), static_cast<std::uint8_t>(x),
          static_cast<std::uint8_t>(y)};
}

int DelayMilliseconds(const MacroRecord& record) { return (record.Operand1 | (record.Operand2 << 8)) * 10; }

int PackMacroRecords(MacroRecordBuffer& buffer) {
  int count = 0;
  for (const MacroRecord& record : buffer.Records) {
    if (record.IsEmpty() || !record.IsKnownKind()) continue;
    buffer.Records[count++] = record;
  }
  for (int i = count; i < kMacroSlotCount; ++i) buffer.Records[i] = {};
  return count;
}

MacroNameProblem CheckMacroName(std::u16string_view name) {
  if (name.empty()) return MacroNameProblem::Empty;
  if (name.size() > kMaxNameLength) return MacroNameProblem::TooLong;
  for (char16_t c : name) {
    if (c == u'\\' || c == u'/') return MacroNameProblem::PathSeparator;
  }
  if (name.find(u"..") != std::u16string_view::npos) return MacroNameProblem::DotDot;
  for (char16_t c : name) {
    if (c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' || c == u'*') {
      return MacroNameProblem::ForbiddenCharacter;
    }
  }
  if (name.back() == u'.' || name.back() == u' ') return MacroNameProblem::TrailingDotOrSpace;
  // The library's list would read the name back without its leading blanks,
  // and so lose the way to the macro's file.
  if (name.front() == u' ') return MacroNameProblem::LeadingSpace;
  if (IsReservedDeviceName(name)) return MacroNameProblem::ReservedDeviceName;
  return MacroNameProblem::None;
}

const char* MacroNameProblemText(MacroNameProblem problem) {
  switch (problem) {
    case MacroNameProblem::None: return "fine";
    case MacroNameProblem::Empty: return "the name is empty";
    case MacroNameProblem::TooLong: return "the name is too long";
    case MacroNameProblem::PathSeparator: return "a macro name cannot contain \\ or /";
    case MacroNameProblem::DotDot: return "a macro name cannot contain \"..\"";
    case MacroNameProblem::ForbiddenCharacter: return "a macro name cannot contain < > : \" | ? * or control characters";
    case MacroNameProblem::ReservedDeviceName: return "the name is reserved by Windows for a device";
    case MacroNameProblem::TrailingDotOrSpace: return "a macro name cannot end with a dot or a space";
    case MacroNameProblem::LeadingSpace: return "a macro name cannot start with a space";
  }
  return "the name cannot be used";
}

std::optional<std::u16string> MacroFilePath(std::u16string_view macroFolder, std::u16string_view name) {
  if (CheckMacroName(name) != MacroNameProblem::None) return std::nullopt;
  std::u16string path(macroFolder);
  path += name;
  path += kMacroExtension;
  return path;
}

FileStatus SaveMacroFile(std::u16string_view path, const MacroRecordBuffer& buffer, int recordCount, int loopTime,
                         FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  const FileRead read = files.ReadAll(path);
  // A file that exists but cannot be read is not replaced by a fresh one, nor
  // is a file that is not a macro file written into.
  if (!read.ok() && read.status != FileStatus::NotFound) return read.status;
  IniDocument document = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
  if (read.ok() && CheckMacroContents(read.bytes, document).kind == ContentsKind::NotUnderstood) {
    return FileStatus::NotUnderstood;
  }
  bool ok = document.WriteString(kSection, u"MacroFilePath", path);
  ok = document.WriteInt(kSection, u"Count", recordCount) && ok;
  ok = document.WriteInt(kSection, u"LoopTime", loopTime) && ok;
  ok = document.WriteStruct(kSection, kBlobKey, &buffer, sizeof buffer) && ok;
  const FileStatus saved = store.Save(document);
  // The path is the one value the file's text may be unable to hold.
  return saved == FileStatus::Ok && !ok ? FileStatus::Failed : saved;
}

MacroFileContents LoadMacroFile(std::u16string_view path, FileSystem& files) {
  MacroFileContents contents;
  const SettingsStore store{std::u16string(path), files};
  contents.BlobRead = store.ReadStruct(kSection, kBlobKey, &contents.Buffer, sizeof contents.Buffer);
  contents.RecordCount = PackMacroRecords(contents.Buffer);
  return contents;
}

int ReadLoopTime(std::u16string_view path, int defaultValue, FileSystem& files) {
  const SettingsStore store{std::u16string(path), files};
  return store.ReadInt(kSection, u"LoopTime", defaultValue);
}

}  // namespace perix
