// The two helpers every control's setters and temporary states are written with.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "platform/Property.h"
#include "platform/ScopeGuard.h"

TEST(ScopeGuard, RunsOnEveryExitUnlessDismissed) {
  int runs = 0;
  {
    const auto guard = OnScopeExit([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        const auto guard = OnScopeExit([&] { ++runs; });
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);
  {
    auto guard = OnScopeExit([&] { ++runs; });
    guard.Dismiss();
  }
  EXPECT_EQ(runs, 2);
}

// Closing an update runs handlers, which may fail: on a normal exit that failure reaches the
// caller; while the work's own error is on its way out, the first error is the one reported.
TEST(ScopeGuard, AFailingCloseReportsOnlyTheFirstError) {
  const auto failingClose = [] { throw std::logic_error("close failed"); };
  EXPECT_THROW({ const auto guard = OnScopeExit(failingClose); }, std::logic_error);
  try {
    const auto guard = OnScopeExit(failingClose);
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "work failed");
  }
  // An outer guard closing normally still sees its own failure after an inner one failed.
  int closes = 0;
  EXPECT_THROW(
      {
        const auto outer = OnScopeExit([&] { ++closes; });
        const auto inner = OnScopeExit([&] {
          ++closes;
          throw std::logic_error("inner close failed");
        });
      },
      std::logic_error);
  EXPECT_EQ(closes, 2);
}

TEST(Property, ReactsOnlyToARealChange) {
  int reactions = 0;
  const auto react = [&] { ++reactions; };
  int width = 10;
  EXPECT_FALSE(SetProperty(width, 10, react));
  EXPECT_TRUE(SetProperty(width, 12, react));
  EXPECT_EQ(width, 12);
  double level = NAN;
  EXPECT_FALSE(SetProperty(level, NAN, react)) << "NaN twice is no change";
  EXPECT_TRUE(SetProperty(level, 0.0, react));
  EXPECT_EQ(reactions, 2);
}

TEST(Property, TheReactionSeesTheNewValueEvenWhenItThrows) {
  int value = 1;
  EXPECT_THROW(SetProperty(value, 2,
                           [&] {
                             EXPECT_EQ(value, 2);
                             throw std::runtime_error("repaint failed");
                           }),
               std::runtime_error);
  EXPECT_EQ(value, 2);
}
