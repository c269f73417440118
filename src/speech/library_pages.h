// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace character {

// Hands back to the system the pages of the loaded libraries whose file name contains
// `namePart` that are only ever read: their relocation tables, read once when the library was
// loaded, and their constant data. The pages stay in the system's file cache and come back by
// themselves the next time they are read, so nothing changes but the memory the program holds.
// Writable pages and code are left alone. Safe while other threads read the same data.
void releaseReadOnlyPages(const char* namePart);

}  // namespace character
