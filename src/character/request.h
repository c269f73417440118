// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace character {

enum class RequestStatus { Pending, Running, Done, Interrupted, Failed };

// What a queued action returns. Copies share the same record; an empty handle names nothing.
class Request {
 public:
  Request() = default;
  static Request make();

  bool isNull() const { return !record_; }
  RequestStatus Status() const;
  // Done, interrupted and failed requests are finished: whoever waits on them goes on.
  bool isFinished() const;
  // Sets the status; the first time it is a finished one, the request tells whoever asked.
  void setStatus(RequestStatus status);
  // Runs `done` once the request has finished, through the event loop of `context`'s thread, and
  // never once `context` is gone. A request that has finished already (or an empty one) tells at
  // the next turn of that loop. So whoever is told may call the characters again at once, and
  // the engine never runs it from inside its own update.
  void whenFinished(QObject* context, std::function<void()> done) const;
  bool operator==(const Request& other) const { return record_ == other.record_; }

 private:
  struct Record {
    RequestStatus status = RequestStatus::Pending;
    std::vector<std::function<void()>> whenFinished;
  };
  std::shared_ptr<Record> record_;
};

}  // namespace character
