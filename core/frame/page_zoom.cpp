#include "core/frame/page_zoom.h"

#include <array>

#include "core/commands/command_id.h"

namespace tolvane::page_zoom {
namespace {

// The presets in command order from command::kZoomPresetFirst.
constexpr std::array<int, 7> kPresets = {400, 200, 150, 125, 100, 75, 50};
constexpr std::array<int, 3> kCycle = {100, 125, 150};

}  // namespace

std::optional<int> ZoomFor(CommandId command, int current) {
  if (current == kUnknown) return std::nullopt;
  if (command == command::kZoomIn) {
    if (current < kMaxStepped) return current + kStep;
    return std::nullopt;
  }
  if (command == command::kZoomOut) {
    if (current > kMinStepped) return current - kStep;
    return std::nullopt;
  }
  if (command >= command::kZoomPresetFirst && command <= command::kZoomPresetLast) {
    return kPresets[static_cast<std::size_t>(command.value() - command::kZoomPresetFirst.value())];
  }
  if (command == command::kZoomCycle) {
    for (int step : kCycle) {
      if (step > current) return step;
    }
    return kCycle.front();
  }
  return std::nullopt;
}

std::optional<CommandId> CheckedZoomPreset(int current) {
  for (std::size_t i = 0; i < kPresets.size(); ++i) {
    if (kPresets[i] == current) {
      return CommandId(command::kZoomPresetFirst.value() + static_cast<int>(i));
    }
  }
  return std::nullopt;
}

std::optional<CommandId> WheelZoomCommand(int wheel_delta, bool ctrl_alone, int current) {
  if (!ctrl_alone || current == kUnknown) return std::nullopt;
  return wheel_delta > 0 ? command::kZoomIn : command::kZoomOut;
}

std::optional<int> TextSizeFor(CommandId command, int current) {
  if (current == kUnknown || command < command::kTextSizeSmallest ||
      command > command::kTextSizeLargest) {
    return std::nullopt;
  }
  return command.value() - command::kTextSizeSmallest.value();
}

std::optional<CommandId> CheckedTextSize(int current) {
  if (current < 0 || current > kLargestTextSize) return std::nullopt;
  return CommandId(command::kTextSizeSmallest.value() + current);
}

std::string ZoomPaneText(int current) {
  if (current == kUnknown) return {};
  return std::to_string(current) + "%";
}

}  // namespace tolvane::page_zoom
