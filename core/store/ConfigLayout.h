#pragma once
// The layout of a whole DeviceConfig in a settings store: section "Setting"
// with the global fields and the DPI and lighting blobs, then one section per
// profile ("GROUP", "GROUP1".."GROUP4"). "Mouse.ini" and exported profile
// files share it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/DeviceConfig.h"
#include "platform/FileSystem.h"
#include "store/FileProblem.h"
#include "store/IniDocument.h"
#include "store/SettingsText.h"

namespace perix {

// A settings or profile file as read for the layout. `outcome` is Ok for a
// file the program understands; NotFound for a missing one (and `document`
// empty); NotUnderstood, with the reason in `outcome.detail`, for one that is
// empty (`kind` Empty) or not a settings file; or why it could not be read.
struct SettingsFile {
  FileOutcome outcome;
  ContentsKind kind = ContentsKind::NotUnderstood;
  IniDocument document;
};
SettingsFile ReadSettingsFile(std::u16string_view path, FileSystem& files = DefaultFileSystem());

// Writes the section "Setting" and the five profile sections, replacing the
// file once (not at all when it already holds these values). Keys the layout
// does not own are kept; "Name" and "Exe" are never written. A file that
// cannot be read or is not a settings file is left alone (an empty one is
// written). Ok when the file holds the configuration afterwards; otherwise
// why it does not.
FileStatus SaveConfig(const DeviceConfig& config, std::u16string_view path, FileSystem& files = DefaultFileSystem());
// The same, with more values written into the same replace of the file (the
// name of an imported profile): the file holds all of it or none of it.
// `alsoWrite` returns false for a value the file cannot hold.
FileStatus SaveConfigWith(const DeviceConfig& config, std::u16string_view path,
                          const std::function<bool(IniDocument&)>& alsoWrite, FileSystem& files = DefaultFileSystem());

// Reads the whole layout into `config` (which the caller has reset to the
// not-loaded state), then writes it straight back as SaveConfig would, from
// the one reading of the file. With a profileOverride other than -1 the
// stored "Profile" is not read; a "Profile" of -1 becomes 0. A blob that is
// missing or damaged leaves its field as it was; a "Name" or "Exe" is cut to
// 259 code units. A missing or empty file reads as all defaults.
// Ok when the file was read and holds the record afterwards. A file that
// cannot be read or is not a settings file fills `config` as a missing file
// would and is not written: the outcome (action Read) says why. A failed
// write-back has the action Save; `config` is filled from the file then.
FileOutcome LoadConfig(DeviceConfig& config, std::u16string_view path, int profileOverride,
                       FileSystem& files = DefaultFileSystem());

// A key of the layout that could not be read: missing, empty, not a number,
// or a blob the structure reader refuses (wrong length, a character that is
// not a hexadecimal digit, a checksum that does not match). A blob's field
// keeps what it held; an integer reads as the platform's reader makes of it.
struct UnreadKey {
  std::u16string section;
  std::u16string key;
  std::u16string reason;
};

// The layout read from and written into a document in memory; the file
// functions above are built on these. `unread`, when given, receives every
// key that could not be read.
void ReadConfig(const IniDocument& document, DeviceConfig& config, int profileOverride,
                std::vector<UnreadKey>* unread = nullptr);
void WriteConfig(IniDocument& document, const DeviceConfig& config);

// One profile section: "GROUP" for an index below 1, else "GROUP%d". The
// loads read what they can (nothing from a file that is not a settings file)
// and return how reading the file went.
FileStatus SaveProfile(const ProfileConfig& profile, int index, std::u16string_view path,
                       FileSystem& files = DefaultFileSystem());
FileStatus LoadProfile(ProfileConfig& profile, int index, std::u16string_view path,
                       FileSystem& files = DefaultFileSystem());

// Only the four "DPI_INFO%d" blobs.
FileStatus LoadDpiStages(DeviceConfig& config, std::u16string_view path, FileSystem& files = DefaultFileSystem());

// Only "PollingRate" in section "Setting"; the rest of the file is kept as it
// is. Ok when the file holds the value afterwards; otherwise why it does not.
FileStatus SavePollingRate(std::int32_t value, std::u16string_view path, FileSystem& files = DefaultFileSystem());

std::u16string ProfileSectionName(int index);

// The value a record holds for an integer key of the layout; nothing for a
// blob or a key the layout does not have.
std::optional<std::int32_t> LayoutIntValue(const DeviceConfig& config, std::u16string_view section,
                                           std::u16string_view key);

}  // namespace perix
