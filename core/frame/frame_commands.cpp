#include "core/frame/frame_commands.h"

#include "core/files/setting_keys.h"
#include "core/frame/band_layout.h"

namespace tolvane {

const FrameCommands::Row FrameCommands::kRows[] = {
    {CommandId(frame_bar::kStandardButtons), CommandId(frame_bar::kHistoryBar),
     &FrameCommands::ToggleBar, &FrameCommands::HasBar, &FrameCommands::BarShown},
    {command::kToggleMenuBar, command::kHistoryBarToggle, &FrameCommands::ToggleBar,
     &FrameCommands::HasBar, &FrameCommands::BarShown},
    {command::kFixBands, &FrameCommands::ToggleFixed, nullptr, &FrameCommands::Fixed},
    {command::kFullScreen, &FrameCommands::ToggleFullScreen, nullptr, &FrameCommands::InFullScreen},
    {command::kMinimize, &FrameCommands::Minimize},
    {command::kAbout, &FrameCommands::About},
    {command::kExit, &FrameCommands::Exit},
};

FrameCommands::FrameCommands(FrameWindow& window, SettingsStore& settings)
    : CommandRows(kRows), window_(window), settings_(settings) {}

int FrameCommands::BarOfCommand(CommandId id) {
  if (CommandId(frame_bar::kStandardButtons) <= id && id <= CommandId(frame_bar::kHistoryBar)) {
    return id.value();
  }
  for (const FrameBar& bar : FrameBars()) {
    if (bar.toggle == id) return bar.id;
  }
  return 0;
}

void FrameCommands::ToggleBar(const CommandContext& context) {
  const int bar = BarOfCommand(context.command);
  window_.ShowBar(bar, !window_.BarShown(bar));
}

bool FrameCommands::HasBar(const CommandContext& context) const {
  return window_.HasBar(BarOfCommand(context.command));
}

bool FrameCommands::BarShown(const CommandContext& context) const {
  return window_.BarShown(BarOfCommand(context.command));
}

void FrameCommands::ToggleFixed(const CommandContext& context) {
  const bool fixed = !Fixed(context);
  Write(settings_, settings::kToolBarFixToolBar, fixed ? 1 : 0);
  window_.FixBands(fixed);
}

bool FrameCommands::Fixed(const CommandContext&) const {
  return Read(settings_, settings::kToolBarFixToolBar) != 0;
}

void FrameCommands::ToggleFullScreen(const CommandContext&) {
  window_.SetFullScreen(!window_.FullScreen());
}

bool FrameCommands::InFullScreen(const CommandContext&) const { return window_.FullScreen(); }

void FrameCommands::Minimize(const CommandContext&) { window_.Minimize(); }

void FrameCommands::About(const CommandContext&) { window_.ShowAbout(); }

void FrameCommands::Exit(const CommandContext&) { window_.Close(); }

}  // namespace tolvane
