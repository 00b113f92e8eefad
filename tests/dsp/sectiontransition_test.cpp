#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "peakingdesign.h"
#include "sectiontransition.h"
#include "shelvingdesign.h"

namespace {

using namespace Steinberg::Vst;

constexpr double kFs = 48000.0;

/** Memories of section c after a few thousand samples of a low partial plus noise. */
void runIn (const SectionCoefs& c, double& w1, double& w2, unsigned seed)
{
	std::mt19937 rng (seed);
	std::uniform_real_distribution<double> noise (-0.05, 0.05);
	w1 = w2 = 0.0;
	for (int j = 0; j < 5000; ++j)
	{
		const double x = 0.2 * std::sin (2.0 * 3.141592653589793 * 110.0 * j / kFs) + noise (rng);
		const double w = x - (c.a1 * w1 + c.a2 * w2);
		w2 = w1;
		w1 = w;
	}
}

/** Sum of y^2 of the zero-input response, by running the section. */
double summedRingEnergy (const SectionCoefs& c, double w1, double w2)
{
	double e = 0.0;
	for (int j = 0; j < 2000000; ++j)
	{
		const double w = -(c.a1 * w1 + c.a2 * w2);
		const double y = c.b0 * w + (c.b1 * w1 + c.b2 * w2);
		e += y * y;
		w2 = w1;
		w1 = w;
	}
	return e;
}

struct CarryCase
{
	const char* what;
	SectionCoefs from, to;
};

std::vector<CarryCase> carryCases ()
{
	return {
	    {"peak 1 kHz +9 dB to 3 kHz -6 dB", designPeakSection (1000, 9.0, 1000.0 / 2.0, kFs),
	     designPeakSection (3000, -6.0, 3000.0 / 1.5, kFs)},
	    {"peak 40 Hz +16 dB Q 10 to 16 kHz -16 dB Q 1", designPeakSection (40, 16.0, 4.0, kFs),
	     designPeakSection (15999, -16.0, 15999.0, kFs)},
	    {"peak 16 kHz -16 dB Q 1 to 40 Hz +16 dB Q 10", designPeakSection (15999, -16.0, 15999.0, kFs),
	     designPeakSection (40, 16.0, 4.0, kFs)},
	    {"peak 60 Hz -16 dB Q 10 to 60 Hz +16 dB Q 10", designPeakSection (60, -16.0, 6.0, kFs),
	     designPeakSection (60, 16.0, 6.0, kFs)},
	    {"low shelf 20 Hz +16 dB to 2 kHz -16 dB", designLowShelfSection (16.0, 20.0, kFs),
	     designLowShelfSection (-16.0, 2000.0, kFs)},
	    {"low shelf 2 kHz -9 dB to 20 Hz +9 dB", designLowShelfSection (-9.0, 2000.0, kFs),
	     designLowShelfSection (9.0, 20.0, kFs)},
	    {"high shelf 500 Hz +6 dB to 18 kHz -12 dB", designHighShelfSection (6.0, 500.0, kFs),
	     designHighShelfSection (-12.0, 18000.0, kFs)},
	};
}

/** What a carry from `from` (memories w1, w2) to `to` should hand on before any growth
    limit: the old pending output (a first-order target takes y0 alone, y1 from its pole),
    and the factor k <= 1 that brings its ring energy under `to` down to the old one. */
struct WantedCarry
{
	PendingOutput p;
	double k;
};

WantedCarry wantedCarry (const SectionCoefs& from, const SectionCoefs& to, double w1, double w2)
{
	PendingOutput p = pendingOutput (from, w1, w2);
	const double oldEnergy = ringEnergy (from, p);
	if (to.a2 == 0.0 && to.b2 == 0.0)
		p.y1 = -to.a1 * p.y0;
	const double wouldBe = ringEnergy (to, p);
	return {p, wouldBe > oldEnergy ? std::sqrt (oldEnergy / wouldBe) : 1.0};
}

} // namespace

TEST (SectionTransition, RingEnergyMatchesTheSummedResponse)
{
	for (const CarryCase& c : carryCases ())
	{
		for (const SectionCoefs& s : {c.from, c.to})
		{
			double w1, w2;
			runIn (s, w1, w2, 1);
			const double expected = summedRingEnergy (s, w1, w2);
			EXPECT_NEAR (ringEnergy (s, pendingOutput (s, w1, w2)), expected, 1e-7 * expected) << c.what;
		}
	}
}

TEST (SectionTransition, CarriesThePendingOutputUpToTheOldRingEnergy)
{
	// Both ways of every pair: the new section continues with the old pending output
	// (a first-order one with its first sample), scaled down only where it would ring
	// out with more energy than before.
	int scaled = 0, kept = 0;
	for (const CarryCase& c : carryCases ())
	{
		for (bool reverse : {false, true})
		{
			const SectionCoefs& from = reverse ? c.to : c.from;
			const SectionCoefs& to = reverse ? c.from : c.to;
			double w1, w2;
			runIn (from, w1, w2, 2);
			const PendingOutput old = pendingOutput (from, w1, w2);
			const double oldEnergy = ringEnergy (from, old);
			const auto [before, k] = wantedCarry (from, to, w1, w2);
			carrySectionState (from, to, w1, w2);
			ASSERT_TRUE (std::isfinite (w1) && std::isfinite (w2)) << c.what;
			const PendingOutput after = pendingOutput (to, w1, w2);
			const double tol = 1e-9 * (std::fabs (before.y0) + std::fabs (before.y1));
			EXPECT_NEAR (after.y0, k * before.y0, tol) << c.what << (reverse ? " reversed" : "");
			EXPECT_NEAR (after.y1, k * before.y1, tol) << c.what << (reverse ? " reversed" : "");
			EXPECT_LE (ringEnergy (to, after), oldEnergy * (1.0 + 1e-9)) << c.what;
			(k < 1.0 ? scaled : kept) += 1;
		}
	}
	// The table holds both kinds of switch.
	EXPECT_GT (scaled, 0);
	EXPECT_GT (kept, 0);
}

TEST (SectionTransition, ANumeratorEqualToItsDenominatorStartsFromSilence)
{
	// No memories can carry an output through a section that is exactly the identity.
	const SectionCoefs from = designPeakSection (1000, 9.0, 500.0, kFs);
	const SectionCoefs peakTo {1.0, -1.9, 0.95, -1.9, 0.95};
	const SectionCoefs shelfTo {1.0, -0.9, 0.0, -0.9, 0.0};
	for (const SectionCoefs& to : {peakTo, shelfTo})
	{
		double w1, w2;
		runIn (from, w1, w2, 3);
		carrySectionState (from, to, w1, w2);
		EXPECT_EQ (w1, 0.0);
		EXPECT_EQ (w2, 0.0);
	}
}

TEST (SectionTransition, TargetsNearZeroDecibelsCarryLessTheCloserTheyAreWithNoStep)
{
	// From a loud low band to targets ever closer to 0 dB, peak and shelf: far from it the
	// whole pending output is carried; close to it, where the memories would have to grow
	// past kMaxMemoryGrowth times the old ones, the carried output shrinks with the
	// target's distance from 0 dB, by no step anywhere on the way.
	struct Sweep
	{
		const char* what;
		SectionCoefs from;
		SectionCoefs (*target) (double gainDb);
	};
	const Sweep sweeps[] = {
	    {"peak 60 Hz Q 10 +12 dB", designPeakSection (60, 12.0, 6.0, kFs),
	     [] (double g) { return designPeakSection (60, g, 6.0, kFs); }},
	    {"peak 40 Hz Q 10 -16 dB", designPeakSection (40, -16.0, 4.0, kFs),
	     [] (double g) { return designPeakSection (40, -g, 4.0, kFs); }},
	    {"low shelf 20 Hz +16 dB", designLowShelfSection (16.0, 20.0, kFs),
	     [] (double g) { return designLowShelfSection (g, 20.0, kFs); }},
	};
	for (const Sweep& sw : sweeps)
	{
		double w1Old, w2Old;
		runIn (sw.from, w1Old, w2Old, 4);
		double previous = -1.0;
		int held = 0;
		// 1e-9 dB to 1 dB, in steps of 1 %.
		for (double g = 1e-9; g <= 1.0; g *= 1.01)
		{
			const SectionCoefs to = sw.target (g);
			const WantedCarry carry = wantedCarry (sw.from, to, w1Old, w2Old);
			const PendingOutput wanted {carry.k * carry.p.y0, carry.k * carry.p.y1};
			double w1 = w1Old, w2 = w2Old;
			carrySectionState (sw.from, to, w1, w2);
			const PendingOutput got = pendingOutput (to, w1, w2);
			// The carried output is the wanted one times a fraction from 0 to 1.
			const double fraction = (got.y0 * wanted.y0 + got.y1 * wanted.y1) /
			                        (wanted.y0 * wanted.y0 + wanted.y1 * wanted.y1);
			ASSERT_TRUE (std::isfinite (fraction)) << sw.what << " to " << g << " dB";
			const double size = std::fabs (wanted.y0) + std::fabs (wanted.y1);
			EXPECT_NEAR (got.y0, fraction * wanted.y0, 1e-6 * size) << sw.what << " to " << g << " dB";
			EXPECT_NEAR (got.y1, fraction * wanted.y1, 1e-6 * size) << sw.what << " to " << g << " dB";
			EXPECT_LE (fraction, 1.0 + 1e-6) << sw.what << " to " << g << " dB";
			if (g == 1e-9)
			{
				EXPECT_LT (fraction, 1e-3) << sw.what << ": next to 0 dB all but nothing is carried";
			}
			if (fraction < 1.0 - 1e-6)
				++held;
			// One step of 1 % in the target moves the carried fraction by little.
			if (previous >= 0.0)
			{
				EXPECT_LT (std::fabs (fraction - previous), 0.02) << sw.what << " to " << g << " dB";
			}
			previous = fraction;
		}
		EXPECT_GT (held, 0) << sw.what;
		EXPECT_NEAR (previous, 1.0, 1e-6) << sw.what << ": far from 0 dB everything is carried";
	}
}
