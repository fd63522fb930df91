#pragma once

#include <optional>
#include <string>

#include "core/commands/command_id.h"

namespace tolvane {

// The zoom and text-size commands of the page, as values: what the active
// page is set to for a command, given what it reports now. A page that
// reports no zoom or text size (kUnknown) has these commands disabled, so
// they give nothing then.
namespace page_zoom {

inline constexpr int kUnknown = -1;
// Zoom in and out move by kStep while the zoom is below kMaxStepped / above
// kMinStepped.
inline constexpr int kStep = 10;
inline constexpr int kMinStepped = 10;
inline constexpr int kMaxStepped = 1000;
// Text sizes 0 (smallest) … 4 (largest).
inline constexpr int kLargestTextSize = 4;

// The zoom (percent) a zoom command (zoom in/out, the seven presets
// 400 … 50, the cycle 100 → 125 → 150 → 100) sets from `current`; nothing
// for another command, an unknown zoom, or a step past the limits.
std::optional<int> ZoomFor(CommandId command, int current);
// The preset carrying the radio mark at this zoom, if one matches.
std::optional<CommandId> CheckedZoomPreset(int current);

// Ctrl alone with the wheel: zoom in away from the user (positive delta),
// out toward the user; nothing without Ctrl alone or with an unknown zoom.
std::optional<CommandId> WheelZoomCommand(int wheel_delta, bool ctrl_alone, int current);

// The text size (0..4) a text-size command sets; nothing for another
// command or while the page reports no text size.
std::optional<int> TextSizeFor(CommandId command, int current);
// The text-size command carrying the check mark at this size.
std::optional<CommandId> CheckedTextSize(int current);

// The zoom pane: "125%"; empty while the zoom is unknown.
std::string ZoomPaneText(int current);

}  // namespace page_zoom
}  // namespace tolvane
