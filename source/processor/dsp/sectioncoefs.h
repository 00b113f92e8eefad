// Coefficients of one filter section and the check that a design can be run.
#pragma once

#include <cmath>

namespace Steinberg {
namespace Vst {

// One section in the processor's single convention:
//   H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2)
// First-order sections (the shelves) have b2 = a2 = 0.
struct SectionCoefs
{
	double b0, b1, b2, a1, a2;
};

// True when all five coefficients are finite and the poles lie strictly inside
// the unit circle. For z^2 + a1 z + a2 that is the stability triangle
// |a2| < 1 and |a1| < 1 + a2; with a2 == 0 it reduces to |a1| < 1, the
// first-order case. A section that fails this must not be run: NaN or a pole
// on or outside the circle would poison the filter memories for good.
inline bool isUsableSection (const SectionCoefs& c)
{
	if (!std::isfinite (c.b0) || !std::isfinite (c.b1) || !std::isfinite (c.b2) ||
	    !std::isfinite (c.a1) || !std::isfinite (c.a2))
		return false;
	return std::fabs (c.a2) < 1.0 && std::fabs (c.a1) < 1.0 + c.a2;
}

} // namespace Vst
} // namespace Steinberg
