#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "equaliserpath.h"
#include "frequencyresponse.h"
#include "parametercurves.h"
#include "peakingdesign.h"
#include "shelvingdesign.h"

namespace {

using namespace Steinberg::Vst;

constexpr double kFs = 48000.0;

// The arrays that the loops borrow from the processor, filled with sections
// from the core's curves and designs. These tests link the DSP core alone
// (once with each kind of lanes), so the sections do not come from the
// processor's filter update.
struct PathArrays
{
	double gainDb[kNumFilters] {};
	int16_t on[kNumFilters] {};
	uint8_t usable[kNumFilters] {};
	double b0[kNumFilters] {}, b1[kNumFilters] {}, b2[kNumFilters] {};
	double a1[kNumFilters] {}, a2[kNumFilters] {};
	double w1[kNumFilters] {}, w2[kNumFilters] {};
	double feedback = 0.0;
	double in = 0.0;
	double target = 1.0;
	double smoother = 1.0;
	bool useUsableFlags = true;

	PathArrays () { calcSmoothingCoefs (50.0, kFs, in, feedback); }

	EqualiserPathState state ()
	{
		return {gainDb, on,  useUsableFlags ? usable : nullptr,
		        b0,     b1,  b2,
		        a1,     a2,  w1,
		        w2,     feedback, in,
		        target, &smoother};
	}

	void setSection (int k, double gain, const SectionCoefs& c)
	{
		gainDb[k] = gain;
		on[k] = 1;
		usable[k] = isUsableSection (c) ? 1 : 0;
		b0[k] = c.b0;
		b1[k] = c.b1;
		b2[k] = c.b2;
		a1[k] = c.a1;
		a2[k] = c.a2;
	}

	// One channel's six bands from normalized gain, frequency and Q.
	void designChannel (int channel, const double (&gainNorm)[kBandsPerChannel],
	                    const double (&freqNorm)[kBandsPerChannel], const double (&qNorm)[kBandsPerChannel],
	                    double rangeNorm)
	{
		const double range = rangeFactor (rangeNorm);
		for (int band = 0; band < kBandsPerChannel; ++band)
		{
			const int k = channel * kBandsPerChannel + band;
			const double gain = bandGainDb (gainNorm[band]);
			const double g = gain * range;
			SectionCoefs c;
			if (band == 0)
				c = designLowShelfSection (g, lowShelfFreqHz (freqNorm[band]), kFs);
			else if (band == kBandsPerChannel - 1)
				c = designHighShelfSection (g, highShelfFreqHz (freqNorm[band]), kFs);
			else
			{
				const double f = peakFreqHz (freqNorm[band]);
				const auto f0 = static_cast<int16_t> (static_cast<int32_t> (f));
				c = designPeakSection (f0, g, f / bandQ (qNorm[band]), kFs);
			}
			setSection (k, gain, c);
		}
	}

	void randomDesigns (std::mt19937_64& rng)
	{
		std::uniform_real_distribution<double> unit (0.0, 1.0);
		for (int channel = 0; channel < 2; ++channel)
		{
			double g[kBandsPerChannel], f[kBandsPerChannel], q[kBandsPerChannel];
			for (int b = 0; b < kBandsPerChannel; ++b)
			{
				g[b] = unit (rng);
				f[b] = unit (rng);
				q[b] = unit (rng);
			}
			designChannel (channel, g, f, q, 0.3 + 0.7 * unit (rng));
		}
		std::uniform_real_distribution<double> memory (-1e-3, 1e-3);
		for (int k = 0; k < kNumFilters; ++k)
		{
			w1[k] = memory (rng);
			w2[k] = memory (rng);
		}
		target = outputGainFromLevel (unit (rng));
		smoother = outputGainFromLevel (unit (rng));
	}

	bool runs (int k) const
	{
		return gainDb[k] != 0.0 && on[k] != 0 && (!useUsableFlags || usable[k] != 0);
	}
};

template <typename T>
uint64_t bitsOf (T x)
{
	if constexpr (sizeof (T) == 8)
	{
		uint64_t u;
		std::memcpy (&u, &x, 8);
		return u;
	}
	else
	{
		uint32_t u;
		std::memcpy (&u, &x, 4);
		return u;
	}
}

void expectSameState (const PathArrays& fast, const PathArrays& literal, const std::string& what)
{
	for (int k = 0; k < kNumFilters; ++k)
	{
		EXPECT_EQ (bitsOf (fast.w1[k]), bitsOf (literal.w1[k])) << what << " w1[" << k << "]";
		EXPECT_EQ (bitsOf (fast.w2[k]), bitsOf (literal.w2[k])) << what << " w2[" << k << "]";
	}
	EXPECT_EQ (bitsOf (fast.smoother), bitsOf (literal.smoother)) << what << " smoother";
}

template <typename Sample>
std::vector<Sample> noise (std::mt19937_64& rng, int32_t n, double amplitude)
{
	std::uniform_real_distribution<double> d (-amplitude, amplitude);
	std::vector<Sample> v (static_cast<size_t> (n));
	for (auto& x : v)
		x = static_cast<Sample> (d (rng));
	return v;
}

// Runs one block through a path. Channel 2 of both buses exists so that the
// test can see that the loops leave it alone.
template <typename Sample>
struct Block
{
	std::vector<Sample> in[3], out[3];
	std::vector<double> workL, workR;

	Block (std::mt19937_64& rng, int32_t n)
	{
		for (int c = 0; c < 3; ++c)
		{
			in[c] = noise<Sample> (rng, n, c == 0 ? 1.0 : 0.5);
			out[c].assign (static_cast<size_t> (n), static_cast<Sample> (-7.0));
		}
		workL.assign (static_cast<size_t> (n), 0.0);
		workR.assign (static_cast<size_t> (n), 0.0);
	}
	int32_t size () const { return static_cast<int32_t> (in[0].size ()); }
};

template <typename Sample>
using PathFn = void (*) (const EqualiserPathState&, double*, double*, Sample* const*,
                         Sample* const*, int32_t);

template <typename Sample>
void run (PathFn<Sample> path, PathArrays& a, Block<Sample>& b, bool inPlace)
{
	Sample* in[3] = {b.in[0].data (), b.in[1].data (), b.in[2].data ()};
	Sample* out[3] = {b.out[0].data (), b.out[1].data (), b.out[2].data ()};
	path (a.state (), b.workL.data (), b.workR.data (), in, inPlace ? in : out, b.size ());
}

template <typename Sample>
class EqualiserPath : public ::testing::Test
{
};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE (EqualiserPath, SampleTypes);

// Ways in which sections drop out of a block.
struct SkipCase
{
	const char* what;
	void (*apply) (PathArrays&);
};

const SkipCase kSkipCases[] = {
    {"all twelve running", [] (PathArrays&) {}},
    {"usable flags absent", [] (PathArrays& a) { a.useUsableFlags = false; }},
    {"0 dB bands", [] (PathArrays& a) {
	     a.gainDb[1] = a.gainDb[7] = 0.0;
	     a.gainDb[5] = a.gainDb[11] = 0.0;
     }},
    {"bands switched off", [] (PathArrays& a) { a.on[0] = a.on[6] = a.on[3] = a.on[9] = 0; }},
    {"unusable designs with NaN coefficients", [] (PathArrays& a) {
	     const double nan = std::numeric_limits<double>::quiet_NaN ();
	     a.usable[2] = a.usable[8] = 0;
	     a.b0[2] = a.a1[8] = nan;
     }},
    {"channels differ in what runs", [] (PathArrays& a) {
	     a.on[1] = 0;        // left MF1 off, right MF1 on
	     a.gainDb[10] = 0.0; // right MF4 at 0 dB, left MF4 running
	     a.usable[5] = 0;    // left HF refused
	     a.a2[5] = std::numeric_limits<double>::infinity ();
     }},
    {"nothing runs", [] (PathArrays& a) {
	     for (int k = 0; k < kNumFilters; ++k)
		     a.on[k] = 0;
     }},
};

TYPED_TEST (EqualiserPath, FastPathIsBitIdenticalToTheReferenceLoop)
{
	using Sample = TypeParam;
	std::mt19937_64 rng (0x0D3E5EEDu);
	const int32_t blockSizes[] = {512, 1, 7, 300, 512};
	for (const auto& skip : kSkipCases)
		for (int trial = 0; trial < 4; ++trial)
		{
			PathArrays fast;
			fast.randomDesigns (rng);
			skip.apply (fast);
			PathArrays literal = fast;
			const PathArrays before = fast;

			for (int32_t n : blockSizes)
			{
				const std::string what = std::string (skip.what) + ", trial " +
				                         std::to_string (trial) + ", block of " + std::to_string (n);
				Block<Sample> bf (rng, n);
				Block<Sample> bl = bf;
				run<Sample> (&processEqualiserPath<Sample>, fast, bf, false);
				run<Sample> (&processEqualiserPathLiteral<Sample>, literal, bl, false);
				for (int c = 0; c < 2; ++c)
					for (int32_t j = 0; j < n; ++j)
						ASSERT_EQ (bitsOf (bf.out[c][j]), bitsOf (bl.out[c][j]))
						    << what << ", channel " << c << ", sample " << j;
				expectSameState (fast, literal, what);
				for (int32_t j = 0; j < n; ++j)
				{
					ASSERT_EQ (bf.out[2][j], static_cast<Sample> (-7.0)) << what;
					ASSERT_EQ (bl.out[2][j], static_cast<Sample> (-7.0)) << what;
				}
			}
			for (int k = 0; k < kNumFilters; ++k)
				if (!fast.runs (k))
				{
					EXPECT_EQ (bitsOf (fast.w1[k]), bitsOf (before.w1[k])) << skip.what << " k=" << k;
					EXPECT_EQ (bitsOf (fast.w2[k]), bitsOf (before.w2[k])) << skip.what << " k=" << k;
				}
				else
				{
					EXPECT_NE (fast.w1[k], before.w1[k]) << skip.what << " k=" << k;
				}
		}
}

TYPED_TEST (EqualiserPath, InPlaceGivesTheSameSamplesAsSeparateBuffers)
{
	using Sample = TypeParam;
	std::mt19937_64 rng (42);
	PathArrays base;
	base.randomDesigns (rng);
	const Block<Sample> input (rng, 256);

	struct Variant
	{
		const char* what;
		PathFn<Sample> path;
		bool inPlace;
	};
	const Variant variants[] = {
	    {"fast, in place", &processEqualiserPath<Sample>, true},
	    {"reference, in place", &processEqualiserPathLiteral<Sample>, true},
	    {"reference, separate", &processEqualiserPathLiteral<Sample>, false},
	};
	PathArrays expectedState = base;
	Block<Sample> expected = input;
	run<Sample> (&processEqualiserPath<Sample>, expectedState, expected, false);

	for (const auto& v : variants)
	{
		PathArrays a = base;
		Block<Sample> b = input;
		run<Sample> (v.path, a, b, v.inPlace);
		const auto& result = v.inPlace ? b.in : b.out;
		for (int c = 0; c < 2; ++c)
			for (int32_t j = 0; j < b.size (); ++j)
				ASSERT_EQ (bitsOf (result[c][j]), bitsOf (expected.out[c][j])) << v.what << " " << j;
		EXPECT_EQ (b.in[2], input.in[2]) << v.what;
		expectSameState (a, expectedState, v.what);
	}
}

TYPED_TEST (EqualiserPath, OutputsOverlappingTheInputsAtAnOffset)
{
	// Outputs that start a few samples before or after their inputs in the
	// same memory: the reference loop loads the whole block first, and the
	// fast path must give the same result.
	using Sample = TypeParam;
	std::mt19937_64 rng (7);
	const int32_t n = 200;
	for (int shift : {-3, -1, 1, 5})
	{
		PathArrays fast;
		fast.randomDesigns (rng);
		PathArrays literal = fast;
		const std::vector<Sample> initL = noise<Sample> (rng, n + 16, 1.0);
		const std::vector<Sample> initR = noise<Sample> (rng, n + 16, 1.0);
		std::vector<Sample> memF[2] = {initL, initR};
		std::vector<Sample> memL[2] = {initL, initR};
		std::vector<double> workL (n), workR (n);
		Sample* inF[2] = {memF[0].data () + 8, memF[1].data () + 8};
		Sample* outF[2] = {inF[0] + shift, inF[1] + shift};
		Sample* inL[2] = {memL[0].data () + 8, memL[1].data () + 8};
		Sample* outL[2] = {inL[0] + shift, inL[1] + shift};
		processEqualiserPath<Sample> (fast.state (), workL.data (), workR.data (), inF, outF, n);
		processEqualiserPathLiteral<Sample> (literal.state (), workL.data (), workR.data (), inL,
		                                     outL, n);
		for (int c = 0; c < 2; ++c)
			for (size_t j = 0; j < memF[c].size (); ++j)
				ASSERT_EQ (bitsOf (memF[c][j]), bitsOf (memL[c][j])) << "shift " << shift << " at " << j;
		expectSameState (fast, literal, "shift " + std::to_string (shift));
	}
}

TYPED_TEST (EqualiserPath, EachChannelRunsItsOwnSectionsInSeries)
{
	// A 1 kHz tone through both paths: the left channel has only MF2 (+12 dB
	// at 1 kHz), the right channel MF3 (-6 dB at 1 kHz) followed by HF. The
	// steady-state amplitudes must be the products of the sections' responses.
	using Sample = TypeParam;
	for (PathFn<Sample> path : {&processEqualiserPath<Sample>, &processEqualiserPathLiteral<Sample>})
	{
		PathArrays a;
		const SectionCoefs leftPeak = designPeakSection (1000, 12.0, 1000.0, kFs);
		const SectionCoefs rightPeak = designPeakSection (1000, -6.0, 500.0, kFs);
		const SectionCoefs rightHigh = designHighShelfSection (10.0, 3000.0, kFs);
		// Sections that exist but must not be reached by the other channel.
		a.setSection (2, 12.0, leftPeak);
		a.setSection (9, -6.0, rightPeak);
		a.setSection (11, 10.0, rightHigh);
		a.setSection (8, 8.0, designPeakSection (2000, 8.0, 300.0, kFs));
		a.on[8] = 0;
		a.target = a.smoother = 1.0;
		a.feedback = 1.0;
		a.in = 0.0;

		const int32_t blockSize = 480;
		const int blocks = 100;
		const int32_t total = blockSize * blocks;
		std::vector<Sample> outL (total), outR (total);
		std::vector<double> workL (blockSize), workR (blockSize);
		std::vector<Sample> toneL (blockSize), toneR (blockSize);
		for (int blk = 0; blk < blocks; ++blk)
		{
			for (int32_t j = 0; j < blockSize; ++j)
			{
				// 48 samples per period: whole periods per block.
				const double x = 0.5 * std::sin (2.0 * ord3ltest::kTestPi * (j % 48) / 48.0);
				toneL[j] = toneR[j] = static_cast<Sample> (x);
			}
			Sample* in[2] = {toneL.data (), toneR.data ()};
			Sample* out[2] = {outL.data () + blk * blockSize, outR.data () + blk * blockSize};
			path (a.state (), workL.data (), workR.data (), in, out, blockSize);
		}
		auto amplitude = [&] (const std::vector<Sample>& v) {
			double sum = 0.0;
			for (int32_t j = total - 4800; j < total; ++j)
				sum += static_cast<double> (v[j]) * static_cast<double> (v[j]);
			return std::sqrt (2.0 * sum / 4800.0);
		};
		const double expectedL = 0.5 * std::abs (ord3ltest::response (leftPeak, 1000.0, kFs));
		const double expectedR = 0.5 * std::abs (ord3ltest::response (rightPeak, 1000.0, kFs)) *
		                         std::abs (ord3ltest::response (rightHigh, 1000.0, kFs));
		const double tolerance = sizeof (Sample) == 4 ? 1e-6 : 1e-9;
		EXPECT_NEAR (amplitude (outL) / expectedL, 1.0, tolerance);
		EXPECT_NEAR (amplitude (outR) / expectedR, 1.0, tolerance);
		EXPECT_EQ (a.w1[8], 0.0);
		EXPECT_EQ (a.w1[3], 0.0);
	}
}

TYPED_TEST (EqualiserPath, MemoriesStayNormalOnSilence)
{
	// The small offset at every section input keeps the memories of running
	// sections at normal values on digital silence instead of letting them
	// decay into denormals.
	using Sample = TypeParam;
	std::mt19937_64 rng (3);
	for (PathFn<Sample> path : {&processEqualiserPath<Sample>, &processEqualiserPathLiteral<Sample>})
	{
		PathArrays a;
		a.randomDesigns (rng);
		std::vector<Sample> zeros (512, static_cast<Sample> (0.0));
		std::vector<Sample> outL (512), outR (512);
		std::vector<double> workL (512), workR (512);
		Sample* in[2] = {zeros.data (), zeros.data ()};
		Sample* out[2] = {outL.data (), outR.data ()};
		for (int blk = 0; blk < 400; ++blk)
			path (a.state (), workL.data (), workR.data (), in, out, 512);
		for (int k = 0; k < kNumFilters; ++k)
		{
			ASSERT_TRUE (a.runs (k));
			EXPECT_EQ (std::fpclassify (a.w1[k]), FP_NORMAL) << k;
			EXPECT_EQ (std::fpclassify (a.w2[k]), FP_NORMAL) << k;
			EXPECT_LT (std::fabs (a.w1[k]), 1e-12) << k;
		}
	}
}

TYPED_TEST (EqualiserPath, LevelGlidesToItsTargetAcrossBlocks)
{
	using Sample = TypeParam;
	for (PathFn<Sample> path : {&processEqualiserPath<Sample>, &processEqualiserPathLiteral<Sample>})
	{
		PathArrays a; // no section runs
		a.smoother = 0.25;
		a.target = 1.0;
		const int32_t blockSize = 512;
		const int blocks = 6;
		std::vector<Sample> ones (blockSize, static_cast<Sample> (1.0));
		std::vector<Sample> outL (blockSize * blocks), outR (blockSize * blocks);
		std::vector<double> workL (blockSize), workR (blockSize);
		for (int blk = 0; blk < blocks; ++blk)
		{
			Sample* in[2] = {ones.data (), ones.data ()};
			Sample* out[2] = {outL.data () + blk * blockSize, outR.data () + blk * blockSize};
			path (a.state (), workL.data (), workR.data (), in, out, blockSize);
		}
		const double tolerance = sizeof (Sample) == 4 ? 1e-7 : 1e-12;
		// The very first sample has already moved one step.
		EXPECT_GT (outL[0], static_cast<Sample> (0.25));
		EXPECT_NEAR (outL[0], 0.25 + 0.75 * a.in, tolerance);
		for (size_t j = 1; j < outL.size (); ++j)
		{
			ASSERT_GE (outL[j], outL[j - 1]) << j;
			ASSERT_EQ (outL[j], outR[j]) << j;
		}
		// After 50 ms (2400 samples) e^-2.2 of the step is left.
		EXPECT_NEAR ((1.0 - outL[2399]) / 0.75, std::exp (-2.2), sizeof (Sample) == 4 ? 1e-6 : 1e-9);
		EXPECT_NEAR (a.smoother, static_cast<double> (outL.back ()), tolerance);
		EXPECT_LT (a.smoother, 1.0);
	}
}

} // namespace
