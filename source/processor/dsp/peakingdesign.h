// Second-order peaking sections for the MF1 to MF4 bands.
#pragma once

#include <cstdint>

#include "sectioncoefs.h"

namespace Steinberg {
namespace Vst {

// f0: centre frequency in whole Hz (the caller truncates the band frequency).
// g: gain in dB (band gain already scaled by Range), positive boosts.
// bw: bandwidth in Hz, from the unrounded band frequency divided by Q.
// fs: sample rate in Hz.
// The gain is exactly 1 at 0 Hz and, at fs/2, that of the analog peaking
// response with the same centre, height and bandwidth. A cut is the boost of
// the same size with numerator and denominator exchanged.
// Gains too small to be told from 0 dB in double precision (and g == 0)
// give the identity section.
SectionCoefs designPeakSection (int16_t f0, double g, double bw, double fs);

} // namespace Vst
} // namespace Steinberg
