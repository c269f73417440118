#pragma once

#include <QString>

#include "character/agent.h"
#include "character/agent_error.h"

namespace stage {

// The character behind one of the cast's handles; throws character::AgentError when the handle
// holds none (never loaded, or already released by the quit command).
inline character::Character& loaded(character::Character* handle, const QString& id) {
  if (!handle) {
    throw character::AgentError(QStringLiteral("The character \"%1\" is not loaded.").arg(id));
  }
  return *handle;
}

}  // namespace stage
