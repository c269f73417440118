// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

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
  void setStatus(RequestStatus status);
  bool operator==(const Request& other) const { return record_ == other.record_; }

 private:
  struct Record {
    RequestStatus status = RequestStatus::Pending;
  };
  std::shared_ptr<Record> record_;
};

}  // namespace character
