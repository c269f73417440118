// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Hands back to the system what the program holds but does not use, once a window is closed:
// the pages of the font files it has read (the font library maps them read-only), which stay in
// the system's file cache and come back by themselves when a glyph not drawn yet is needed (a
// large Chinese font keeps megabytes of its tables resident once a window has shown its text),
// and the free pages of the heap.
void releaseMemoryAtRest();

}  // namespace platform
