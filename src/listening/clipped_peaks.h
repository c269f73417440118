// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace listening {

// Draws back in the peaks of a recording driven over full scale (samples from -1 to 1). A
// clipped recording holds runs of two or more samples at its loudest value, where speech never
// rests: each run becomes the curve (cubic Hermite) joining the samples on either side with
// their slopes, never inside the clipping level and at most four times it. The recogniser
// mistook most words of clipped readings for other sounds; restored, it hears them as it hears
// the clean ones. When a peak comes out over full scale, the whole recording is scaled down to
// fit. A recording that never reaches a quarter of full scale is not touched.
void restoreClippedPeaks(std::vector<float>& samples);

}  // namespace listening
