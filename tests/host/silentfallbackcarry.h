#pragma once

// Carry rules kept on the test side for comparison with the shipping one:
//  - carryWithoutGrowthLimit: every pending output that the new section can hold is
//    carried, however large its memories become;
//  - carryWithSilentFallback: the earlier rule, which started a section from silent
//    memories wherever its free-response numerator fell below 1e-8 of its coefficients'
//    size (for second order: the determinant of the pending-output map below the square
//    of that, or below 1e-12 of its columns' size squared), and carried in full elsewhere.

#include "source/processor/dsp/sectiontransition.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ord3ltest {

inline void carryWithoutGrowthLimit (const Steinberg::Vst::SectionCoefs& from,
                                     const Steinberg::Vst::SectionCoefs& to, double& w1, double& w2)
{
	Steinberg::Vst::carrySectionState (from, to, w1, w2, std::numeric_limits<double>::infinity ());
}

inline void carryWithSilentFallback (const Steinberg::Vst::SectionCoefs& from,
                                     const Steinberg::Vst::SectionCoefs& to, double& w1, double& w2)
{
	using std::fabs;
	const double minFree = 1e-8 * std::max ({1.0, fabs (to.b0), fabs (to.b1), fabs (to.b2)});
	bool carries;
	if (to.b2 == 0.0 && to.a2 == 0.0)
		carries = fabs (to.b1 - to.b0 * to.a1) > minFree;
	else
	{
		const auto c1 = Steinberg::Vst::pendingOutput<double> (to, 1.0, 0.0);
		const auto c2 = Steinberg::Vst::pendingOutput<double> (to, 0.0, 1.0);
		const double det = c1.y0 * c2.y1 - c2.y0 * c1.y1;
		const double scale = std::max ({fabs (c1.y0), fabs (c1.y1), fabs (c2.y0), fabs (c2.y1)});
		carries = fabs (det) > minFree * minFree && fabs (det) > 1e-12 * scale * scale;
	}
	if (carries)
		carryWithoutGrowthLimit (from, to, w1, w2);
	else
		w1 = w2 = 0.0;
}

} // namespace ord3ltest
