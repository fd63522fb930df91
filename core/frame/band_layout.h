#pragma once

#include <string>
#include <vector>

#include "core/commands/command_id.h"
#include "core/files/settings_store.h"

namespace tolvane {

// One bar of the main frame that can be a band, with the command that shows
// and hides it.
struct FrameBar {
  int id;  // the bar's child id, what the stored layout names
  CommandId toggle;
};

// The bars that are bands, in their built-in order: menu bar, standard
// buttons, address bar, search bar, favorites bar, keyword bar, history bar.
const std::vector<FrameBar>& FrameBars();
bool IsFrameBar(int id);

namespace frame_bar {
inline constexpr int kStandardButtons = 59392;
inline constexpr int kStatusBar = 59393;  // not a band: shown below the view
inline constexpr int kMenuBar = 59394;
inline constexpr int kAddressBar = 59395;
inline constexpr int kSearchBar = 59396;
inline constexpr int kFavoritesBar = 59397;
inline constexpr int kKeywordBar = 59398;
inline constexpr int kHistoryBar = 59399;
}  // namespace frame_bar

// One band as stored: which bar, its width and its style bits.
struct Band {
  // Width meaning "the bar's own width" (the bar sizes itself).
  static constexpr int kOwnWidth = -1;

  int id = 0;
  int cx = kOwnWidth;
  int style = 0;

  // The style bits the frame reads besides the gripper and chevron bits.
  static constexpr int kStyleBreak = 0x1;  // the band starts a new row
  static constexpr int kStyleHidden = 0x8;
  static constexpr int kStyleGripper = 0x80;
  static constexpr int kStyleNoGripper = 0x100;
  static constexpr int kStyleChevron = 0x200;

  bool hidden() const { return (style & kStyleHidden) != 0; }
  bool starts_row() const { return (style & kStyleBreak) != 0; }

  friend bool operator==(const Band&, const Band&) = default;
};

// The bands of the main frame in order, and whether the status bar shows:
// sections "ToolBarSummary", "ToolBarInfo<i>" (ID, cx, Style) and
// "StatusBar" of vq_system.ini.
//
// Every bar is a band exactly once. Reading ignores a section whose ID names
// no bar or a bar already placed, and a width below 1; bars the stored
// layout leaves out follow the stored ones in built-in order, shown. No
// stored layout (NumToolBars below 1) gives the built-in order. Example, with
// NumToolBars=2, ToolBarInfo0 ID=59395 cx=300 Style=9, ToolBarInfo1 ID=1:
//   59395:300:0x9 59394:own:0x0 59392:own:0x0 59396:own:0x0 ... | status
class BandLayout {
 public:
  // At most this many "ToolBarInfo<i>" sections are read: a frame writes
  // one per bar, so a larger count is damage, not bands (the bound of
  // NumToolBars).
  static constexpr int kMaxStoredBands = 16;
  static constexpr int kAddressBarDefaultWidth = 100;
  // Limits of every band's child.
  static constexpr int kMinChildWidth = 100;
  static constexpr int kMinChildHeight = 24;

  static BandLayout BuiltIn();
  static BandLayout Read(const SettingsStore& settings);
  // Writes one section per band, NumToolBars and StatusBar/Show, and drops
  // the sections of an earlier, longer layout. False when a write failed.
  bool Write(SettingsStore& settings) const;

  const std::vector<Band>& bands() const { return bands_; }
  // The frame's bands as they are now; the same rules as reading apply.
  void SetBands(const std::vector<Band>& bands);

  bool status_bar_shown() const { return status_bar_shown_; }
  void set_status_bar_shown(bool shown) { status_bar_shown_ = shown; }

  // The width a band gets when none is stored.
  static int DefaultWidth(int id);
  // The style a band is inserted with: the stored style with the gripper
  // bits replaced (none when the bands are fixed, else always) and the
  // chevron always on.
  static int InsertStyle(int stored_style, bool fixed);

  // "id:cx:style ... | status" or "| no status" (cx "own" for kOwnWidth).
  std::string Describe() const;

 private:
  std::vector<Band> bands_;
  bool status_bar_shown_ = true;
};

}  // namespace tolvane
