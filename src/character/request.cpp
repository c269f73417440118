// SPDX-License-Identifier: GPL-3.0-or-later
#include "request.h"

namespace character {

Request Request::make() {
  Request request;
  request.record_ = std::make_shared<Record>();
  return request;
}

RequestStatus Request::Status() const {
  return record_ ? record_->status : RequestStatus::Done;
}

bool Request::isFinished() const {
  const RequestStatus status = Status();
  return status == RequestStatus::Done || status == RequestStatus::Interrupted ||
         status == RequestStatus::Failed;
}

void Request::setStatus(RequestStatus status) {
  if (record_) record_->status = status;
}

}  // namespace character
