// Moving a running section to new coefficients without a burst. Plain functions
// over one section's coefficients and direct-form-II memories; the processor
// runs them on the processing thread: no allocation, no calls out. They are
// templates over the arithmetic type so that the same rule can be followed in
// long double to check the double results.
#pragma once

#include "sectioncoefs.h"

namespace Steinberg {
namespace Vst {

// The section's output for zero input over the next two samples, from its
// direct-form-II memories w1 = w[n-1] and w2 = w[n-2]. This is what a
// transposed-form section holds in its two states.
template <typename Real>
struct PendingOutputOf
{
	Real y0, y1;
};
using PendingOutput = PendingOutputOf<double>;

template <typename Real>
PendingOutputOf<Real> pendingOutput (const SectionCoefs& c, Real w1, Real w2);

// Energy of the section's output for zero input from the pending output p,
// sum of y[n]^2 over n >= 0. Depends on the poles only.
template <typename Real>
Real ringEnergy (const SectionCoefs& c, const PendingOutputOf<Real>& p);

// How many times larger than the memories they replace carried memories may be; see
// carrySectionState.
constexpr double kMaxMemoryGrowth = 200;

// Rewrites w1 and w2, the memories of a section that ran with `from`, so that
// the section continues with `to` from the same pending output: the output does
// not step, and the memories stay in the scale of the new denominator. When the
// new section would ring out with more energy than the old one from the same
// point, the carried output is scaled down to the old energy. A first-order
// section (b2 = a2 = 0) carries one pending sample.
//
// Where carrying the output would take memories more than maxGrowth times the
// size of those they replace (a numerator that all but cancels its denominator: a
// band very near 0 dB after one far from it), the carried output is scaled down just
// enough for the memories to fit, so the carried part shrinks smoothly towards 0 dB
// and nothing steps where a target crosses the bound. Sizes are the energies of the
// memories' own free course under each section's poles (not where a slow oscillation
// stands in its cycle), and the bound grows with the new denominator's peak gain where
// that exceeds the old one (a band moved lower or made narrower has larger memories for
// the same signal). A singular system, or memories that are not finite, start from
// zero. With maxGrowth infinite every pending output that the new section can hold is
// carried.
template <typename Real>
void carrySectionState (const SectionCoefs& from, const SectionCoefs& to, Real& w1, Real& w2,
                        double maxGrowth = kMaxMemoryGrowth);

inline bool sameSection (const SectionCoefs& a, const SectionCoefs& b)
{
	return a.b0 == b.b0 && a.b1 == b.b1 && a.b2 == b.b2 && a.a1 == b.a1 && a.a2 == b.a2;
}

extern template PendingOutputOf<double> pendingOutput<double> (const SectionCoefs&, double, double);
extern template PendingOutputOf<long double> pendingOutput<long double> (const SectionCoefs&,
                                                                         long double, long double);
extern template double ringEnergy<double> (const SectionCoefs&, const PendingOutputOf<double>&);
extern template long double ringEnergy<long double> (const SectionCoefs&,
                                                     const PendingOutputOf<long double>&);
extern template void carrySectionState<double> (const SectionCoefs&, const SectionCoefs&, double&,
                                                double&, double);
extern template void carrySectionState<long double> (const SectionCoefs&, const SectionCoefs&,
                                                     long double&, long double&, double);

} // namespace Vst
} // namespace Steinberg
