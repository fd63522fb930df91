#pragma once

#include "core/commands/command_id.h"

namespace tolvane {

// Commands of the main frame's bars, address bar and page view that the
// default command table does not list. The numbers are the system's own.
namespace frame_command {
// Toggles of the bars (the standard buttons and the status bar toggle with
// their own child ids).
inline constexpr CommandId kStandardButtons{59392};
inline constexpr CommandId kStatusBar{59393};
inline constexpr CommandId kAddressBarToggle{32777};
inline constexpr CommandId kSearchBarToggle{32778};
inline constexpr CommandId kFavoritesBarToggle{32779};
inline constexpr CommandId kKeywordBarToggle{32780};
inline constexpr CommandId kHistoryBarToggle{32781};
// The address bar: open the typed address in the active page, or search
// with it as a keyword.
inline constexpr CommandId kNavigate{32807};
inline constexpr CommandId kAddressBarSearch{32927};
// Standard buttons not in the command table.
inline constexpr CommandId kPageClip{32812};
inline constexpr CommandId kClosePage{32806};
// Text size, smallest to largest (five steps).
inline constexpr CommandId kTextSizeSmallest{32819};
inline constexpr CommandId kTextSizeLargest{32823};
// Zoom: the cycle of the zoom pane, the presets 400 % … 50 %, the dialog.
inline constexpr CommandId kZoomCycle{32830};
inline constexpr CommandId kZoomPresetFirst{32834};
inline constexpr CommandId kZoomPresetLast{32840};
inline constexpr CommandId kZoomCustom{32841};
// The page's encodings, as the encoding menu numbers them.
inline constexpr CommandId kEncodingFirst{3609};
inline constexpr CommandId kEncodingLast{3699};
}  // namespace frame_command

}  // namespace tolvane
