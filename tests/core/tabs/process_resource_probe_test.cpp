#include "platform/process_resource_probe.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <limits>

namespace tolvane {
namespace {

using Probe = ProcessResourceProbe;

TEST(ProcessResourceProbeTest, AmpleInAnOrdinaryProcessAndCountsDescriptors) {
  Probe probe;
  EXPECT_TRUE(probe.Ample());
  const auto before = Probe::OpenFileCount();
  ASSERT_TRUE(before.has_value());
  const int fd = open("/proc/self/statm", O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(Probe::OpenFileCount(), *before + 1);
  close(fd);
  EXPECT_GT(Probe::VirtualSize().value_or(0), 0u);
}

TEST(ProcessResourceProbeTest, LimitShareAndStatm) {
  constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
  EXPECT_TRUE(Probe::Within(800, 1000));
  EXPECT_FALSE(Probe::Within(801, 1000));
  EXPECT_TRUE(Probe::Within(0, 0));
  EXPECT_FALSE(Probe::Within(1, 1));
  EXPECT_TRUE(Probe::Within(kMax / 10 * 8 - 100, kMax));  // no overflow
  EXPECT_FALSE(Probe::Within(kMax, kMax));

  EXPECT_EQ(Probe::ParseStatmPages("12345 678 9 1 0 2 0\n"), 12345u);
  EXPECT_EQ(Probe::ParseStatmPages(""), std::nullopt);
  EXPECT_EQ(Probe::ParseStatmPages("x 1"), std::nullopt);
}

}  // namespace
}  // namespace tolvane
