// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <vector>

// The review scheduler: every sentence the learner has read is a card, and FSRS-6 (the free
// spaced-repetition scheduler, version 6) says when it is due again. docs/progress.md says which
// parameters and steps the program uses and which reference the numbers are checked against.
namespace progress::fsrs {

// How well a sentence was heard (see docs/progress.md for the rule the reading follows).
enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// Where a card is in its life: a new card starts in Learning at step 0; it is in Review once it
// is scheduled in days, and in Relearning while it waits a relearning step after a lapse.
enum class State { Learning = 1, Review = 2, Relearning = 3 };

struct Card {
  State state = State::Learning;
  // The learning or relearning step the card waits; none in Review.
  std::optional<int> step = 0;
  // Days until recall falls to 90 %; none before the first rating.
  std::optional<double> stability;
  // 1 (easiest) to 10; none before the first rating.
  std::optional<double> difficulty;
  std::chrono::sys_seconds due;
  std::optional<std::chrono::sys_seconds> lastReview;
};

// A card never rated, due at `now`.
Card newCard(std::chrono::sys_seconds now);

// The published default parameters of FSRS-6, w[0] to w[20].
inline constexpr std::array<double, 21> kDefaultParameters = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

struct Settings {
  std::array<double, 21> parameters = kDefaultParameters;
  // The chance of recall at which a card in Review falls due.
  double desiredRetention = 0.9;
  // The waits of a card in Learning; with none, a rated card goes to Review at once.
  std::vector<std::chrono::seconds> learningSteps;
  // The waits of a card that lapsed in Review; with none, it stays in Review.
  std::vector<std::chrono::seconds> relearningSteps;
  int maximumIntervalDays = 36500;
  // With no learning steps FSRS sends a card in Learning rated Again to Review like any other
  // rating, so a new card that was not heard waits at least a day. When this is set, such a card
  // stays in Learning and waits the first relearning step instead.
  bool learningAgainWaitsRelearningStep = false;
};

// The program's settings: the default parameters, no learning steps, one relearning step of ten
// minutes, and Again on a new sentence waits that step too.
Settings programSettings();

// `card` after it was rated `rating` at `now`. Intervals in Review are whole days, without fuzz.
Card review(const Card& card, Rating rating, std::chrono::sys_seconds now,
            const Settings& settings);

// The chance that `card` is recalled at `now`, counting whole days since its last review; 0 for a
// card never rated.
double retrievability(const Card& card, std::chrono::sys_seconds now, const Settings& settings);

}  // namespace progress::fsrs
