#pragma once

#include "core/commands/command_handler.h"

namespace tolvane {

class SettingsStore;

// What the frame's own commands need of the main window.
class FrameWindow {
 public:
  virtual ~FrameWindow() = default;

  // Whether bar `id` (frame_bar::k…, the status bar included) exists in
  // this window and whether it is shown.
  virtual bool HasBar(int id) const = 0;
  virtual bool BarShown(int id) const = 0;
  virtual void ShowBar(int id, bool shown) = 0;
  // Grippers off and bands held in place, or the other way round.
  virtual void FixBands(bool fixed) = 0;
  virtual bool FullScreen() const = 0;
  virtual void SetFullScreen(bool on) = 0;
  virtual void Minimize() = 0;
  virtual void ShowAbout() = 0;
  // Closes the window the way its close box does (the exit dialog may ask).
  virtual void Close() = 0;
};

// The frame's own commands: the bar toggles (the bar ids 59392–59399
// themselves and the menu's 32776–32781), fixing the bands (the setting
// "OptionToolBar"/"FixToolBar", written at once), full screen 32798,
// minimising, about and exit. A toggle whose bar the window lacks is disabled.
class FrameCommands : public CommandRows<FrameCommands> {
 public:
  FrameCommands(FrameWindow& window, SettingsStore& settings);

  // The bar a toggle command shows and hides; 0 for another command.
  static int BarOfCommand(CommandId id);

 private:
  void ToggleBar(const CommandContext& context);
  bool HasBar(const CommandContext& context) const;
  bool BarShown(const CommandContext& context) const;
  void ToggleFixed(const CommandContext& context);
  bool Fixed(const CommandContext& context) const;
  void ToggleFullScreen(const CommandContext& context);
  bool InFullScreen(const CommandContext& context) const;
  void Minimize(const CommandContext& context);
  void About(const CommandContext& context);
  void Exit(const CommandContext& context);

  static const Row kRows[];

  FrameWindow& window_;
  SettingsStore& settings_;
};

}  // namespace tolvane
