// A scripted player and a compact trace of a whole game, for the replay test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "game/world.h"

namespace sky::testing {

struct PlayerInput {
  int x = 320;
  int y = 200;
  bool left = false;
  bool right = false;
};

// A simple, deterministic player: it starts one game from the attract page,
// aims at the lowest meteor in sight with some lead and fires the cannon on
// that side. From stage 4 on it tires and fires only in one of every four
// stretches of 200 frames, so the cities fall after a few stages.
class ScriptedPlayer {
 public:
  // The input for the coming frame, decided from the world as it stands.
  PlayerInput next(int frame);
  bool started_a_game() const { return started_; }

 private:
  bool willing(int frame) const;
  int pick_target(int frame) const;
  PlayerInput aim_at(const Meteor& m) const;

  PlayerInput last_;
  int attract_frames_ = 0;
  bool started_ = false;
  std::map<std::size_t, int> shot_at_;  // meteor index -> frame of the last shot at it
};

// One line per event: mode changes with the score, stage, sites and list
// sizes; sites set on fire or lost; cities falling.
class TraceRecorder {
 public:
  void start();
  void after_frame(int frame);
  void note(const std::string& line) { lines_.push_back(line); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  struct Snapshot {
    GameMode mode = GameMode::TodaysBestPage;
    std::vector<SiteState> sites;
    std::vector<int> upright;
  };
  static Snapshot take();
  std::vector<std::string> lines_;
  Snapshot previous_;
};

// Reads a trace file (empty when missing); writes one.
std::vector<std::string> read_trace(const std::string& path);
void write_trace(const std::string& path, const std::vector<std::string>& lines);
// A readable account of the first difference, with a few lines around it;
// empty when the traces are equal.
std::string trace_difference(const std::vector<std::string>& expected,
                             const std::vector<std::string>& actual);

}  // namespace sky::testing
