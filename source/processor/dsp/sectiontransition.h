// Moving a running section to new coefficients without a burst. Plain functions
// over one section's coefficients and direct-form-II memories; they run in the
// filter update on the processing thread: no allocation, no calls out.
#pragma once

#include "sectioncoefs.h"

namespace Steinberg {
namespace Vst {

// The section's output for zero input over the next two samples, from its
// direct-form-II memories w1 = w[n-1] and w2 = w[n-2]. This is what a
// transposed-form section holds in its two states.
struct PendingOutput
{
	double y0, y1;
};
PendingOutput pendingOutput (const SectionCoefs& c, double w1, double w2);

// Energy of the section's output for zero input from the pending output p,
// sum of y[n]^2 over n >= 0. Depends on the poles only.
double ringEnergy (const SectionCoefs& c, const PendingOutput& p);

// Rewrites w1 and w2, the memories of a section that ran with `from`, so that
// the section continues with `to` from the same pending output: the output does
// not step, and the memories stay in the scale of the new denominator. When the
// new section would ring out with more energy than the old one from the same
// point, the carried output is scaled down to the old energy. A first-order
// section (b2 = a2 = 0) carries one pending sample. Where the new coefficients
// cannot carry the output (a numerator that all but cancels its denominator),
// the memories start from zero.
void carrySectionState (const SectionCoefs& from, const SectionCoefs& to, double& w1, double& w2);

inline bool sameSection (const SectionCoefs& a, const SectionCoefs& b)
{
	return a.b0 == b.b0 && a.b1 == b.b1 && a.b2 == b.b2 && a.a1 == b.a1 && a.a2 == b.a2;
}

} // namespace Vst
} // namespace Steinberg
