#pragma once

#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"

namespace tolvane::testing {

// A document in a fresh data directory and the fakes a tab workspace runs
// on, for fixtures that build a workspace (or a window core) over the real
// stores. Not loaded: the fixture calls doc_.OnNewDocument().
struct DocWorld {
  TempDir dir_;
  PosixEnv env_{dir_.path()};
  SettingsStore settings_{dir_ / "vq_system.ini", env_};
  FakeClock clock_;
  CTolvaneDoc doc_{dir_.path(), settings_, env_, clock_};
  FakeTimerFactory timers_;
  FakePrompter prompter_;
  Controls controls_;
  FakeProbe probe_;
  NullBoxes boxes_;
  RecordingView view_;
};

}  // namespace tolvane::testing
