// Measures a section's frequency response, so that tests can check what a
// design does rather than how it computes it.
#pragma once

#include <cmath>
#include <complex>

#include "sectioncoefs.h"

namespace ord3ltest {

using Steinberg::Vst::SectionCoefs;

constexpr double kTestPi = 3.14159265358979323846;

// Evaluated in extended precision: with poles close to z = 1 the sums of the
// polynomials cancel, and double evaluation would hide the design's accuracy.
inline std::complex<long double> responseExtended (const SectionCoefs& c, double hz, double fs)
{
	using LD = long double;
	const LD w = -2.0L * static_cast<LD> (kTestPi) * static_cast<LD> (hz) / static_cast<LD> (fs);
	const std::complex<LD> zi (std::cos (w), std::sin (w));
	const std::complex<LD> num = LD (c.b0) + (LD (c.b1) + LD (c.b2) * zi) * zi;
	const std::complex<LD> den = 1.0L + (LD (c.a1) + LD (c.a2) * zi) * zi;
	return num / den;
}

inline std::complex<double> response (const SectionCoefs& c, double hz, double fs)
{
	const std::complex<long double> h = responseExtended (c, hz, fs);
	return {static_cast<double> (h.real ()), static_cast<double> (h.imag ())};
}

inline double gainDb (const SectionCoefs& c, double hz, double fs)
{
	return static_cast<double> (20.0L * std::log10 (std::abs (responseExtended (c, hz, fs))));
}

// Frequency of the largest gain (smallest for sign = -1) between lo and hi:
// a 0.5 Hz grid, then golden-section refinement around the best grid point.
inline double findExtremumHz (const SectionCoefs& c, double fs, double lo, double hi,
                              double sign = 1.0)
{
	auto value = [&] (double f) { return sign * gainDb (c, f, fs); };
	double best = lo;
	double bestValue = value (lo);
	for (double f = lo; f <= hi; f += 0.5)
	{
		const double v = value (f);
		if (v > bestValue)
		{
			bestValue = v;
			best = f;
		}
	}
	double a = std::fmax (lo, best - 0.5);
	double b = std::fmin (hi, best + 0.5);
	const double ratio = 0.6180339887498949;
	double x1 = b - ratio * (b - a);
	double x2 = a + ratio * (b - a);
	double v1 = value (x1);
	double v2 = value (x2);
	while (b - a > 1e-7)
	{
		if (v1 < v2)
		{
			a = x1;
			x1 = x2;
			v1 = v2;
			x2 = a + ratio * (b - a);
			v2 = value (x2);
		}
		else
		{
			b = x2;
			x2 = x1;
			v2 = v1;
			x1 = b - ratio * (b - a);
			v1 = value (x1);
		}
	}
	return 0.5 * (a + b);
}

// Frequency between lo and hi where the gain crosses targetDb; the gain must
// be monotonic there.
inline double findCrossingHz (const SectionCoefs& c, double fs, double targetDb, double lo,
                              double hi)
{
	const double signLo = gainDb (c, lo, fs) - targetDb;
	for (int i = 0; i < 200 && hi - lo > 1e-9; ++i)
	{
		const double mid = 0.5 * (lo + hi);
		if ((gainDb (c, mid, fs) - targetDb) * signLo > 0.0)
			lo = mid;
		else
			hi = mid;
	}
	return 0.5 * (lo + hi);
}

} // namespace ord3ltest
