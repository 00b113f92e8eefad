// First-order low and high shelving sections for the LF and HF bands.
#pragma once

#include "sectioncoefs.h"

namespace Steinberg {
namespace Vst {

// g: shelf gain in dB (band gain already scaled by Range), positive boosts.
// fc: corner frequency in Hz, unrounded. fs: sample rate in Hz.
// The result is first order: b2 = a2 = 0. The gain at 0 Hz (low shelf) or at
// fs/2 (high shelf) is exactly g dB; a cut is the exact inverse of the boost of
// the same size. g == 0 gives the identity section.
SectionCoefs designLowShelfSection (double g, double fc, double fs);
SectionCoefs designHighShelfSection (double g, double fc, double fs);

} // namespace Vst
} // namespace Steinberg
