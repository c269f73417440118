// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/fsrs.h"

#include <algorithm>
#include <cmath>

namespace progress::fsrs {
namespace {

using std::chrono::days;
using std::chrono::seconds;
using std::chrono::sys_seconds;
using Parameters = std::array<double, 21>;

constexpr double kMinimumStability = 0.001;
constexpr double kMinimumDifficulty = 1.0;
constexpr double kMaximumDifficulty = 10.0;

double grade(Rating rating) {
  return static_cast<double>(rating);
}

// The forgetting curve R(t) = (1 + factor * t / S) ^ decay, shaped by w[20] so that R(S) = 0.9.
struct ForgettingCurve {
  explicit ForgettingCurve(const Parameters& w)
      : decay(-w[20]), factor(std::pow(0.9, 1.0 / decay) - 1.0) {}
  double decay;
  double factor;
};

// Whole days from `from` to `to`, rounded down.
long long daysBetween(sys_seconds from, sys_seconds to) {
  return std::chrono::floor<days>(to - from).count();
}

double atLeastMinimumStability(double stability) {
  return std::max(stability, kMinimumStability);
}

double clampedDifficulty(double difficulty) {
  return std::clamp(difficulty, kMinimumDifficulty, kMaximumDifficulty);
}

double initialStability(const Parameters& w, Rating rating) {
  return atLeastMinimumStability(w[static_cast<int>(rating) - 1]);
}

double initialDifficulty(const Parameters& w, Rating rating) {
  return w[4] - std::exp(w[5] * (grade(rating) - 1.0)) + 1.0;
}

// The difficulty moves by w[6] a grade away from Good, less the nearer it is to 10, and is then
// drawn by w[7] towards the initial difficulty of Easy.
double nextDifficulty(const Parameters& w, double difficulty, Rating rating) {
  const double change = -w[6] * (grade(rating) - 3.0);
  const double damped = difficulty + (10.0 - difficulty) * change / 9.0;
  const double reverted = w[7] * initialDifficulty(w, Rating::Easy) + (1.0 - w[7]) * damped;
  return clampedDifficulty(reverted);
}

// A review on the day of the last one. A passing rating never lowers the stability.
double sameDayStability(const Parameters& w, double stability, Rating rating) {
  double increase = std::exp(w[17] * (grade(rating) - 3.0 + w[18])) * std::pow(stability, -w[19]);
  if (rating != Rating::Again) {
    increase = std::max(increase, 1.0);
  }
  return atLeastMinimumStability(stability * increase);
}

double recallStability(const Parameters& w, double difficulty, double stability, double recall,
                       Rating rating) {
  const double hardPenalty = rating == Rating::Hard ? w[15] : 1.0;
  const double easyBonus = rating == Rating::Easy ? w[16] : 1.0;
  return stability * (1.0 + std::exp(w[8]) * (11.0 - difficulty) * std::pow(stability, -w[9]) *
                                (std::exp((1.0 - recall) * w[10]) - 1.0) * hardPenalty * easyBonus);
}

// After a lapse the stability never exceeds what a same-day Again would leave.
double forgetStability(const Parameters& w, double difficulty, double stability, double recall) {
  const double longTerm = w[11] * std::pow(difficulty, -w[12]) *
                          (std::pow(stability + 1.0, w[13]) - 1.0) *
                          std::exp((1.0 - recall) * w[14]);
  const double shortTerm = stability / std::exp(w[17] * w[18]);
  return std::min(longTerm, shortTerm);
}

double laterDayStability(const Parameters& w, double difficulty, double stability, double recall,
                         Rating rating) {
  const double next = rating == Rating::Again
                          ? forgetStability(w, difficulty, stability, recall)
                          : recallStability(w, difficulty, stability, recall, rating);
  return atLeastMinimumStability(next);
}

// Sets the stability and difficulty of `next` (a copy of `card`) after the rating.
void updateMemory(Card& next, const Card& card, Rating rating, sys_seconds now,
                  const Settings& settings) {
  const Parameters& w = settings.parameters;
  if (!card.stability || !card.difficulty) {
    next.stability = initialStability(w, rating);
    next.difficulty = clampedDifficulty(initialDifficulty(w, rating));
    return;
  }
  const bool sameDay = card.lastReview && daysBetween(*card.lastReview, now) < 1;
  next.stability = sameDay ? sameDayStability(w, *card.stability, rating)
                           : laterDayStability(w, *card.difficulty, *card.stability,
                                               retrievability(card, now, settings), rating);
  next.difficulty = nextDifficulty(w, *card.difficulty, rating);
}

// The days until recall falls to the desired retention, rounded half to even as the reference
// does, at least one and at most the maximum.
days intervalDays(double stability, const Settings& settings) {
  const ForgettingCurve curve(settings.parameters);
  const double exact =
      stability / curve.factor * (std::pow(settings.desiredRetention, 1.0 / curve.decay) - 1.0);
  const auto rounded = static_cast<long long>(std::nearbyint(exact));
  return days(std::min<long long>(std::max<long long>(rounded, 1), settings.maximumIntervalDays));
}

seconds graduate(Card& next, const Settings& settings) {
  next.state = State::Review;
  next.step.reset();
  return intervalDays(*next.stability, settings);
}

seconds roundedToSeconds(std::chrono::duration<double> wait) {
  return std::chrono::round<seconds>(wait);
}

// Hard keeps the card at its step: at the first it waits halfway to the second step, or one and a
// half times the only one.
seconds hardWait(const std::vector<seconds>& steps, int step) {
  if (step > 0) {
    return steps[step];
  }
  return steps.size() == 1 ? roundedToSeconds(steps[0] * 1.5)
                           : roundedToSeconds((steps[0] + steps[1]) / 2.0);
}

// The wait of a card in Learning or Relearning through `steps`; a card past its last step, or
// rated Easy, graduates to Review.
seconds throughSteps(Card& next, Rating rating, const std::vector<seconds>& steps,
                     const Settings& settings) {
  const auto count = static_cast<int>(steps.size());
  const int step = std::max(next.step.value_or(0), 0);
  if (count == 0 || rating == Rating::Easy || (rating != Rating::Again && step >= count) ||
      (rating == Rating::Good && step + 1 >= count)) {
    return graduate(next, settings);
  }
  if (rating == Rating::Again) {
    next.step = 0;
    return steps.front();
  }
  if (rating == Rating::Hard) {
    next.step = step;
    return hardWait(steps, step);
  }
  next.step = step + 1;  // Good before the last step
  return steps[step + 1];
}

// Sets the state and step of `next` after the rating, and tells how long it waits.
seconds schedule(Card& next, Rating rating, const Settings& settings) {
  switch (next.state) {
    case State::Learning:
      if (rating == Rating::Again && settings.learningSteps.empty() &&
          settings.learningAgainWaitsRelearningStep && !settings.relearningSteps.empty()) {
        next.step = 0;
        return settings.relearningSteps.front();
      }
      return throughSteps(next, rating, settings.learningSteps, settings);
    case State::Relearning:
      return throughSteps(next, rating, settings.relearningSteps, settings);
    case State::Review:
      break;
  }
  if (rating == Rating::Again && !settings.relearningSteps.empty()) {
    next.state = State::Relearning;
    next.step = 0;
    return settings.relearningSteps.front();
  }
  return intervalDays(*next.stability, settings);
}

}  // namespace

Card newCard(sys_seconds now) {
  Card card;
  card.due = now;
  return card;
}

Settings programSettings() {
  Settings settings;
  settings.relearningSteps = {std::chrono::minutes(10)};
  settings.learningAgainWaitsRelearningStep = true;
  return settings;
}

Card review(const Card& card, Rating rating, sys_seconds now, const Settings& settings) {
  Card next = card;
  updateMemory(next, card, rating, now, settings);
  next.due = now + schedule(next, rating, settings);
  next.lastReview = now;
  return next;
}

double retrievability(const Card& card, sys_seconds now, const Settings& settings) {
  if (!card.lastReview || !card.stability) {
    return 0.0;
  }
  const ForgettingCurve curve(settings.parameters);
  const auto elapsed = static_cast<double>(std::max(daysBetween(*card.lastReview, now), 0LL));
  return std::pow(1.0 + curve.factor * elapsed / *card.stability, curve.decay);
}

}  // namespace progress::fsrs
