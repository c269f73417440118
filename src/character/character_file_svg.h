// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace character {

// Checks one SVG fragment of a part variant: it must be well-formed XML once wrapped in an
// <svg> element and use only plain drawing elements (shapes, groups, gradients), so that a
// character file cannot make the renderer fetch images or other files. Returns what is wrong,
// with line and column inside the fragment, or nothing when the fragment is fine.
std::optional<QString> checkSvgFragment(const QString& fragment);

}  // namespace character
