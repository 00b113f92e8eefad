#include "sectiontransition.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// The part of the new section that carries a pending output is its free-response
// numerator (b1 - b0 a1, b2 - b0 a2). Where that is below this fraction of the
// coefficients' own size, the memories would exceed the output by more than some
// 1e8 and the sample loop's rounding would reach about -130 dB of the signal
// (measured for high-Q bands at 40 Hz up to 192 kHz); the output is not carried.
constexpr double kMinFreeResponse = 1e-8;
// Below this the two pending samples ask for memories from a nearly singular
// system, whatever the scale.
constexpr double kMinRelativeDeterminant = 1e-12;

bool isFirstOrder (const SectionCoefs& c) { return c.b2 == 0.0 && c.a2 == 0.0; }

/** Size of the coefficients: the largest numerator coefficient, and at least 1 (the
    denominator's leading coefficient). */
double coefficientScale (const SectionCoefs& c)
{
	return std::max ({1.0, std::fabs (c.b0), std::fabs (c.b1), std::fabs (c.b2)});
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
void carrySectionState (const SectionCoefs& from, const SectionCoefs& to, Real& w1, Real& w2)
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

	const Real minFree = Real (kMinFreeResponse) * Real (coefficientScale (to));
	Real n1 = 0;
	Real n2 = 0;
	if (isFirstOrder (to))
	{
		// One memory, one pending sample: y0 = (b1 - b0 a1) w1.
		const Real m = Real (to.b1) - Real (to.b0) * Real (to.a1);
		if (fabs (m) > minFree)
			n1 = p.y0 / m;
	}
	else
	{
		// Pending output is linear in the memories: columns from unit memories. The
		// determinant is quadratic in the free-response numerator.
		const PendingOutputOf<Real> c1 = pendingOutput<Real> (to, 1, 0);
		const PendingOutputOf<Real> c2 = pendingOutput<Real> (to, 0, 1);
		const Real det = c1.y0 * c2.y1 - c2.y0 * c1.y1;
		const Real scale = std::max (std::max (fabs (c1.y0), fabs (c1.y1)), std::max (fabs (c2.y0), fabs (c2.y1)));
		if (fabs (det) > minFree * minFree && fabs (det) > Real (kMinRelativeDeterminant) * scale * scale)
		{
			n1 = (p.y0 * c2.y1 - c2.y0 * p.y1) / det;
			n2 = (c1.y0 * p.y1 - p.y0 * c1.y1) / det;
		}
	}
	if (!isfinite (n1) || !isfinite (n2))
		n1 = n2 = 0;
	w1 = n1;
	w2 = n2;
}

template PendingOutputOf<double> pendingOutput<double> (const SectionCoefs&, double, double);
template PendingOutputOf<long double> pendingOutput<long double> (const SectionCoefs&, long double,
                                                                  long double);
template double ringEnergy<double> (const SectionCoefs&, const PendingOutputOf<double>&);
template long double ringEnergy<long double> (const SectionCoefs&, const PendingOutputOf<long double>&);
template void carrySectionState<double> (const SectionCoefs&, const SectionCoefs&, double&, double&);
template void carrySectionState<long double> (const SectionCoefs&, const SectionCoefs&, long double&,
                                              long double&);

} // namespace Vst
} // namespace Steinberg
