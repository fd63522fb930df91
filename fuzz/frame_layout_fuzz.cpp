// Reads arbitrary bytes as a settings file holding the band layout, the tool
// bar options and the window placement, and checks that every bar is a band
// exactly once, that only button indices and separators are kept, and that
// what is written reads back the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/frame/band_layout.h"
#include "core/frame/standard_toolbar.h"
#include "core/frame/toolbar_options.h"
#include "core/frame/window_placement.h"
#include "fuzz_support.h"
#include "settings_file.h"

using tolvane::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tolvane::fuzz::SettingsFile file("frame_layout_fuzz");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tolvane::SettingsStore& settings = file.Holding(bytes);

  const tolvane::BandLayout layout = tolvane::BandLayout::Read(settings);
  std::set<int> ids;
  for (const tolvane::Band& band : layout.bands()) {
    Check(tolvane::IsFrameBar(band.id) && ids.insert(band.id).second);
    Check(band.cx >= 1 || band.cx == tolvane::Band::kOwnWidth);
  }
  Check(ids.size() == tolvane::FrameBars().size());

  const tolvane::ToolbarOptions options = tolvane::ToolbarOptions::Read(settings);
  const auto buttons = tolvane::StandardToolbar(options);
  Check(buttons.size() == options.icons.size());
  for (const tolvane::ToolbarButton& button : buttons) {
    Check(button.separator() || (button.command.value() != 0 && !button.name.empty()));
  }
  Check(tolvane::ParseToolbarIcons(tolvane::FormatToolbarIcons(options.icons)) == options.icons);

  if (const auto rect = tolvane::ReadWindowPlacement(settings)) Check(rect->cx > 0 && rect->cy > 0);

  // A file the settings store cannot rewrite (unstorable names) is left as
  // it is; otherwise what was written is what is read.
  if (layout.Write(settings)) {
    Check(tolvane::BandLayout::Read(settings).Describe() == layout.Describe());
  }
  if (options.Write(settings)) Check(tolvane::ToolbarOptions::Read(settings) == options);
  return 0;
}
