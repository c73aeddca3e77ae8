#include "tests/replay/replay_support.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "game/asset_ids.h"
#include "platform/pictures.h"

namespace sky::testing {
namespace {

constexpr int start_after_frames = 120;
constexpr int reshoot_after_frames = 150;
constexpr float shell_speed = 3.0F;
constexpr int cursor_max_x = 608;
constexpr int cursor_max_y = 320;

const char* mode_name(GameMode mode) {
  switch (mode) {
    case GameMode::Playing:
      return "Playing";
    case GameMode::GetReady:
      return "GetReady";
    case GameMode::MissionComplete:
      return "MissionComplete";
    case GameMode::GameOver:
      return "GameOver";
    case GameMode::TodaysBestPage:
      return "TodaysBestPage";
    case GameMode::CreditsPage:
      return "CreditsPage";
    case GameMode::MusicCreditsPage:
      return "MusicCreditsPage";
    case GameMode::ThanksPage:
      return "ThanksPage";
  }
  return "?";
}

const char* state_name(SiteState state) {
  switch (state) {
    case SiteState::Intact:
      return "Intact";
    case SiteState::Burning:
      return "Burning";
    case SiteState::Gone:
      return "Gone";
  }
  return "?";
}

std::string site_letters() {
  std::string s;
  for (const GroundSite& site : ground_sites) s += "IBG"[static_cast<int>(site.state)];
  return s;
}

template <class List>
int live(const List& list) {
  return static_cast<int>(
      std::count_if(list.begin(), list.end(), [](const auto& r) { return r.alive == 1; }));
}

}  // namespace

bool ScriptedPlayer::willing(int frame) const {
  return game.stage < 4 || (frame / 200) % 4 == 0;
}

int ScriptedPlayer::pick_target(int frame) const {
  int best = -1;
  float lowest = -20.0F;
  for (std::size_t i = 0; i < meteors.size(); ++i) {
    const Meteor& m = meteors[i];
    if (m.alive != 1 || m.launched != 1 || m.y <= lowest) continue;
    const auto shot = shot_at_.find(i);
    if (shot != shot_at_.end() && frame - shot->second < reshoot_after_frames) continue;
    best = static_cast<int>(i);
    lowest = m.y;
  }
  return best;
}

// The burst is centred 16 pixels right of and below the cursor; the meteor is
// led by the time the shell needs to get there.
PlayerInput ScriptedPlayer::aim_at(const Meteor& m) const {
  const int picture = id(SpriteId::Meteor0, m.kind);
  const float cx = m.x + static_cast<float>(platform::picture_width(picture)) / 2.0F;
  const float cy = m.y + static_cast<float>(platform::picture_height(picture)) / 2.0F;
  const Cannon& cannon = cx < 320.0F ? left_cannon : right_cannon;
  float tx = cx - 16.0F;
  float ty = cy - 16.0F;
  for (int round = 0; round < 2; ++round) {
    const float t = std::hypot(tx - cannon.pivot_x, ty - cannon.pivot_y) / shell_speed;
    tx = cx + m.dx * t - 16.0F;
    ty = cy + m.dy * t - 16.0F;
  }
  PlayerInput in;
  in.x = std::clamp(static_cast<int>(std::lround(tx)), 0, cursor_max_x);
  in.y = std::clamp(static_cast<int>(std::lround(ty)), 0, cursor_max_y);
  return in;
}

PlayerInput ScriptedPlayer::next(int frame) {
  PlayerInput in{last_.x, last_.y, false, false};
  if (on_attract_page(game.mode)) {
    ++attract_frames_;
    if (!started_ && attract_frames_ == start_after_frames) {
      in.left = true;
      started_ = true;
    }
    last_ = in;
    return in;
  }
  attract_frames_ = 0;
  if (game.mode != GameMode::Playing) {
    shot_at_.clear();
    last_ = in;
    return in;
  }
  const int target = willing(frame) ? pick_target(frame) : -1;
  if (target >= 0) {
    const Meteor& m = meteors[static_cast<std::size_t>(target)];
    const PlayerInput aim = aim_at(m);
    in.x = aim.x;
    in.y = aim.y;
    // The cooldown is lowered at the top of the frame, before the firing.
    if (game.fire_cooldown <= 1) {
      const bool use_left = (in.x < 304 && left_cannon.ammo > 0) || right_cannon.ammo == 0;
      if (use_left && left_cannon.ammo > 0) in.left = true;
      if (!use_left && right_cannon.ammo > 0) in.right = true;
      if (in.left || in.right) shot_at_[static_cast<std::size_t>(target)] = frame;
    }
  }
  last_ = in;
  return in;
}

TraceRecorder::Snapshot TraceRecorder::take() {
  Snapshot s;
  s.mode = game.mode;
  for (const GroundSite& site : ground_sites) s.sites.push_back(site.state);
  for (const City& city : cities) s.upright.push_back(city.upright);
  return s;
}

void TraceRecorder::start() {
  lines_.clear();
  previous_ = take();
  note("start mode " + std::string(mode_name(game.mode)) + " hi " + std::to_string(game.hi_score));
}

void TraceRecorder::after_frame(int frame) {
  const Snapshot now = take();
  const std::string at = "F" + std::to_string(frame) + " ";
  for (std::size_t i = 0; i < now.sites.size(); ++i) {
    if (now.sites[i] != previous_.sites[i]) {
      note(at + "site " + std::to_string(i) + " " + state_name(now.sites[i]));
    }
  }
  for (std::size_t i = 0; i < now.upright.size(); ++i) {
    if (now.upright[i] != previous_.upright[i]) {
      note(at + "city " + std::to_string(i) + (now.upright[i] != 0 ? " rebuilt" : " falls"));
    }
  }
  if (now.mode != previous_.mode) {
    std::ostringstream line;
    line << at << mode_name(now.mode) << " stage " << game.stage << " score " << game.score
         << " hi " << game.hi_score << " cities " << game.cities_upright << " sites "
         << site_letters() << " ammo " << left_cannon.ammo << "/" << right_cannon.ammo
         << " meteors " << live(meteors) << "/" << meteors.size() << " shells " << live(shells)
         << " explosions " << live(explosions);
    note(line.str());
  }
  previous_ = now;
}

std::vector<std::string> read_trace(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void write_trace(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
}

std::string trace_difference(const std::vector<std::string>& expected,
                             const std::vector<std::string>& actual) {
  std::size_t first = 0;
  while (first < expected.size() && first < actual.size() && expected[first] == actual[first]) {
    ++first;
  }
  if (first == expected.size() && first == actual.size()) return {};
  std::ostringstream out;
  out << "traces differ from line " << first + 1 << " (expected " << expected.size()
      << " lines, got " << actual.size() << ")\n";
  const std::size_t from = first >= 3 ? first - 3 : 0;
  const auto show = [&](const char* title, const std::vector<std::string>& lines) {
    out << title << ":\n";
    for (std::size_t i = from; i < lines.size() && i < first + 6; ++i) {
      out << (i == first ? "> " : "  ") << i + 1 << ": " << lines[i] << "\n";
    }
  };
  show("expected", expected);
  show("actual", actual);
  return out.str();
}

}  // namespace sky::testing
