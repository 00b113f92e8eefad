#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "frequencyresponse.h"
#include "peakingdesign.h"

namespace {

using namespace Steinberg::Vst;
using ord3ltest::findCrossingHz;
using ord3ltest::findExtremumHz;
using ord3ltest::gainDb;

std::string label (int f0, double g, double bw, double fs)
{
	return "f0=" + std::to_string (f0) + " g=" + std::to_string (g) + " bw=" + std::to_string (bw) +
	       " fs=" + std::to_string (fs);
}

// Half a unit of the last of `digits` significant digits of ref.
double significantDigitsTolerance (double ref, int digits)
{
	return 0.5 * std::pow (10.0, std::floor (std::log10 (std::fabs (ref))) - (digits - 1));
}

TEST (PeakingDesign, CoefficientsToTwelveSignificantDigits)
{
	struct Case
	{
		int f0;
		double g, bw;
		double b0, b1, b2, a1, a2;
	};
	const Case cases[] = {
	    {1000, 16.0, 312.5, 1.1070819836, -1.95019283657, 0.859880526686, -1.94405148239,
	     0.960821156111},
	    {1000, -16.0, 312.5, 0.903275470841, -1.75601401809, 0.86788618218, -1.76156135268,
	     0.77670898761},
	    {1000, 3.0, 1000.0, 1.0221097433, -1.88059396762, 0.874661712523, -1.87943727239,
	     0.895614760585},
	};
	for (const auto& c : cases)
	{
		const SectionCoefs s = designPeakSection (static_cast<int16_t> (c.f0), c.g, c.bw, 48000.0);
		const std::string what = label (c.f0, c.g, c.bw, 48000.0);
		EXPECT_NEAR (s.b0, c.b0, significantDigitsTolerance (c.b0, 12)) << what;
		EXPECT_NEAR (s.b1, c.b1, significantDigitsTolerance (c.b1, 12)) << what;
		EXPECT_NEAR (s.b2, c.b2, significantDigitsTolerance (c.b2, 12)) << what;
		EXPECT_NEAR (s.a1, c.a1, significantDigitsTolerance (c.a1, 12)) << what;
		EXPECT_NEAR (s.a2, c.a2, significantDigitsTolerance (c.a2, 12)) << what;
	}
}

TEST (PeakingDesign, PeakPlaceHeightAndGainAtTheCentre)
{
	// Towards fs/2 the peak moves below f0 while its height stays g dB.
	struct Case
	{
		int f0;
		double q, g, peakHz;
		std::optional<double> gainAtF0Db;
	};
	const Case cases[] = {
	    {1000, 1.0, 16.0, 998.8, 16.000},   {5000, 1.0, 16.0, 4847.6, 15.985},
	    {10000, 1.0, 16.0, 8827.5, 15.845}, {10000, 3.2, 16.0, 9870.7, 15.971},
	    {16000, 1.0, 16.0, 11243.2, 15.843}, {16000, 3.2, 16.0, 15360.8, 15.791},
	    {16000, 10.0, 16.0, 15932.1, 15.969}, {1000, 1.0, -16.0, 998.8, -16.000},
	    {16000, 3.2, -16.0, 15360.8, -15.791}, {16000, 1.0, 6.0, 13079.8, std::nullopt},
	};
	const double fs = 48000.0;
	for (const auto& c : cases)
	{
		const double bw = c.f0 / c.q;
		const SectionCoefs s = designPeakSection (static_cast<int16_t> (c.f0), c.g, bw, fs);
		const std::string what = label (c.f0, c.g, bw, fs);
		const double sign = c.g > 0.0 ? 1.0 : -1.0;
		const double peak = findExtremumHz (s, fs, 1.0, 0.5 * fs - 1.0, sign);
		EXPECT_NEAR (peak, c.peakHz, 0.05) << what;
		EXPECT_NEAR (gainDb (s, peak, fs), c.g, 1e-6) << what;
		if (c.gainAtF0Db)
		{
			EXPECT_NEAR (gainDb (s, c.f0, fs), *c.gainAtF0Db, 5e-4) << what;
		}
	}
}

TEST (PeakingDesign, DcIsUnityAndFsOverTwoIsMirroredBetweenBoostAndCut)
{
	const double fs = 48000.0;
	for (int f0 : {40, 1000, 8000, 16000})
		for (double g : {16.0, 5.0, 0.3})
		{
			const SectionCoefs boost = designPeakSection (static_cast<int16_t> (f0), g, f0 / 2.0, fs);
			const SectionCoefs cut = designPeakSection (static_cast<int16_t> (f0), -g, f0 / 2.0, fs);
			// Low centres put the poles so close to z = 1 that rounding the
			// coefficients to double moves the 0 Hz gain by about 1e-10 dB.
			const double dcTolerance = f0 < 100 ? 1e-9 : 1e-12;
			EXPECT_NEAR (gainDb (boost, 0.0, fs), 0.0, dcTolerance) << label (f0, g, f0 / 2.0, fs);
			EXPECT_NEAR (gainDb (cut, 0.0, fs), 0.0, dcTolerance) << label (f0, -g, f0 / 2.0, fs);
			const double nyquistDb = gainDb (boost, 0.5 * fs, fs);
			EXPECT_GE (nyquistDb, 0.0);
			EXPECT_LT (nyquistDb, g);
			EXPECT_NEAR (gainDb (cut, 0.5 * fs, fs), -nyquistDb, 1e-11) << label (f0, g, f0 / 2.0, fs);
		}
}

TEST (PeakingDesign, BandEdgesLieOneBandwidthApart)
{
	// The band edge is at g/2 dB up to 6 dB and at g - 3 dB above; 6 dB itself
	// takes the g/2 rule, 6.01 dB the other.
	struct Case
	{
		double g, edgeDb;
	};
	const Case cases[] = {{2.0, 1.0},   {5.0, 2.5},   {6.0, 3.0},   {6.01, 3.01},
	                      {12.0, 9.0},  {16.0, 13.0}, {-6.0, -3.0}, {-6.01, -3.01},
	                      {-16.0, -13.0}};
	const double fs = 48000.0;
	const int f0 = 1000;
	for (double bw : {1000.0, 400.0})
		for (const auto& c : cases)
		{
			const SectionCoefs s = designPeakSection (f0, c.g, bw, fs);
			const double peak = findExtremumHz (s, fs, 1.0, 0.5 * fs - 1.0, c.g > 0.0 ? 1.0 : -1.0);
			const double lower = findCrossingHz (s, fs, c.edgeDb, 1.0, peak);
			const double upper = findCrossingHz (s, fs, c.edgeDb, peak, 0.5 * fs);
			EXPECT_NEAR (upper - lower, bw, 0.05) << label (f0, c.g, bw, fs);
		}
	// The 13 dB edges of the +16 dB, Q 1 band at 1 kHz.
	const SectionCoefs s = designPeakSection (1000, 16.0, 1000.0, fs);
	const double peak = findExtremumHz (s, fs, 1.0, 0.5 * fs - 1.0);
	EXPECT_NEAR (peak, 998.76, 0.005);
	EXPECT_NEAR (findCrossingHz (s, fs, 13.0, 1.0, peak), 616.67, 0.005);
	EXPECT_NEAR (findCrossingHz (s, fs, 13.0, peak, 0.5 * fs), 1616.68, 0.005);
}

TEST (PeakingDesign, CutIsTheExactInverseOfTheBoost)
{
	const double fs = 48000.0;
	struct Case
	{
		int f0;
		double g, bw;
		double toleranceDb; // coefficient rounding weighs more with poles near z = 1
	};
	const Case cases[] = {{1000, 16.0, 312.5, 1e-12}, {1234, 16.0, 1234.9 / 3.2, 1e-12},
	                      {16000, 9.0, 1600.0, 1e-12}, {8000, 6.0, 8000.0, 1e-12},
	                      {40, 0.16, 40.0, 1e-9}};
	for (const auto& c : cases)
	{
		const SectionCoefs boost = designPeakSection (static_cast<int16_t> (c.f0), c.g, c.bw, fs);
		const SectionCoefs cut = designPeakSection (static_cast<int16_t> (c.f0), -c.g, c.bw, fs);
		for (double f = 0.0; f <= 0.5 * fs; f += 125.0)
			EXPECT_NEAR (gainDb (boost, f, fs) + gainDb (cut, f, fs), 0.0, c.toleranceDb)
			    << label (c.f0, c.g, c.bw, fs) << " at " << f;
	}
}

TEST (PeakingDesign, StableAndFiniteOverTheWholeParameterRange)
{
	// Centres 40..16000 Hz, Q 1..10, gains up to +-16 dB times a Range of
	// 0.01..1, sample rates from 44.1 kHz; includes the centre/bandwidth pairs
	// on which the gain at fs/2 meets the band-edge gain exactly.
	const double fsList[] = {44100.0, 48000.0, 96000.0, 192000.0};
	const double gains[] = {16.0, 12.0, 6.01, 6.0, 3.0, 0.5, 0.16, 0.01, 1e-9};
	int designs = 0;
	for (double fs : fsList)
		for (int i = 0; i <= 24; ++i)
		{
			const double freq = 40.0 * std::pow (400.0, i / 24.0);
			const auto f0 = static_cast<int16_t> (static_cast<int32_t> (freq));
			for (int j = 0; j <= 8; ++j)
			{
				const double q = std::pow (10.0, j / 8.0);
				for (double g : gains)
					for (double sign : {1.0, -1.0})
					{
						const SectionCoefs s = designPeakSection (f0, sign * g, freq / q, fs);
						EXPECT_TRUE (isUsableSection (s)) << label (f0, sign * g, freq / q, fs);
						++designs;
					}
			}
		}
	EXPECT_EQ (designs, 4 * 25 * 9 * 9 * 2);
}

TEST (PeakingDesign, GainAtFsOverTwoMeetingTheEdgeGainStaysFinite)
{
	// At 48 kHz, f0 = 16000 Hz and Q = 1.2 the bandwidth lies on the curve
	// bw = fs/2 - 2 f0^2 / fs, where the closed form meets 0 / 0 for many gains.
	// The section must be usable and continuous with its neighbours off the
	// curve (which approach it like the square root of the distance).
	const double fs = 48000.0;
	const double bw = 16000.0 / 1.2;
	for (double g : {0.001, -0.002, 3.0, 6.0, 7.5, 16.0, -16.0})
	{
		const SectionCoefs s = designPeakSection (16000, g, bw, fs);
		ASSERT_TRUE (isUsableSection (s)) << label (16000, g, bw, fs);
		for (double offset : {-1e-12, 1e-12})
		{
			const SectionCoefs near = designPeakSection (16000, g, bw * (1.0 + offset), fs);
			ASSERT_TRUE (isUsableSection (near)) << label (16000, g, bw * (1.0 + offset), fs);
			for (double f : {100.0, 8000.0, 16000.0, 23000.0})
				EXPECT_NEAR (gainDb (s, f, fs), gainDb (near, f, fs), 1e-5)
				    << label (16000, g, bw, fs) << " offset " << offset << " at " << f;
		}
	}
}

TEST (PeakingDesign, ZeroAndVanishingGainsGiveTheIdentity)
{
	// Gains of a few 1e-15 dB make the peak and edge gains coincide; the
	// section must then be flat rather than NaN.
	const double fs = 48000.0;
	for (double g : {0.0, -0.0, 1e-15, -1e-15, 3e-15, 1e-13, 1e-300})
	{
		const SectionCoefs s = designPeakSection (1000, g, 500.0, fs);
		ASSERT_TRUE (isUsableSection (s)) << g;
		for (double f : {0.0, 500.0, 1000.0, 2000.0, 24000.0})
			EXPECT_NEAR (gainDb (s, f, fs), 0.0, 1e-11) << g << " at " << f;
	}
}

} // namespace
