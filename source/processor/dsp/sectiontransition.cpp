#include "sectiontransition.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// Below this the numerator all but cancels the denominator: the memories that
// would carry the output are huge and lose all precision in the sample loop.
constexpr double kMinRelativeDeterminant = 1e-12;

bool isFirstOrder (const SectionCoefs& c) { return c.b2 == 0.0 && c.a2 == 0.0; }

} // namespace

PendingOutput pendingOutput (const SectionCoefs& c, double w1, double w2)
{
	// Two steps of the direct form II with x = 0.
	const double w = -(c.a1 * w1 + c.a2 * w2);
	const double y0 = c.b0 * w + (c.b1 * w1 + c.b2 * w2);
	const double wNext = -(c.a1 * w + c.a2 * w1);
	const double y1 = c.b0 * wNext + (c.b1 * w + c.b2 * w1);
	return {y0, y1};
}

double ringEnergy (const SectionCoefs& c, const PendingOutput& p)
{
	// Transposed-form states s1 = y0, s2 = y1 + a1 y0 evolve by [[-a1, 1], [-a2, 0]]
	// with output s1; the energy s' P s solves P = A' P A + e1 e1', whose closed form
	// for the 2x2 case is below. A first-order section has s2 = 0.
	const double a1 = c.a1;
	const double a2 = c.a2;
	const double s1 = p.y0;
	const double s2 = p.y1 + a1 * p.y0;
	const double p11 = 1.0 / (1.0 - a1 * a1 - a2 * a2 + 2.0 * a1 * a1 * a2 / (1.0 + a2));
	const double p12 = -a1 * p11 / (1.0 + a2);
	return p11 * (s1 * s1 + s2 * s2) + 2.0 * p12 * s1 * s2;
}

void carrySectionState (const SectionCoefs& from, const SectionCoefs& to, double& w1, double& w2)
{
	PendingOutput p = pendingOutput (from, w1, w2);
	const double oldEnergy = ringEnergy (from, p);
	// A first-order section carries y0 alone; its y1 follows from its own pole.
	if (isFirstOrder (to))
		p.y1 = -to.a1 * p.y0;
	const double newEnergy = ringEnergy (to, p);
	if (newEnergy > oldEnergy && std::isfinite (oldEnergy) && oldEnergy >= 0.0)
	{
		const double scale = std::sqrt (oldEnergy / newEnergy);
		p.y0 *= scale;
		p.y1 *= scale;
	}

	double n1 = 0.0;
	double n2 = 0.0;
	if (isFirstOrder (to))
	{
		// One memory, one pending sample: y0 = (b1 - b0 a1) w1.
		const double m = to.b1 - to.b0 * to.a1;
		const double scale = std::fabs (to.b0) + std::fabs (to.b1);
		if (std::fabs (m) > kMinRelativeDeterminant * scale)
			n1 = p.y0 / m;
	}
	else
	{
		// Pending output is linear in the memories: columns from unit memories.
		const PendingOutput c1 = pendingOutput (to, 1.0, 0.0);
		const PendingOutput c2 = pendingOutput (to, 0.0, 1.0);
		const double det = c1.y0 * c2.y1 - c2.y0 * c1.y1;
		const double scale = std::fmax (std::fmax (std::fabs (c1.y0), std::fabs (c1.y1)),
		                                std::fmax (std::fabs (c2.y0), std::fabs (c2.y1)));
		if (std::fabs (det) > kMinRelativeDeterminant * scale * scale)
		{
			n1 = (p.y0 * c2.y1 - c2.y0 * p.y1) / det;
			n2 = (c1.y0 * p.y1 - p.y0 * c1.y1) / det;
		}
	}
	if (!std::isfinite (n1) || !std::isfinite (n2))
		n1 = n2 = 0.0;
	w1 = n1;
	w2 = n2;
}

} // namespace Vst
} // namespace Steinberg
