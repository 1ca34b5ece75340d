#pragma once

#include <optional>
#include <string>

namespace perix {

// The current user's roaming application-data folder, created when missing,
// without a trailing separator; nothing when the system cannot name one.
std::optional<std::u16string> RoamingAppDataFolder();

}  // namespace perix
