#pragma once
// What perixctl prints about a configuration: one JSON model, rendered either
// as JSON or as text for a person, so both always say the same.

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/Defaults.h"
#include "config/DeviceConfig.h"
#include "macros/MacroListing.h"
#include "store/ConfigLayout.h"
#include "store/MacroFile.h"

namespace perixctl {

// Names a key stored as a HID usage; empty when it has no name.
using KeyNamer = std::function<std::string(std::uint8_t usage)>;

nlohmann::ordered_json DescribeConfig(const perix::DeviceConfig& config, const KeyNamer& keyName);
std::string RenderConfigText(const nlohmann::ordered_json& model);

// What validation found: the keys that could not be read (with what their
// fields hold now) and the repairs it made.
nlohmann::ordered_json DescribeValidation(const perix::DeviceConfig& config,
                                          const std::vector<perix::UnreadKey>& unread,
                                          const std::vector<perix::Repair>& repairs, const KeyNamer& keyName);
std::string RenderValidationText(const nlohmann::ordered_json& report);

nlohmann::ordered_json DescribeMacro(const perix::MacroRecordBuffer& buffer,
                                     const std::vector<perix::ActionLine>& lines, int loopTime);
std::string RenderMacroText(const nlohmann::ordered_json& macro);

}  // namespace perixctl
