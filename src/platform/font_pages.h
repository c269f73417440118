// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Hands back to the system the pages of the font files the program has read (the font library
// maps them read-only). They stay in the system's file cache and come back by themselves when
// a glyph not drawn yet is needed, so nothing changes but the memory the program holds: a
// large Chinese font keeps megabytes of its tables resident once a window has shown its text.
void releaseFontPages();

}  // namespace platform
