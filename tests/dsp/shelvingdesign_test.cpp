#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "frequencyresponse.h"
#include "shelvingdesign.h"

namespace {

using namespace Steinberg::Vst;
using ord3ltest::gainDb;

enum class Shelf
{
	low,
	high
};

SectionCoefs design (Shelf kind, double g, double fc, double fs)
{
	return kind == Shelf::low ? designLowShelfSection (g, fc, fs)
	                          : designHighShelfSection (g, fc, fs);
}

// The end of the band that carries the shelf gain, and the other one.
double shelfEndHz (Shelf kind, double fs) { return kind == Shelf::low ? 0.0 : 0.5 * fs; }
double farEndHz (Shelf kind, double fs) { return kind == Shelf::low ? 0.5 * fs : 0.0; }

std::string label (Shelf kind, double g, double fc, double fs)
{
	return std::string (kind == Shelf::low ? "low" : "high") + " shelf g=" + std::to_string (g) +
	       " fc=" + std::to_string (fc) + " fs=" + std::to_string (fs);
}

TEST (ShelvingDesign, CornerAtTwentyHertzIsThePrototype)
{
	// At 48 kHz and +16 dB the prototype zero is 0.99842175630314 and its pole
	// 0.99974986523088; at the prototype's own corner the substitution is the
	// identity up to the last bits.
	const SectionCoefs ls = designLowShelfSection (16.0, 20.0, 48000.0);
	EXPECT_NEAR (ls.b0, 1.0, 1e-14);
	EXPECT_NEAR (ls.b1, -0.99842175630314, 1e-14);
	EXPECT_NEAR (ls.a1, -0.99974986523088, 1e-14);
	EXPECT_EQ (ls.b2, 0.0);
	EXPECT_EQ (ls.a2, 0.0);

	const SectionCoefs hs = designHighShelfSection (16.0, 24000.0 - 20.0, 48000.0);
	EXPECT_NEAR (hs.b0, 1.0, 1e-14);
	EXPECT_NEAR (hs.b1, 0.99842175630314, 1e-14);
	EXPECT_NEAR (hs.a1, 0.99974986523088, 1e-14);
	EXPECT_EQ (hs.b2, 0.0);
	EXPECT_EQ (hs.a2, 0.0);
}

TEST (ShelvingDesign, ShelfEndHasExactlyTheGainAndFarEndStaysNearZero)
{
	struct Case
	{
		Shelf kind;
		double g, fc, farEndDb;
	};
	const Case cases[] = {
	    {Shelf::low, 16.0, 200.0, -0.00577}, {Shelf::low, 4.0, 200.0, -0.00365},
	    {Shelf::low, -16.0, 900.0, 0.00577}, {Shelf::high, 16.0, 3000.0, -0.00577},
	    {Shelf::high, 4.0, 3000.0, -0.00365}, {Shelf::high, -4.0, 12000.0, 0.00365},
	};
	const double fs = 48000.0;
	for (const auto& c : cases)
	{
		const SectionCoefs s = design (c.kind, c.g, c.fc, fs);
		EXPECT_NEAR (gainDb (s, shelfEndHz (c.kind, fs), fs), c.g, 1e-9) << label (c.kind, c.g, c.fc, fs);
		EXPECT_NEAR (gainDb (s, farEndHz (c.kind, fs), fs), c.farEndDb, 5e-6)
		    << label (c.kind, c.g, c.fc, fs);
	}
}

TEST (ShelvingDesign, CornerGainAboveTheKneeIsFixed)
{
	// From 4 dB up the corner sits at power e^(+-0.3): +-1.30288 dB, whatever
	// the corner frequency and the sample rate.
	const double fsList[] = {44100.0, 48000.0, 96000.0, 192000.0};
	const double lowCorners[] = {20.0, 200.0, 2000.0};
	const double highCorners[] = {500.0, 3000.0, 18000.0};
	const double gains[] = {4.0, 8.0, 16.0, -4.0, -16.0};
	for (double fs : fsList)
		for (double g : gains)
		{
			const double expected = g > 0.0 ? 1.30288 : -1.30288;
			for (double fc : lowCorners)
				EXPECT_NEAR (gainDb (designLowShelfSection (g, fc, fs), fc, fs), expected, 5e-6)
				    << label (Shelf::low, g, fc, fs);
			for (double fc : highCorners)
				EXPECT_NEAR (gainDb (designHighShelfSection (g, fc, fs), fc, fs), expected, 5e-6)
				    << label (Shelf::high, g, fc, fs);
		}
}

TEST (ShelvingDesign, CornerGainBelowTheKneeShrinksWithTheGain)
{
	struct Case
	{
		double g, fs, cornerDb;
	};
	const Case cases[] = {
	    {3.0, 48000.0, 1.05026},  {2.0, 48000.0, 0.75173},   {0.5, 48000.0, 0.20835},
	    {-3.0, 48000.0, -1.05026}, {-0.5, 48000.0, -0.20835}, {3.0, 8000.0, 1.05076},
	    {3.0, 192000.0, 1.05019},
	};
	for (const auto& c : cases)
	{
		EXPECT_NEAR (gainDb (designLowShelfSection (c.g, 1000.0, c.fs), 1000.0, c.fs), c.cornerDb,
		             5e-6)
		    << label (Shelf::low, c.g, 1000.0, c.fs);
		EXPECT_NEAR (gainDb (designHighShelfSection (c.g, 2000.0, c.fs), 2000.0, c.fs), c.cornerDb,
		             5e-6)
		    << label (Shelf::high, c.g, 2000.0, c.fs);
	}
}

TEST (ShelvingDesign, FourDecibelsTakesTheKneeBranchAndJustBelowDoesNot)
{
	const double fs = 48000.0;
	const double fc = 300.0;
	EXPECT_NEAR (gainDb (designLowShelfSection (4.0, fc, fs), fc, fs), 1.30288, 5e-6);
	EXPECT_NEAR (gainDb (designLowShelfSection (-4.0, fc, fs), fc, fs), -1.30288, 5e-6);
	// Below the knee the corner gain follows |g| and is clearly smaller...
	const double below = gainDb (designLowShelfSection (3.9, fc, fs), fc, fs);
	EXPECT_LT (below, 1.30288 - 0.01);
	EXPECT_GT (below, 1.05026);
	// ...but meets the knee value without a jump.
	const double justBelow = gainDb (designLowShelfSection (std::nextafter (4.0, 0.0), fc, fs), fc, fs);
	EXPECT_NEAR (justBelow, 1.30288, 5e-6);
	// The shelf itself is exact on both sides of the knee.
	EXPECT_NEAR (gainDb (designLowShelfSection (3.9, fc, fs), 0.0, fs), 3.9, 1e-9);
}

TEST (ShelvingDesign, ShapeAroundALowCorner)
{
	const SectionCoefs s = designLowShelfSection (16.0, 200.0, 48000.0);
	EXPECT_NEAR (gainDb (s, 100.0, 48000.0), 3.74, 0.005);
	EXPECT_NEAR (gainDb (s, 400.0, 48000.0), 0.36, 0.005);
}

TEST (ShelvingDesign, CutIsTheExactInverseOfTheBoost)
{
	const double fs = 48000.0;
	struct Case
	{
		Shelf kind;
		double g, fc;
	};
	const Case cases[] = {{Shelf::low, 16.0, 200.0}, {Shelf::low, 2.5, 1500.0},
	                      {Shelf::high, 16.0, 3000.0}, {Shelf::high, 0.7, 600.0}};
	for (const auto& c : cases)
	{
		const SectionCoefs boost = design (c.kind, c.g, c.fc, fs);
		const SectionCoefs cut = design (c.kind, -c.g, c.fc, fs);
		for (double f = 0.0; f <= 0.5 * fs; f += 250.0)
			EXPECT_NEAR (gainDb (boost, f, fs) + gainDb (cut, f, fs), 0.0, 1e-12)
			    << label (c.kind, c.g, c.fc, fs) << " at " << f;
	}
}

TEST (ShelvingDesign, StableAndFiniteOverTheWholeParameterRange)
{
	// LF corners 20..2000 Hz, HF corners 500..18000 Hz, band gains up to
	// +-16 dB scaled by a Range of 0.01..1, sample rates from 44.1 kHz.
	const double fsList[] = {44100.0, 48000.0, 88200.0, 96000.0, 192000.0};
	const double gains[] = {16.0, 9.0, 4.0, 1.0, 0.16, 0.01, 1e-12, 1e-300};
	for (double fs : fsList)
		for (double g : gains)
			for (double sign : {1.0, -1.0})
				for (int i = 0; i <= 16; ++i)
				{
					const double x = i / 16.0;
					const double lf = 20.0 * std::pow (100.0, x);
					const double hf = 500.0 * std::pow (36.0, x);
					EXPECT_TRUE (isUsableSection (designLowShelfSection (sign * g, lf, fs)))
					    << label (Shelf::low, sign * g, lf, fs);
					EXPECT_TRUE (isUsableSection (designHighShelfSection (sign * g, hf, fs)))
					    << label (Shelf::high, sign * g, hf, fs);
				}
}

TEST (ShelvingDesign, TinyAndZeroGainsGiveAFlatSection)
{
	const double fs = 48000.0;
	for (double g : {0.0, -0.0, 1e-300, -1e-300, 1e-15})
		for (Shelf kind : {Shelf::low, Shelf::high})
		{
			const SectionCoefs s = design (kind, g, 1000.0, fs);
			ASSERT_TRUE (isUsableSection (s)) << label (kind, g, 1000.0, fs);
			for (double f : {0.0, 20.0, 1000.0, 10000.0, 24000.0})
				EXPECT_NEAR (gainDb (s, f, fs), 0.0, 1e-12) << label (kind, g, 1000.0, fs) << " at " << f;
		}
}

TEST (ShelvingDesign, CornerAboveHalfTheSampleRateIsRefused)
{
	// Nothing limits the corner; above fs/2 the pole leaves the unit circle and
	// the usability check is what keeps such a section out of the loops. This
	// happens within the parameter ranges only at low sample rates.
	EXPECT_FALSE (isUsableSection (designHighShelfSection (12.0, 16000.5, 32000.0)));
	EXPECT_FALSE (isUsableSection (designHighShelfSection (12.0, 18000.0, 32000.0)));
	EXPECT_FALSE (isUsableSection (designHighShelfSection (-12.0, 18000.0, 32000.0)));
	EXPECT_FALSE (isUsableSection (designLowShelfSection (12.0, 2000.0, 3990.0)));
	EXPECT_TRUE (isUsableSection (designHighShelfSection (12.0, 15000.0, 32000.0)));
}

} // namespace
