#include <gtest/gtest.h>

#include <cstdint>

#include "platform/clock.h"
#include "platform/headless.h"

namespace {

struct PastCase {
  std::uint32_t now;
  std::int32_t deadline;
  std::int32_t length;
  bool over;
};

// The phase ends only when the tick count is strictly past deadline + length,
// and the test holds on both sides of 2^31 and across the 2^32 wrap.
TEST(DeadlineTest, PastComparesTheSignedDifference) {
  const PastCase cases[] = {
      {5000, 1000, 4000, false},
      {5001, 1000, 4000, true},
      {0x7FFFFFFFU, 0x7FFFF800, 4000, false},  // deadline + length crosses 2^31
      {0x800007A0U + 1, 0x7FFFF800, 4000, true},
      {0x00000010U, static_cast<std::int32_t>(0xFFFFFF00U), 4000, false},  // wrapped now
      {0x00000F00U + 1, static_cast<std::int32_t>(0xFFFFFF00U), 4000, true},
      {0xFFFFFFF0U, static_cast<std::int32_t>(0xFFFFFFE0U), 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::past(c.now, c.deadline, c.length), c.over)
        << "now " << c.now << " deadline " << c.deadline << " length " << c.length;
  }
}

TEST(DeadlineTest, DeadlineInWrapsAroundInUnsignedArithmetic) {
  platform::headless::reset(0);
  platform::headless::set_ticks(0xFFFFFFFFU - 999);  // 1000 ms before the wrap
  EXPECT_EQ(static_cast<std::uint32_t>(platform::deadline_in(5000)), 4000U);
  EXPECT_FALSE(platform::phase_over(platform::deadline_in(0), 0));
  const platform::Deadline start = platform::deadline_in(0);
  platform::headless::advance_ms(4001);
  EXPECT_TRUE(platform::phase_over(start, 4000));
}

TEST(HeadlessPacingTest, SeventySixFramesMakeOneSecond) {
  platform::headless::reset(0);
  platform::pacing_set_rate(75);
  for (int i = 0; i < 76; ++i) platform::pace_frame();
  EXPECT_EQ(platform::ticks_ms(), 1000U);
}

}  // namespace
