// Dispatching a key and a gesture to its command. A key goes through the
// accelerator table; a gesture through the dispatcher, which first looks at
// 200 engines, 20 engine folders, 100 tabs and 10 tab folders (none owns it)
// and then at the gestures of the 79 commands, the worst case. Next to each,
// a plain map lookup of the same binding or text as the baseline.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/commands/accelerator_table.h"
#include "core/commands/command_dispatcher.h"
#include "core/commands/command_table.h"
#include "core/commands/gesture_recognizer.h"
#include "core/commands/key_name_table.h"
#include "core/text/charset_converter.h"

namespace {

using tolvane::CommandId;
using tolvane::OwnerType;

class Owners : public tolvane::ShortcutOwners {
 public:
  Owners() {
    auto fill = [](std::vector<std::string>& fields, int count) {
      for (int i = 0; i < count; ++i) {
        fields.push_back(tolvane::Utf8ToSjis(i % 2 ? "↑→↓,↓↓↑" : "←↑→") + std::to_string(i));
      }
    };
    fill(fields_[0], 20);
    fill(fields_[1], 200);
    fill(fields_[2], 10);
    fill(fields_[3], 100);
  }
  int OwnerCount(OwnerType type) const override {
    return static_cast<int>(fields_[static_cast<int>(type)].size());
  }
  std::string_view OwnerField(OwnerType type, int index, tolvane::MatchKind) const override {
    return fields_[static_cast<int>(type)][index];
  }
  void RunOwner(OwnerType, int) override { std::abort(); }
  void RunCommand(CommandId id) override { last = id; }

  CommandId last;

 private:
  std::vector<std::string> fields_[4];
};

const tolvane::CommandTable& Table() {
  static const tolvane::CommandTable table;
  return table;
}

void BM_KeyToCommand(benchmark::State& state) {
  const tolvane::AcceleratorTable accelerators(Table());
  const tolvane::KeyBinding ctrl_tab{tolvane::modifier::kCtrl, tolvane::vk::kTab};
  for (auto _ : state) {
    auto id = accelerators.Find(ctrl_tab);
    if (!id) std::abort();
    benchmark::DoNotOptimize(id);
  }
}
BENCHMARK(BM_KeyToCommand);

void BM_KeyBaselineMap(benchmark::State& state) {
  std::map<std::pair<int, int>, int> keys;
  for (const auto& entry : Table().entries()) {
    for (const auto& key : entry.keys)
      keys.emplace(std::pair{key.modifiers, key.key}, entry.id.value());
  }
  const std::pair<int, int> ctrl_tab{tolvane::modifier::kCtrl, tolvane::vk::kTab};
  for (auto _ : state) {
    auto it = keys.find(ctrl_tab);
    if (it == keys.end()) std::abort();
    benchmark::DoNotOptimize(it->second);
  }
}
BENCHMARK(BM_KeyBaselineMap);

void BM_GestureToCommand(benchmark::State& state) {
  Owners owners;
  const tolvane::CommandDispatcher dispatcher(Table(), owners);
  // The first alternative of 32844, near the end of the table.
  const std::string gesture = tolvane::Utf8ToSjis("←←→→");
  for (auto _ : state) {
    if (!dispatcher.Dispatch(tolvane::MatchKind::kGesture, gesture, false)) std::abort();
    benchmark::DoNotOptimize(owners.last);
  }
}
BENCHMARK(BM_GestureToCommand);

// Recognising a drawn "←←→→" from 80 mouse moves, then dispatching it.
void BM_DrawnGestureToCommand(benchmark::State& state) {
  Owners owners;
  const tolvane::CommandDispatcher dispatcher(Table(), owners);
  tolvane::GestureRecognizer recognizer;
  for (auto _ : state) {
    recognizer.OnRightDown({1000, 500}, true);
    for (int x = 1000; x >= 400; x -= 15) recognizer.OnMouseMove({x, 500});
    for (int x = 400; x <= 1000; x += 15) recognizer.OnMouseMove({x, 500});
    const auto release = recognizer.OnRightUp();
    if (!dispatcher.Dispatch(tolvane::MatchKind::kGesture, release.gesture, false)) std::abort();
    benchmark::DoNotOptimize(owners.last);
  }
}
BENCHMARK(BM_DrawnGestureToCommand);

void BM_GestureBaselineMap(benchmark::State& state) {
  std::unordered_map<std::string, int> gestures;
  for (const auto& entry : Table().entries()) {
    if (!entry.gestures.empty()) gestures.emplace(entry.gestures, entry.id.value());
  }
  const std::string gesture = tolvane::Utf8ToSjis("←←→→,→→←←");
  for (auto _ : state) {
    auto it = gestures.find(gesture);
    if (it == gestures.end()) std::abort();
    benchmark::DoNotOptimize(it->second);
  }
}
BENCHMARK(BM_GestureBaselineMap);

}  // namespace

BENCHMARK_MAIN();
