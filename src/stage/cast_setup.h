// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "cast.h"
#include "character/character_file_read_ahead.h"
#include "character/engine.h"

namespace stage {

// Starts reading the cast's character files in `programFolder` on a worker thread, in the order
// setUpCast loads them, which takes them from there while the returned reading lives.
std::unique_ptr<character::CharacterFilesReadAhead> readCastAhead(const QString& programFolder);

// Creates and connects the three component instances, one per role, all before any character
// is loaded; then loads the boy, the girl and the host in that order from their files in
// `programFolder` (see the cast table). Throws character::AgentError naming the file that
// failed.
void setUpCast(character::Engine& engine, Cast& cast, const QString& programFolder);

}  // namespace stage
