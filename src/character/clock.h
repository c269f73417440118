// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <cstdint>

namespace character {

// The time the engine runs on, in milliseconds from an arbitrary start.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t nowMs() const = 0;
};

// Real time, for the running program.
class SteadyClock : public Clock {
 public:
  SteadyClock() { timer_.start(); }
  std::int64_t nowMs() const override { return timer_.elapsed(); }

 private:
  QElapsedTimer timer_;
};

// Time that moves only when told to, for tests and headless runs.
class VirtualClock : public Clock {
 public:
  std::int64_t nowMs() const override { return now_; }
  void advance(std::int64_t ms) { now_ += ms; }
  void set(std::int64_t ms) { now_ = ms; }

 private:
  std::int64_t now_ = 0;
};

}  // namespace character
