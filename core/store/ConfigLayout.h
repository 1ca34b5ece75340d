#pragma once
// The layout of a whole DeviceConfig in a settings store: section "Setting"
// with the global fields and the DPI and lighting blobs, then one section per
// profile ("GROUP", "GROUP1".."GROUP4"). "Mouse.ini" and exported profile
// files share it.

#include <string>

#include "config/DeviceConfig.h"
#include "platform/FileSystem.h"

namespace perix {

class IniDocument;

// Writes the section "Setting" and the five profile sections, replacing the
// file once (not at all when it already holds these values). Keys the layout
// does not own are kept; "Name" and "Exe" are never written. A file that
// exists but cannot be read is left alone. Ok when the file holds the
// configuration afterwards; otherwise why it does not.
FileStatus SaveConfig(const DeviceConfig& config, std::u16string_view path, FileSystem& files = DefaultFileSystem());

// Reads the whole layout into `config` (which the caller has reset to the
// not-loaded state), then writes it straight back as SaveConfig would, from
// the one reading of the file. With a profileOverride other than -1 the
// stored "Profile" is not read; a "Profile" of -1 becomes 0. A blob that is
// missing or damaged leaves its field as it was; a "Name" or "Exe" is cut to
// 259 code units. Returns 1.
int LoadConfig(DeviceConfig& config, std::u16string_view path, int profileOverride,
               FileSystem& files = DefaultFileSystem());

// The layout read from and written into a document in memory; the file
// functions above are built on these.
void ReadConfig(const IniDocument& document, DeviceConfig& config, int profileOverride);
void WriteConfig(IniDocument& document, const DeviceConfig& config);

// One profile section: "GROUP" for an index below 1, else "GROUP%d".
int SaveProfile(const ProfileConfig& profile, int index, std::u16string_view path,
                FileSystem& files = DefaultFileSystem());
int LoadProfile(ProfileConfig& profile, int index, std::u16string_view path,
                FileSystem& files = DefaultFileSystem());

// Only the four "DPI_INFO%d" blobs.
int LoadDpiStages(DeviceConfig& config, std::u16string_view path, FileSystem& files = DefaultFileSystem());

// Only "PollingRate" in section "Setting"; the rest of the file is kept as it
// is. Ok when the file holds the value afterwards; otherwise why it does not.
FileStatus SavePollingRate(std::int32_t value, std::u16string_view path, FileSystem& files = DefaultFileSystem());

std::u16string ProfileSectionName(int index);

}  // namespace perix
