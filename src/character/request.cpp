// SPDX-License-Identifier: GPL-3.0-or-later
#include "request.h"

#include <QPointer>
#include <utility>

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
  if (!record_) return;
  const bool wasFinished = isFinished();
  record_->status = status;
  if (wasFinished || !isFinished()) return;
  for (const auto& done : std::exchange(record_->whenFinished, {})) done();
}

void Request::whenFinished(QObject* context, std::function<void()> done) const {
  auto tell = [context = QPointer<QObject>(context), done = std::move(done)] {
    if (context) QMetaObject::invokeMethod(context, done, Qt::QueuedConnection);
  };
  if (isFinished()) return tell();
  record_->whenFinished.push_back(std::move(tell));
}

}  // namespace character
