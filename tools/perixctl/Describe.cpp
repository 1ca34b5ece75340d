#include "Describe.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "config/FunctionCatalogue.h"
#include "performance/Dpi.h"
#include "performance/Lighting.h"
#include "text/Utf16.h"

namespace perixctl {
namespace {

using nlohmann::ordered_json;
using namespace perix;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string ColourText(std::uint32_t bgr) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  return text;
}

// The DPI of a level, or null when the level has none (a stage that was
// never loaded holds -1): such a stage is unset, not 0 DPI.
ordered_json DpiOrNull(std::int32_t level) {
  const int dpi = DpiFromLevel(level);
  return dpi == 0 ? ordered_json() : ordered_json(dpi);
}

ordered_json Stage(const DpiStage& stage, int number) {
  ordered_json j;
  j["stage"] = number;
  j["separateXY"] = stage.SeparateXY;
  j["level"] = stage.Level;
  j["dpi"] = DpiOrNull(stage.Level);
  j["levelX"] = stage.LevelX;
  j["dpiX"] = DpiOrNull(stage.LevelX);
  j["levelY"] = stage.LevelY;
  j["dpiY"] = DpiOrNull(stage.LevelY);
  return j;
}

std::string DpiText(const ordered_json& dpi) { return dpi.is_null() ? "unset" : std::to_string(dpi.get<int>()); }

// What a stage holds, in words: "800", "X 800 / Y 1200" or "unset".
std::string StageText(const ordered_json& stage) {
  if (stage["separateXY"] == 1) return "X " + DpiText(stage["dpiX"]) + " / Y " + DpiText(stage["dpiY"]);
  if (stage["separateXY"] != 0) return "unset";
  return DpiText(stage["dpi"]);
}

std::string ShootTargetText(std::uint8_t target, const KeyNamer& keyName) {
  switch (target) {
    case ShootTarget::Left: return "left button";
    case ShootTarget::Right: return "right button";
    case ShootTarget::Middle: return "middle button";
    case 0: return "nothing";
    default: break;
  }
  const std::string name = keyName(target);
  return "key " + (name.empty() ? Hex(target, 2) : name);
}

ordered_json Button(const ButtonAssignment& button, int number, const KeyNamer& keyName) {
  ordered_json j;
  j["button"] = number;
  j["code"] = button.FunctionCode;
  j["function"] = std::string(FunctionDescriptionOf(button.FunctionCode));
  j["captionKey"] = std::string(CaptionKeyOf(button.FunctionCode));
  switch (button.FunctionCode) {
    case FunctionCode::Key: {
      const std::uint8_t usage = button.Data[1];
      j["keyEntries"] = button.Param2;
      j["usage"] = usage;
      j["key"] = keyName(usage);
      j["release"] = (button.Data[0] & 0x80) != 0;
      break;
    }
    case FunctionCode::Macro: {
      const int mode = (button.Param2 & 0x80) ? 2 : (button.ButtonNumber == 0xFF ? 1 : 0);
      j["macro"] = Utf16ToUtf8(FixedToString(button.MacroName));
      j["libraryIndex"] = button.Param2 & 0x3F;
      j["playMode"] = mode;
      j["loopCount"] = button.Param1;
      break;
    }
    case FunctionCode::FireKey:
      j["fireCount"] = button.Param1;  // 0 = unlimited
      j["fireValue"] = button.Param2;
      j["fireSlider"] = button.Data[1];
      break;
    case FunctionCode::XShoot:
      j["shootFirst"] = button.Param1;
      j["shootSecond"] = button.Param2;
      j["shootTarget"] = button.Data[1];
      j["shootTargetName"] = ShootTargetText(button.Data[1], keyName);
      break;
    case FunctionCode::DpiShift:
      j["shiftLevel"] = button.Param1;
      j["shiftDpi"] = button.Param1 >= 1 && button.Param1 <= 4 ? button.Param1 * 250 : 0;
      break;
    default: break;
  }
  return j;
}

std::string ButtonText(const ordered_json& b) {
  const int code = b["code"];
  std::string function = b["function"];
  if (function.empty()) function = code == 0 ? "no function" : "code " + std::to_string(code);
  std::ostringstream out;
  switch (code) {
    case FunctionCode::Key: {
      std::string key = b["key"];
      const int usage = b["usage"];
      if (b["keyEntries"] == 0) {
        out << "key (none chosen)";
      } else {
        out << "key " << (key.empty() ? "without a name" : key) << " (usage " << Hex(usage, 2) << ")";
      }
      break;
    }
    case FunctionCode::Macro:
      out << "macro \"" << b["macro"].get<std::string>() << "\" (library entry " << b["libraryIndex"].get<int>() + 1
          << ", play mode " << b["playMode"] << ", loop " << b["loopCount"] << ")";
      break;
    case FunctionCode::FireKey: {
      const int count = b["fireCount"];
      out << "fire key: count " << (count == 0 ? std::string("unlimited") : std::to_string(count)) << ", value "
          << b["fireValue"] << ", slider " << b["fireSlider"];
      break;
    }
    case FunctionCode::XShoot:
      out << "X-shoot " << b["shootFirst"] << "/" << b["shootSecond"] << " with the "
          << b["shootTargetName"].get<std::string>();
      break;
    case FunctionCode::DpiShift:
      out << "temporary DPI level " << b["shiftLevel"] << " (" << b["shiftDpi"] << " DPI)";
      break;
    default: out << function; break;
  }
  return out.str();
}

std::string OnOff(int value) {
  if (value == kNotLoaded) return "unset";
  return value != 0 ? "on" : "off";
}

std::string Number(int value) { return value == kNotLoaded ? "unset" : std::to_string(value); }

}  // namespace

ordered_json DescribeConfig(const DeviceConfig& config, const KeyNamer& keyName) {
  ordered_json j;
  j["activeProfile"] = config.Profile;
  ordered_json rate;
  rate["intervalMs"] = config.PollingRate;
  rate["hz"] = PollingRateHz(config.PollingRate);
  j["pollingRate"] = rate;

  ordered_json dpi;
  dpi["activeStage"] = config.DPI;
  dpi["stages"] = ordered_json::array();
  for (int i = 0; i < kDpiStageCount; ++i) dpi["stages"].push_back(Stage(config.DpiStages[i], i + 1));
  j["dpi"] = dpi;

  ordered_json light;
  const LedModeSetting& first = config.LedModeSettings[0];
  light["on"] = config.LedStateOn;
  light["mode"] = config.LedMode;
  light["color"] = ColourText(config.LedColor);
  light["colorValue"] = config.LedColor;
  light["direction"] = first.Value1;
  light["brightnessStep"] = first.Value2;
  light["brightnessPercent"] = BrightnessPercent(first.Value2);
  light["speed"] = first.Value3;
  j["lighting"] = light;

  ordered_json pointer;
  pointer["accelerationEnabled"] = config.AccelerationEnabled;
  pointer["acceleration"] = config.Acceleration;
  pointer["doubleClickSpeed"] = config.DoubleClickSpeed;
  pointer["wheelScrollLines"] = config.WheelScrollLines;
  pointer["mouseSensitivity"] = config.MouseSensitivity;
  pointer["universalScrollEnabled"] = config.UniversalScrollEnabled;
  j["pointer"] = pointer;

  j["profiles"] = ordered_json::array();
  for (int p = 0; p < kProfileCount; ++p) {
    const ProfileConfig& profile = config.Profiles[p];
    ordered_json pj;
    pj["profile"] = p + 1;
    pj["name"] = Utf16ToUtf8(FixedToString(profile.Name));
    pj["dpiStage"] = profile.DPI;
    pj["buttons"] = ordered_json::array();
    for (int b = 0; b < kButtonCount; ++b) pj["buttons"].push_back(Button(profile.ButtonAssigned[b], b + 1, keyName));
    j["profiles"].push_back(pj);
  }
  return j;
}

std::string RenderConfigText(const ordered_json& m) {
  std::ostringstream out;
  const int active = m["activeProfile"];
  out << "Active profile   " << active + 1 << "\n";
  const int interval = m["pollingRate"]["intervalMs"];
  out << "Polling rate     ";
  if (m["pollingRate"]["hz"] == 0) {
    out << Number(interval) << "\n";
  } else {
    out << m["pollingRate"]["hz"] << " Hz (" << interval << " ms)\n";
  }

  const int activeStage = m["dpi"]["activeStage"];
  out << "DPI stages      ";
  for (const auto& stage : m["dpi"]["stages"]) {
    const int number = stage["stage"];
    out << " " << number << ": " << StageText(stage) << (number - 1 == activeStage ? "*" : "") << " ";
  }
  out << "\n";
  if (activeStage < 0 || activeStage >= kDpiStageCount) {
    out << "                 (no active stage: the stored index is " << activeStage << ")\n";
  } else {
    out << "                 (* active stage " << activeStage + 1 << ")\n";
  }

  const auto& light = m["lighting"];
  out << "Lighting         " << OnOff(light["on"]) << ", mode " << Number(light["mode"]) << ", colour "
      << light["color"].get<std::string>() << ", brightness " << light["brightnessPercent"] << " % (step "
      << Number(light["brightnessStep"]) << "), speed " << Number(light["speed"]) << ", direction "
      << Number(light["direction"]) << "\n";

  const auto& pointer = m["pointer"];
  out << "Pointer          acceleration " << OnOff(pointer["accelerationEnabled"]) << " (strength "
      << Number(pointer["acceleration"]) << "), double-click speed " << Number(pointer["doubleClickSpeed"])
      << ", wheel scroll lines " << Number(pointer["wheelScrollLines"]) << ", sensitivity "
      << Number(pointer["mouseSensitivity"]) << ", universal scroll " << OnOff(pointer["universalScrollEnabled"])
      << "\n";

  for (const auto& profile : m["profiles"]) {
    const int number = profile["profile"];
    out << "\nProfile " << number;
    const std::string name = profile["name"];
    if (!name.empty()) out << " \"" << name << "\"";
    if (number - 1 == active) out << " (active)";
    const int stage = profile["dpiStage"];
    out << ", DPI stage ";
    if (stage >= 0 && stage < kDpiStageCount) {
      const std::string dpi = StageText(m["dpi"]["stages"][static_cast<std::size_t>(stage)]);
      out << stage + 1 << " (" << dpi << (dpi == "unset" ? "" : " DPI") << ")\n";
    } else {
      out << "unset (stored index " << stage << ")\n";
    }
    for (const auto& button : profile["buttons"]) {
      out << "  Button " << button["button"] << "   " << ButtonText(button) << "\n";
    }
  }
  return out.str();
}

namespace {

int NumberAfter(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix) ? std::atoi(std::string(text.substr(prefix.size())).c_str()) : 0;
}

// What a field holds now, after the load and the validation, in words.
std::string HeldNow(const DeviceConfig& config, const UnreadKey& unread, const KeyNamer& keyName) {
  const std::string section = Utf16ToUtf8(unread.section);
  const std::string key = Utf16ToUtf8(unread.key);
  if (const int stage = NumberAfter(key, "DPI_INFO"); stage >= 1 && stage <= kDpiStageCount) {
    return StageText(Stage(config.DpiStages[stage - 1], stage));
  }
  if (const int mode = NumberAfter(key, "LED_MODE_INFO"); mode >= 1 && mode <= kLedModeSettingCount) {
    const LedModeSetting& led = config.LedModeSettings[mode - 1];
    if (led.Value1 == kNotLoaded && led.Value2 == kNotLoaded && led.Value3 == kNotLoaded) return "unset";
    return std::to_string(led.Value1) + ", " + std::to_string(led.Value2) + ", " + std::to_string(led.Value3);
  }
  if (const int button = NumberAfter(key, "ButtonAssigned"); button >= 1 && button <= kButtonCount) {
    const int profile = section == "GROUP" ? 0 : NumberAfter(section, "GROUP");
    if (profile < 0 || profile >= kProfileCount) return "?";
    return ButtonText(Button(config.Profiles[profile].ButtonAssigned[button - 1], button, keyName));
  }
  if (const auto value = LayoutIntValue(config, unread.section, unread.key)) return Number(*value);
  return "?";
}

}  // namespace

ordered_json DescribeValidation(const DeviceConfig& config, const std::vector<UnreadKey>& unread,
                                const std::vector<Repair>& repairs, const KeyNamer& keyName) {
  ordered_json j;
  j["unread"] = ordered_json::array();
  for (const UnreadKey& each : unread) {
    ordered_json u;
    u["section"] = Utf16ToUtf8(each.section);
    u["key"] = Utf16ToUtf8(each.key);
    u["reason"] = Utf16ToUtf8(each.reason);
    u["now"] = HeldNow(config, each, keyName);
    j["unread"].push_back(u);
  }
  j["repairs"] = ordered_json::array();
  for (const Repair& repair : repairs) {
    ordered_json r;
    r["field"] = repair.field;
    r["old"] = repair.oldValue;
    r["new"] = repair.newValue;
    j["repairs"].push_back(r);
  }
  return j;
}

std::string RenderValidationText(const ordered_json& report) {
  const auto& unread = report["unread"];
  const auto& repairs = report["repairs"];
  std::ostringstream out;
  if (!unread.empty()) {
    out << unread.size() << (unread.size() == 1 ? " field" : " fields") << " could not be read:\n";
    for (const auto& u : unread) {
      out << "  [" << u["section"].get<std::string>() << "] " << u["key"].get<std::string>() << ": "
          << u["reason"].get<std::string>() << "; now " << u["now"].get<std::string>() << "\n";
    }
  }
  if (repairs.empty()) {
    out << (unread.empty() ? "No repairs needed.\n" : "Validation repairs nothing else.\n");
    return out.str();
  }
  out << repairs.size() << (repairs.size() == 1 ? " repair:\n" : " repairs:\n");
  for (const auto& r : repairs) {
    out << "  " << r["field"].get<std::string>() << ": " << r["old"] << " -> " << r["new"] << "\n";
  }
  return out.str();
}

namespace {

// English stand-ins for lines whose words come from a string file that was
// not given.
std::string FallbackText(const MacroRecord& record) {
  switch (record.KindOf()) {
    case MacroKind::MouseButton:
      switch (record.Operand1) {
        case 1: return "left button";
        case 2: return "right button";
        case 4: return "middle button";
        default: return "mouse button " + std::to_string(record.Operand1);
      }
    case MacroKind::MouseMove: {
      static const char* const kNames[] = {"no movement", "move left", "move right", "move up", "move down"};
      const MoveStep step = ReadMoveStep(record);
      return std::string(kNames[static_cast<int>(step.direction)]) + " : " + std::to_string(step.distance);
    }
    case MacroKind::Key: {
      char text[24];
      std::snprintf(text, sizeof text, "key with usage 0x%02X", record.Operand1);
      return text;
    }
    case MacroKind::Delay: break;
  }
  return {};
}

const char* KindWord(int marker) {
  switch (marker) {
    case ActionMarker::Press: return "press";
    case ActionMarker::Release: return "release";
    case ActionMarker::Movement: return "move";
    default: return "pause";
  }
}

}  // namespace

ordered_json DescribeMacro(const MacroRecordBuffer& buffer, const std::vector<ActionLine>& lines, int loopTime) {
  ordered_json j;
  j["loopTime"] = loopTime;
  j["actionCount"] = lines.size();
  j["totalPauseMs"] = TotalPauseMilliseconds(buffer);
  j["actions"] = ordered_json::array();
  std::size_t line = 0;
  for (const MacroRecord& record : buffer.Records) {
    if (record.IsEmpty() || !record.IsKnownKind() || line >= lines.size()) continue;
    ordered_json a;
    std::string text = Utf16ToUtf8(lines[line].text);
    const bool wordsMissing = text.empty() || text.starts_with(" : ");
    a["kind"] = KindWord(lines[line].marker);
    a["text"] = wordsMissing ? FallbackText(record) : text;
    a["record"] = {record.Kind, record.Operand1, record.Operand2};
    j["actions"].push_back(a);
    ++line;
  }
  return j;
}

std::string RenderMacroText(const ordered_json& macro) {
  std::ostringstream out;
  const int loop = macro["loopTime"];
  out << macro["actionCount"] << " actions, total pause " << macro["totalPauseMs"] << " ms, "
      << (loop == 0 ? std::string("loop off") : "loop " + std::to_string(loop) + " times") << "\n";
  int number = 1;
  for (const auto& action : macro["actions"]) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "  %2d  %-8s", number++, action["kind"].get<std::string>().c_str());
    out << prefix << action["text"].get<std::string>() << "\n";
  }
  return out.str();
}

}  // namespace perixctl
