#include "core/commands/command_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

// A subject with one plain command, one check item and a numbered range.
class Subject : public CommandRows<Subject> {
 public:
  Subject() : CommandRows(kRows) {}

  void Back(const CommandContext& context) {
    log += "back@" + std::to_string(context.category) + ";";
  }
  bool CanGoBack(const CommandContext&) const { return can_go_back; }
  void ToggleBar(const CommandContext&) { bar_shown = !bar_shown; }
  bool BarShown(const CommandContext&) const { return bar_shown; }
  void Group(const CommandContext& context) {
    log += "group" + std::to_string(context.offset) + ";";
  }

  static constexpr Row kRows[] = {
      {CommandId(32791), &Subject::Back, &Subject::CanGoBack},
      {CommandId(59396), &Subject::ToggleBar, nullptr, &Subject::BarShown},
      {CommandId(34600), CommandId(34699), &Subject::Group},
  };

  std::string log;
  bool can_go_back = true;
  bool bar_shown = false;
};

class Other : public CommandRows<Other> {
 public:
  Other() : CommandRows(kRows) {}
  void Run650(const CommandContext&) {}
  static constexpr Row kRows[] = {{CommandId(34650), &Other::Run650}};
};

TEST(CommandRouterTest, RunsAndReportsStateThroughOneRowPerCommand) {
  Subject subject;
  CommandRouter router;
  ASSERT_TRUE(router.Add(subject));

  CommandContext context;
  context.category = 2;
  EXPECT_TRUE(router.Run(CommandId(32791), context));
  EXPECT_TRUE(router.Run(CommandId(34612)));
  EXPECT_TRUE(router.Run(CommandId(59396)));
  EXPECT_EQ(subject.log, "back@2;group12;");
  EXPECT_TRUE(router.State(CommandId(59396)).checked);

  // A disabled command is not run; an unknown one is disabled.
  subject.can_go_back = false;
  EXPECT_FALSE(router.Run(CommandId(32791)));
  EXPECT_FALSE(router.State(CommandId(32791)).enabled);
  EXPECT_FALSE(router.Run(CommandId(34700)));
  EXPECT_FALSE(router.State(CommandId(34599)).enabled);
  EXPECT_EQ(subject.log, "back@2;group12;");

  // A second owner of a number is refused whole; removal frees the numbers.
  Other other;
  EXPECT_FALSE(router.Add(other));
  EXPECT_EQ(router.refused(), std::vector<CommandId>{CommandId(34650)});
  EXPECT_TRUE(router.Run(CommandId(34650)));
  EXPECT_EQ(subject.log, "back@2;group12;group50;");
  router.Remove(subject);
  EXPECT_FALSE(router.Handles(CommandId(32791)));
  EXPECT_TRUE(router.Add(other));
  EXPECT_TRUE(router.Run(CommandId(34650)));
}

}  // namespace
}  // namespace tolvane
