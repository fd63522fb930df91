#include "core/frame/band_layout.h"

#include <algorithm>
#include <cstdio>

#include "core/commands/command_id.h"
#include "core/files/setting_keys.h"

namespace tolvane {

static_assert(settings::kToolBarSummaryNumToolBars.max_value == BandLayout::kMaxStoredBands);

const std::vector<FrameBar>& FrameBars() {
  static const std::vector<FrameBar> bars = {
      {frame_bar::kMenuBar, command::kToggleMenuBar},
      {frame_bar::kStandardButtons, command::kStandardButtons},
      {frame_bar::kAddressBar, command::kAddressBarToggle},
      {frame_bar::kSearchBar, command::kSearchBarToggle},
      {frame_bar::kFavoritesBar, command::kFavoritesBarToggle},
      {frame_bar::kKeywordBar, command::kKeywordBarToggle},
      {frame_bar::kHistoryBar, command::kHistoryBarToggle},
  };
  return bars;
}

bool IsFrameBar(int id) {
  return std::ranges::any_of(FrameBars(), [id](const FrameBar& bar) { return bar.id == id; });
}

int BandLayout::DefaultWidth(int id) {
  return id == frame_bar::kAddressBar ? kAddressBarDefaultWidth : Band::kOwnWidth;
}

int BandLayout::InsertStyle(int stored_style, bool fixed) {
  const int without_gripper = stored_style & ~(Band::kStyleGripper | Band::kStyleNoGripper);
  return without_gripper | (fixed ? Band::kStyleNoGripper : Band::kStyleGripper) |
         Band::kStyleChevron;
}

BandLayout BandLayout::BuiltIn() {
  BandLayout layout;
  layout.SetBands({});
  return layout;
}

void BandLayout::SetBands(const std::vector<Band>& bands) {
  bands_.clear();
  for (Band band : bands) {
    if (!IsFrameBar(band.id)) continue;
    if (std::ranges::any_of(bands_, [&](const Band& b) { return b.id == band.id; })) continue;
    if (band.cx < 1) band.cx = DefaultWidth(band.id);
    bands_.push_back(band);
  }
  for (const FrameBar& bar : FrameBars()) {
    if (std::ranges::none_of(bands_, [&](const Band& b) { return b.id == bar.id; })) {
      bands_.push_back({bar.id, DefaultWidth(bar.id), 0});
    }
  }
}

BandLayout BandLayout::Read(const SettingsStore& settings) {
  BandLayout layout;
  layout.status_bar_shown_ = tolvane::Read(settings, settings::kStatusBarShow) != 0;
  const int count = tolvane::Read(settings, settings::kToolBarSummaryNumToolBars);
  std::vector<Band> stored;
  for (int i = 0; i < count; ++i) {
    const SettingsSection section = settings.ReadSection(settings::ToolBarInfoSection(i));
    Band band;
    band.id = section.GetInt(settings::kToolBarInfoIdKey, 0);
    band.cx = section.GetInt(settings::kToolBarInfoCxKey, Band::kOwnWidth);
    band.style = section.GetInt(settings::kToolBarInfoStyleKey, 0);
    stored.push_back(band);
  }
  layout.SetBands(stored);
  return layout;
}

bool BandLayout::Write(SettingsStore& settings) const {
  bool ok = true;
  const int old_count = tolvane::Read(settings, settings::kToolBarSummaryNumToolBars);
  const int count = static_cast<int>(bands_.size());
  for (int i = 0; i < count; ++i) {
    const Band& band = bands_[static_cast<std::size_t>(i)];
    const auto line = [](std::string_view key, int value) {
      return std::string(key) + "=" + std::to_string(value);
    };
    ok &= settings.WriteSection(
        settings::ToolBarInfoSection(i),
        {line(settings::kToolBarInfoIdKey, band.id), line(settings::kToolBarInfoCxKey, band.cx),
         line(settings::kToolBarInfoStyleKey, band.style)});
  }
  for (int i = count; i < old_count; ++i) {
    ok &= settings.DeleteSection(settings::ToolBarInfoSection(i));
  }
  ok &= tolvane::Write(settings, settings::kToolBarSummaryNumToolBars, count);
  ok &= tolvane::Write(settings, settings::kStatusBarShow, status_bar_shown_ ? 1 : 0);
  return ok;
}

std::string BandLayout::Describe() const {
  std::string text;
  for (const Band& band : bands_) {
    char style[16];
    std::snprintf(style, sizeof style, "0x%x", static_cast<unsigned>(band.style));
    text += std::to_string(band.id) + ":" +
            (band.cx == Band::kOwnWidth ? std::string("own") : std::to_string(band.cx)) + ":" +
            style + " ";
  }
  return text + (status_bar_shown_ ? "| status" : "| no status");
}

}  // namespace tolvane
