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
			PendingOutput before = pendingOutput (from, w1, w2);
			const double oldEnergy = ringEnergy (from, before);
			if (to.a2 == 0.0 && to.b2 == 0.0)
				before.y1 = -to.a1 * before.y0; // one memory carries y0 alone
			const double wouldBe = ringEnergy (to, before);
			carrySectionState (from, to, w1, w2);
			ASSERT_TRUE (std::isfinite (w1) && std::isfinite (w2)) << c.what;
			const PendingOutput after = pendingOutput (to, w1, w2);
			const double k = wouldBe > oldEnergy ? std::sqrt (oldEnergy / wouldBe) : 1.0;
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

TEST (SectionTransition, ANumeratorThatCancelsItsDenominatorStartsFromSilence)
{
	// Numerator equal to the denominator: no memories can carry an output. Nor can they
	// for bands a hair (2^-19 dB) from 0 dB, whose memories would have to exceed the
	// output by some 1e8 or more, at any scale of the numerator's difference.
	const SectionCoefs from = designPeakSection (1000, 9.0, 500.0, kFs);
	const SectionCoefs peakTo {1.0, -1.9, 0.95, -1.9, 0.95};
	const SectionCoefs shelfTo {1.0, -0.9, 0.0, -0.9, 0.0};
	const SectionCoefs nearFlatPeak = designPeakSection (60, 0x1p-19, 6.0, kFs);
	const SectionCoefs nearFlatShelf = designLowShelfSection (-0x1p-19, 20.0, kFs);
	for (const SectionCoefs& to : {peakTo, shelfTo, nearFlatPeak, nearFlatShelf})
	{
		double w1, w2;
		runIn (from, w1, w2, 3);
		carrySectionState (from, to, w1, w2);
		EXPECT_EQ (w1, 0.0);
		EXPECT_EQ (w2, 0.0);
	}
}
