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
#include "store/MacroFile.h"

namespace perixctl {

// Names a key stored as a HID usage; empty when it has no name.
using KeyNamer = std::function<std::string(std::uint8_t usage)>;

nlohmann::ordered_json DescribeConfig(const perix::DeviceConfig& config, const KeyNamer& keyName);
std::string RenderConfigText(const nlohmann::ordered_json& model);

nlohmann::ordered_json DescribeRepairs(const std::vector<perix::Repair>& repairs);
std::string RenderRepairsText(const nlohmann::ordered_json& repairs);

nlohmann::ordered_json DescribeMacro(const perix::MacroRecordBuffer& buffer,
                                     const std::vector<perix::ActionLine>& lines, int loopTime);
std::string RenderMacroText(const nlohmann::ordered_json& macro);

}  // namespace perixctl
