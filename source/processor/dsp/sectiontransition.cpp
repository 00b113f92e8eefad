#include "sectiontransition.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

bool isFirstOrder (const SectionCoefs& c) { return c.b2 == 0.0 && c.a2 == 0.0; }

/** Smallest |1 + a1 e^-jw + a2 e^-2jw| over all frequencies: the inverse of the peak gain
    from the input to the direct-form-II memories, which sets their natural size. As a
    function of c = cos w, |A|^2 = 4 a2 c^2 + 2 a1 (1 + a2) c + (1 - a2)^2 + a1^2. */
template <typename Real>
Real smallestDenominator (const SectionCoefs& c)
{
	const Real a1 = c.a1, a2 = c.a2;
	auto squared = [&] (Real x) { return Real (4) * a2 * x * x + Real (2) * a1 * (Real (1) + a2) * x +
	                                    (Real (1) - a2) * (Real (1) - a2) + a1 * a1; };
	Real least = std::min (squared (Real (1)), squared (Real (-1)));
	if (a2 > Real (0))
	{
		const Real vertex = -a1 * (Real (1) + a2) / (Real (4) * a2);
		if (vertex > Real (-1) && vertex < Real (1))
			least = std::min (least, squared (vertex));
	}
	using std::sqrt;
	return sqrt (std::max (least, Real (0)));
}

/** Energy of the memories' own free course under c's poles, from w2 = w[n-2] and
    w1 = w[n-1] on: a size of the memories that does not depend on where in its cycle
    a slow oscillation stands (both memories can be near zero at once). */
template <typename Real>
Real memoryEnergy (const SectionCoefs& c, Real w1, Real w2)
{
	if (isFirstOrder (c))
		return ringEnergy<Real> (c, {w1, -Real (c.a1) * w1});
	return ringEnergy<Real> (c, {w2, w1});
}

} // namespace

template <typename Real>
PendingOutputOf<Real> pendingOutput (const SectionCoefs& c, Real w1, Real w2)
{
	const Real b0 = c.b0, b1 = c.b1, b2 = c.b2, a1 = c.a1, a2 = c.a2;
	// Two steps of the direct form II with x = 0.
	const Real w = -(a1 * w1 + a2 * w2);
	const Real y0 = b0 * w + (b1 * w1 + b2 * w2);
	const Real wNext = -(a1 * w + a2 * w1);
	const Real y1 = b0 * wNext + (b1 * w + b2 * w1);
	return {y0, y1};
}

template <typename Real>
Real ringEnergy (const SectionCoefs& c, const PendingOutputOf<Real>& p)
{
	// Transposed-form states s1 = y0, s2 = y1 + a1 y0 evolve by [[-a1, 1], [-a2, 0]]
	// with output s1; the energy s' P s solves P = A' P A + e1 e1', whose closed form
	// for the 2x2 case is below. A first-order section has s2 = 0.
	const Real a1 = c.a1;
	const Real a2 = c.a2;
	const Real s1 = p.y0;
	const Real s2 = p.y1 + a1 * p.y0;
	const Real p11 = Real (1) / (Real (1) - a1 * a1 - a2 * a2 + Real (2) * a1 * a1 * a2 / (Real (1) + a2));
	const Real p12 = -a1 * p11 / (Real (1) + a2);
	return p11 * (s1 * s1 + s2 * s2) + Real (2) * p12 * s1 * s2;
}

template <typename Real>
void carrySectionState (const SectionCoefs& from, const SectionCoefs& to, Real& w1, Real& w2,
                        double maxGrowth)
{
	using std::fabs;
	using std::isfinite;
	PendingOutputOf<Real> p = pendingOutput<Real> (from, w1, w2);
	const Real oldEnergy = ringEnergy<Real> (from, p);
	// A first-order section carries y0 alone; its y1 follows from its own pole.
	if (isFirstOrder (to))
		p.y1 = -Real (to.a1) * p.y0;
	const Real newEnergy = ringEnergy<Real> (to, p);
	if (newEnergy > oldEnergy && isfinite (oldEnergy) && oldEnergy >= Real (0))
	{
		using std::sqrt;
		const Real scale = sqrt (oldEnergy / newEnergy);
		p.y0 *= scale;
		p.y1 *= scale;
	}

	Real n1 = 0;
	Real n2 = 0;
	if (isFirstOrder (to))
	{
		// One memory, one pending sample: y0 = (b1 - b0 a1) w1.
		const Real m = Real (to.b1) - Real (to.b0) * Real (to.a1);
		if (m != Real (0))
			n1 = p.y0 / m;
	}
	else
	{
		// Pending output is linear in the memories: columns from unit memories.
		const PendingOutputOf<Real> c1 = pendingOutput<Real> (to, 1, 0);
		const PendingOutputOf<Real> c2 = pendingOutput<Real> (to, 0, 1);
		const Real det = c1.y0 * c2.y1 - c2.y0 * c1.y1;
		if (det != Real (0))
		{
			n1 = (p.y0 * c2.y1 - c2.y0 * p.y1) / det;
			n2 = (c1.y0 * p.y1 - p.y0 * c1.y1) / det;
		}
	}
	if (!isfinite (n1) || !isfinite (n2))
		n1 = n2 = 0;

	// A numerator that all but cancels its denominator (a band near 0 dB) needs memories
	// far larger than its output, and the sample loop's rounding grows with them. The
	// memories may reach maxGrowth times the memories they replace, or times those
	// rescaled to the new denominator's peak gain where that is larger (a band moved down
	// in frequency or made narrower has larger memories for the same signal). Past that,
	// the carried output is scaled down until the memories fit: what is dropped shrinks to
	// nothing at the bound, so nothing steps where a target crosses it.
	using std::sqrt;
	const Real need = sqrt (memoryEnergy<Real> (to, n1, n2));
	const Real replaced = sqrt (memoryEnergy<Real> (from, w1, w2));
	const Real oldLeast = smallestDenominator<Real> (from);
	const Real newLeast = smallestDenominator<Real> (to);
	const Real rescale = newLeast > Real (0) && newLeast < oldLeast ? oldLeast / newLeast : Real (1);
	const Real limit = Real (maxGrowth) * replaced * rescale;
	if (need > limit)
	{
		const Real fit = isfinite (need) ? limit / need : Real (0);
		n1 *= fit;
		n2 *= fit;
	}
	w1 = n1;
	w2 = n2;
}

template PendingOutputOf<double> pendingOutput<double> (const SectionCoefs&, double, double);
template PendingOutputOf<long double> pendingOutput<long double> (const SectionCoefs&, long double,
                                                                  long double);
template double ringEnergy<double> (const SectionCoefs&, const PendingOutputOf<double>&);
template long double ringEnergy<long double> (const SectionCoefs&, const PendingOutputOf<long double>&);
template void carrySectionState<double> (const SectionCoefs&, const SectionCoefs&, double&, double&,
                                         double);
template void carrySectionState<long double> (const SectionCoefs&, const SectionCoefs&, long double&,
                                              long double&, double);

} // namespace Vst
} // namespace Steinberg
