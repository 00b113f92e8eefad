// Sample loops of the equaliser: six sections per channel in series, in double
// precision, followed by the smoothed output level. Runs on the audio thread:
// no allocation, no locks, no calls out of the loops.
#pragma once

#include <cstdint>

namespace Steinberg {
namespace Vst {

constexpr int32_t kBandsPerChannel = 6;
// Filter index = channel * kBandsPerChannel + band: 0..5 left LF..HF, 6..11 right.
constexpr int32_t kNumFilters = 12;

// A section runs only when its gain is not 0 dB, its band is on and its design was
// accepted; one that does not run keeps its memories untouched. The processor and the
// loops decide by this one test.
inline bool sectionRuns (double gainDb, int16_t on, uint8_t usable)
{
	return gainDb != 0.0 && on != 0 && usable != 0;
}

// Everything the loops read and write, borrowed from the processor. Section k
// runs by sectionRuns (gainDb[k], on[k], usable[k]).
struct EqualiserPathState
{
	const double* gainDb;  // [12] dB, only tested against 0.0
	const int16_t* on;     // [12]
	const uint8_t* usable; // [12] design accepted by the processor; null means all
	const double *b0, *b1, *b2, *a1, *a2; // [12] each
	double *w1, *w2;       // [12] direct-form-II memories w[n-1], w[n-2]
	double smoothingFeedbackCoef; // c
	double smoothingInCoef;       // 1 - c as stored, not recomputed
	double outputGainTarget;      // linear level the smoother moves towards
	double* smootherState;        // current smoothed level, advanced per sample
};

// Processes one block of numSamples (>= 1) frames of channels 0 and 1; any
// further channel is left alone. in and out may be the same buffers. workL and
// workR hold at least numSamples doubles each.
//
// Fast path: one pass over the block through all running sections and the
// level, left and right side by side. Its output, memories and smoother state
// are bit-identical to the reference loop below. It uses workL and workR only
// when an output buffer overlaps its input at an offset.
template <typename Sample>
void processEqualiserPath (const EqualiserPathState& st, double* workL, double* workR,
                           Sample* const* in, Sample* const* out, int32_t numSamples);

// Reference loop: loads the whole block into the work buffers, runs band by
// band the left then the right section over the whole block, then applies
// the level. Slower; kept as the yardstick for the fast path.
template <typename Sample>
void processEqualiserPathLiteral (const EqualiserPathState& st, double* workL, double* workR,
                                  Sample* const* in, Sample* const* out, int32_t numSamples);

extern template void processEqualiserPath<float> (const EqualiserPathState&, double*, double*,
                                                  float* const*, float* const*, int32_t);
extern template void processEqualiserPath<double> (const EqualiserPathState&, double*, double*,
                                                   double* const*, double* const*, int32_t);
extern template void processEqualiserPathLiteral<float> (const EqualiserPathState&, double*,
                                                         double*, float* const*, float* const*,
                                                         int32_t);
extern template void processEqualiserPathLiteral<double> (const EqualiserPathState&, double*,
                                                          double*, double* const*,
                                                          double* const*, int32_t);

} // namespace Vst
} // namespace Steinberg
