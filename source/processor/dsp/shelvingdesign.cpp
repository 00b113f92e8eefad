#include "shelvingdesign.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// Constants are kept exactly as the shipped filters were tuned with them; some
// differ from the nearest double of their exact value in the last bit, and
// "correcting" them would change every coefficient.
constexpr double kPi = 3.141592653589793;
constexpr double kMinus40Pi = -125.66370614359172; // -2*pi*20 Hz
constexpr double kKnee = -4.0;                      // dB, compared with -|g|
constexpr double kTenthLn10 = 0.2302585092994046;   // exp(x*this) = 10^(x/10)
constexpr double kMinusFourTenthsLn10 = -0.9210340371976184; // exp() = 10^-0.4
constexpr double kK = 0.740818220681718;            // e^-0.3, one ulp high
constexpr double kTwoK = 1.481636441363436;
constexpr double kMinusK = -0.740818220681718;
constexpr double kTwoPi = 6.283185307179586;

// The prototype: pole and zero on the real axis, g dB at 0 Hz and a fixed
// gain step at a corner 20 Hz above 0 Hz. r = 1/fs, theta is the angle of
// fs/2 - 20 Hz. t is the zero, a the pole of (1 - t z^-1) / (1 - a z^-1).
struct ShelfPrototype
{
	double r, theta, t, a;
};

inline ShelfPrototype makePrototype (double g, double fs)
{
	ShelfPrototype pr;
	pr.r = 1.0 / fs;
	pr.theta = (kPi * fs + kMinus40Pi) * pr.r;
	const double c = std::cos (pr.theta);

	const double e = g > 0.0 ? -g : g; // -|g|

	// The root p is solved for max(|g|, 4) dB; A always stands for the true
	// |g|. Below the knee A is taken from e directly, so that g == 0 yields
	// A = 1 and an identity section (the knee's F would otherwise stand in
	// for A there and turn 0 dB into a 4 dB cut).
	double F;
	double A;
	if (e > kKnee)
	{
		F = std::exp (kMinusFourTenthsLn10);
		A = std::exp (kTenthLn10 * e);
	}
	else
	{
		F = std::exp (e * kTenthLn10);
		A = F;
	}

	const double m = std::sqrt (F);
	const double kPlusM = kK + m;
	const double kMinusM = kK - m;
	const double radicand =
	    (c + 1.0) * (kTwoK * F + kTwoK - kPlusM * kPlusM + kMinusM * kMinusM * c);
	const double p = (std::sqrt (radicand) + (kMinusM * c + (F - m))) / (F + kMinusK);
	const double q = 1.0 - std::sqrt (A) * std::fabs (1.0 - p);

	if (g > 0.0)
	{
		pr.t = p;
		pr.a = q;
	}
	else
	{
		pr.t = q;
		pr.a = p;
	}
	return pr;
}

} // namespace

SectionCoefs designLowShelfSection (double g, double fc, double fs)
{
	const ShelfPrototype pr = makePrototype (g, fs);
	const double omega = (fc * kTwoPi) * pr.r;
	// Low-pass to low-pass all-pass substitution moving the 20 Hz corner to fc.
	const double h = std::cos ((pr.theta + omega) * 0.5) / std::cos ((pr.theta - omega) * 0.5);
	const double u = 1.0 / (h * pr.a + 1.0);

	SectionCoefs s;
	s.b0 = (h * pr.t + 1.0) * u;
	s.b1 = -(pr.t + h) * u;
	s.b2 = 0.0;
	s.a1 = -(h + pr.a) * u;
	s.a2 = 0.0;
	return s;
}

SectionCoefs designHighShelfSection (double g, double fc, double fs)
{
	const ShelfPrototype pr = makePrototype (g, fs);
	const double omega = (fc * kTwoPi) * pr.r;
	// Low-pass to high-pass substitution: 0 Hz and fs/2 swap places.
	const double h = std::sin ((pr.theta - omega) * 0.5) / std::sin ((omega + pr.theta) * 0.5);
	const double u = 1.0 / (h * pr.a + -1.0);

	SectionCoefs s;
	s.b0 = (h * pr.t - 1.0) * u;
	s.b1 = (h - pr.t) * u;
	s.b2 = 0.0;
	s.a1 = (h - pr.a) * u;
	s.a2 = 0.0;
	return s;
}

} // namespace Vst
} // namespace Steinberg
