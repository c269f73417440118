#pragma once

#include <QString>

#include "cast.h"
#include "character/engine.h"

namespace stage {

// Creates and connects the three component instances (boy's, girl's, vemo's, all before any
// character is loaded), then loads boy, girl and vemo in that order from "ku.dat", "nu.dat" and
// "fi.dat" in `programFolder`. Throws character::AgentError naming the file that failed.
void setUpCast(character::Engine& engine, Cast& cast, const QString& programFolder);

}  // namespace stage
