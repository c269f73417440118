// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Maps the font families the program's forms name to installed fonts of the same kind:
// "宋体" to AR PL UMing, "楷体_GB2312" to AR PL UKai, "Arial" to Liberation Sans. Safe to call
// more than once.
void installFontSubstitutions();

}  // namespace platform
