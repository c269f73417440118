// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace character {

// A call to the character component failed; the message names what failed and why.
class AgentError : public std::runtime_error {
 public:
  explicit AgentError(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString message() const { return QString::fromStdString(what()); }
};

}  // namespace character
