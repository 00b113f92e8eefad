#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "parametercurves.h"

namespace {

using namespace Steinberg::Vst;

struct CurveCase
{
	const char* what;
	double (*curve) (double);
	double n;
	double expected; // exact bits as computed with the stored constants
};

TEST (ParameterCurves, GiveTheStoredValuesBitForBit)
{
	const CurveCase cases[] = {
	    {"gain 0", bandGainDb, 0.0, -16.0},
	    {"gain 0.5 is exactly 0 dB", bandGainDb, 0.5, 0.0},
	    {"gain 1", bandGainDb, 1.0, 16.0},
	    {"gain beyond 1 extends the line", bandGainDb, 1.25, 24.0},
	    {"LF 0", lowShelfFreqHz, 0.0, 20.0},
	    {"LF 1", lowShelfFreqHz, 1.0, 2000.000000000001},
	    {"MF 0", peakFreqHz, 0.0, 40.0},
	    {"MF 0.5", peakFreqHz, 0.5, 799.9999999999999},
	    {"MF 1", peakFreqHz, 1.0, 15999.999999999996},
	    {"HF 0", highShelfFreqHz, 0.0, 500.0},
	    {"HF 1", highShelfFreqHz, 1.0, 18000.0},
	    {"Q 0", bandQ, 0.0, 1.0},
	    {"level 0 (-36 dB)", outputGainFromLevel, 0.0, 0.015848931924611134},
	    {"level 0.5 (-12 dB)", outputGainFromLevel, 0.5, 0.25118864315095807},
	    {"level 0.75 (0 dB)", outputGainFromLevel, 0.75, 1.0000000000000004},
	    {"level 1 (+12 dB)", outputGainFromLevel, 1.0, 3.9810717055349754},
	    {"range 1", rangeFactor, 1.0, 1.0},
	    {"range 0.5", rangeFactor, 0.5, 0.5},
	    {"range just above the floor", rangeFactor, 0.0100001, 0.0100001},
	    {"range at the floor", rangeFactor, 0.01, 0.01},
	    {"range 0 is floored", rangeFactor, 0.0, 0.01},
	    {"negative range is floored", rangeFactor, -3.0, 0.01},
	    {"NaN range is floored", rangeFactor, std::numeric_limits<double>::quiet_NaN (), 0.01},
	};
	for (const auto& c : cases)
		EXPECT_EQ (c.curve (c.n), c.expected) << c.what;
}

TEST (ParameterCurves, DefaultQAndMidFrequenciesAreNearTheirRoundValues)
{
	EXPECT_NEAR (bandQ (0.50515), 3.2, 1e-6);
	EXPECT_NEAR (bandQ (1.0), 10.0, 1e-14);
	EXPECT_NEAR (lowShelfFreqHz (0.5), 200.0, 1e-12);
	EXPECT_NEAR (highShelfFreqHz (0.5), 3000.0, 1e-11);
}

TEST (ParameterCurves, OnFlagIsOneOrZero)
{
	EXPECT_EQ (bandOnFlag (true), 1);
	EXPECT_EQ (bandOnFlag (false), 0);
}

TEST (ParameterCurves, SmoothingCoefficientsAtFiftyMilliseconds)
{
	struct Case
	{
		double fs, feedback;
	};
	const Case cases[] = {{44100.0, 0.9990027651431992}, {48000.0, 0.9990837533438759}};
	for (const auto& c : cases)
	{
		double in = 0.0;
		double fb = 0.0;
		calcSmoothingCoefs (50.0, c.fs, in, fb);
		EXPECT_EQ (fb, c.feedback) << c.fs;
		EXPECT_EQ (in, 1.0 - c.feedback) << c.fs;
		// After 50 ms of samples e^-2.2 of a step is left.
		EXPECT_NEAR (std::pow (fb, 0.05 * c.fs), std::exp (-2.2), 1e-12) << c.fs;
	}
}

TEST (ParameterCurves, GeneralFormsMatchTheBandCurvesAndInvert)
{
	for (double n = 0.0; n <= 1.0; n += 0.0625)
	{
		EXPECT_NEAR (rescaleLinear (n, 0.0, 1.0, -16.0, 16.0), bandGainDb (n), 1e-12) << n;
		EXPECT_NEAR (normalizedToExp (n, 40.0, 16000.0), peakFreqHz (n), 1e-9 * peakFreqHz (n))
		    << n;
		EXPECT_NEAR (normalizedToExp (n, 20.0, 2000.0), lowShelfFreqHz (n),
		             1e-9 * lowShelfFreqHz (n))
		    << n;
		EXPECT_NEAR (normalizedToExp (n, 1.0, 10.0), bandQ (n), 1e-12 * bandQ (n)) << n;
		EXPECT_NEAR (expToNormalized (normalizedToExp (n, 500.0, 18000.0), 500.0, 18000.0), n,
		             1e-12)
		    << n;
		EXPECT_NEAR (rescaleLinear (rescaleLinear (n, 0.0, 1.0, -36.0, 12.0), -36.0, 12.0, 0.0, 1.0),
		             n, 1e-14)
		    << n;
	}
	EXPECT_EQ (expToNormalized (40.0, 40.0, 16000.0), 0.0);
	EXPECT_EQ (expToNormalized (16000.0, 40.0, 16000.0), 1.0);
}

} // namespace
