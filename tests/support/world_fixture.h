// A fresh world on the headless platform for every test.
#pragma once

#include <gtest/gtest.h>

#include "game/world.h"
#include "platform/headless.h"

namespace sky::testing {

// Resets the headless platform (clock at 1000 ms, no input, no pictures) and
// the world: zeroed, then given its start values, with the default settings.
void fresh_world();

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

// Runs n whole frames of the game loop.
void run_frames(int n);

}  // namespace sky::testing
