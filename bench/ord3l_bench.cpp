// Measures the equaliser's sample loops and the cost of one filter update.
//
//   ord3l_bench           full run (a few seconds)
//   ord3l_bench --quick   short smoke run
//
// Prints ns per stereo frame of the fast path and of the reference loop for
// 32-bit and 64-bit samples at 48 kHz in 512-sample blocks with all twelve
// sections running, their ratio, and ns per complete filter update.

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "equaliserpath.h"
#include "parametercurves.h"
#include "peakingdesign.h"
#include "sectioncoefs.h"
#include "shelvingdesign.h"

using namespace Steinberg::Vst;

namespace {

constexpr double kFs = 48000.0;
constexpr int32_t kBlock = 512;

using Clock = std::chrono::steady_clock;

// A realistic setting, as normalized parameter values.
struct Settings
{
	double gainNorm[kBandsPerChannel] = {0.69, 0.375, 0.59, 0.31, 0.66, 0.625};
	double freqNorm[kBandsPerChannel] = {0.35, 0.30, 0.50, 0.68, 0.80, 0.55};
	double qNorm[kBandsPerChannel] = {0.5, 0.15, 0.30, 0.50515, 0.0, 0.5};
	double rangeNorm = 1.0;
	double levelNorm = 0.75;
};

// Everything a filter update writes.
struct Filters
{
	double gainDb[kNumFilters] {};
	double freqHz[kNumFilters] {};
	double q[kNumFilters] {};
	int16_t on[kNumFilters] {};
	uint8_t usable[kNumFilters] {};
	double b0[kNumFilters] {}, b1[kNumFilters] {}, b2[kNumFilters] {};
	double a1[kNumFilters] {}, a2[kNumFilters] {};
	double w1[kNumFilters] {}, w2[kNumFilters] {};
	double target = 1.0;
	double smoother = 1.0;
	double inCoef = 0.0;
	double feedbackCoef = 0.0;
};

// One complete update the way the processor runs it: the curves for the left
// channel, copied to the right, then twelve designs and the level.
void update (const Settings& s, Filters& f)
{
	for (int b = 0; b < kBandsPerChannel; ++b)
	{
		f.gainDb[b] = bandGainDb (s.gainNorm[b]);
		f.freqHz[b] = b == 0 ? lowShelfFreqHz (s.freqNorm[b])
		                     : (b == kBandsPerChannel - 1 ? highShelfFreqHz (s.freqNorm[b])
		                                           : peakFreqHz (s.freqNorm[b]));
		f.q[b] = bandQ (s.qNorm[b]);
		f.on[b] = bandOnFlag (true);
		f.gainDb[b + kBandsPerChannel] = f.gainDb[b];
		f.freqHz[b + kBandsPerChannel] = f.freqHz[b];
		f.q[b + kBandsPerChannel] = f.q[b];
		f.on[b + kBandsPerChannel] = f.on[b];
	}
	const double range = rangeFactor (s.rangeNorm);
	for (int k = 0; k < kNumFilters; ++k)
	{
		if (f.gainDb[k] == 0.0 || f.gainDb[k] != f.gainDb[k])
			continue;
		const double g = f.gainDb[k] * range;
		const int band = k % kBandsPerChannel;
		SectionCoefs c;
		if (band == 0)
			c = designLowShelfSection (g, f.freqHz[k], kFs);
		else if (band == kBandsPerChannel - 1)
			c = designHighShelfSection (g, f.freqHz[k], kFs);
		else
			c = designPeakSection (static_cast<int16_t> (static_cast<int32_t> (f.freqHz[k])), g,
			                       f.freqHz[k] / f.q[k], kFs);
		f.usable[k] = isUsableSection (c) ? 1 : 0;
		f.b0[k] = c.b0;
		f.b1[k] = c.b1;
		f.b2[k] = c.b2;
		f.a1[k] = c.a1;
		f.a2[k] = c.a2;
	}
	f.target = outputGainFromLevel (s.levelNorm);
}

EqualiserPathState stateOf (Filters& f)
{
	return {f.gainDb, f.on, f.usable, f.b0, f.b1, f.b2, f.a1, f.a2, f.w1,
	        f.w2, f.feedbackCoef, f.inCoef, f.target, &f.smoother};
}

template <typename Sample>
using PathFn = void (*) (const EqualiserPathState&, double*, double*, Sample* const*,
                         Sample* const*, int32_t);

template <typename Sample>
struct Buffers
{
	std::vector<Sample> in[2], out[2];
	std::vector<double> work[2];

	Buffers ()
	{
		std::mt19937_64 rng (1234);
		std::uniform_real_distribution<double> d (-0.5, 0.5);
		for (int c = 0; c < 2; ++c)
		{
			in[c].resize (kBlock);
			for (auto& x : in[c])
				x = static_cast<Sample> (d (rng));
			out[c].assign (kBlock, Sample (0));
			work[c].assign (kBlock, 0.0);
		}
	}
};

Filters makeFilters ()
{
	Filters f;
	calcSmoothingCoefs (50.0, kFs, f.inCoef, f.feedbackCoef);
	update (Settings {}, f);
	f.smoother = f.target;
	return f;
}

// Best of several timed runs of `blocks` consecutive blocks, in ns per frame.
template <typename Sample>
double nsPerFrame (PathFn<Sample> path, int blocks, int repeats)
{
	Filters f = makeFilters ();
	Buffers<Sample> buf;
	Sample* in[2] = {buf.in[0].data (), buf.in[1].data ()};
	Sample* out[2] = {buf.out[0].data (), buf.out[1].data ()};
	const EqualiserPathState st = stateOf (f);
	for (int i = 0; i < blocks / 4 + 1; ++i)
		path (st, buf.work[0].data (), buf.work[1].data (), in, out, kBlock);

	double best = 1e300;
	for (int r = 0; r < repeats; ++r)
	{
		const auto t0 = Clock::now ();
		for (int i = 0; i < blocks; ++i)
			path (st, buf.work[0].data (), buf.work[1].data (), in, out, kBlock);
		const auto t1 = Clock::now ();
		const double ns = std::chrono::duration<double, std::nano> (t1 - t0).count ();
		best = std::min (best, ns / (static_cast<double> (blocks) * kBlock));
	}
	return best;
}

// Runs both paths over the same blocks and compares every output bit.
template <typename Sample>
bool pathsAgree (int blocks)
{
	Filters ff = makeFilters ();
	Filters fl = ff;
	Buffers<Sample> bf, bl;
	Sample* inF[2] = {bf.in[0].data (), bf.in[1].data ()};
	Sample* outF[2] = {bf.out[0].data (), bf.out[1].data ()};
	Sample* inL[2] = {bl.in[0].data (), bl.in[1].data ()};
	Sample* outL[2] = {bl.out[0].data (), bl.out[1].data ()};
	for (int i = 0; i < blocks; ++i)
	{
		processEqualiserPath<Sample> (stateOf (ff), bf.work[0].data (), bf.work[1].data (), inF,
		                              outF, kBlock);
		processEqualiserPathLiteral<Sample> (stateOf (fl), bl.work[0].data (), bl.work[1].data (),
		                                     inL, outL, kBlock);
		for (int c = 0; c < 2; ++c)
			if (std::memcmp (bf.out[c].data (), bl.out[c].data (), kBlock * sizeof (Sample)) != 0)
				return false;
	}
	return std::memcmp (ff.w1, fl.w1, sizeof ff.w1) == 0 &&
	       std::memcmp (ff.w2, fl.w2, sizeof ff.w2) == 0 &&
	       std::memcmp (&ff.smoother, &fl.smoother, sizeof ff.smoother) == 0;
}

// ns per complete filter update; the settings move a little each time so
// that nothing can be carried over from the previous call.
double nsPerUpdate (int updates, int repeats)
{
	Filters f = makeFilters ();
	Settings s;
	volatile double sink = 0.0;
	double best = 1e300;
	for (int r = 0; r < repeats; ++r)
	{
		const auto t0 = Clock::now ();
		for (int i = 0; i < updates; ++i)
		{
			const double nudge = (i & 255) * 1e-6;
			s.gainNorm[2] = 0.59 + nudge;
			s.freqNorm[0] = 0.35 + nudge;
			s.qNorm[3] = 0.50515 + nudge;
			s.levelNorm = 0.75 + nudge;
			update (s, f);
			sink = sink + f.b0[2] + f.a1[6] + f.target;
		}
		const auto t1 = Clock::now ();
		best = std::min (best, std::chrono::duration<double, std::nano> (t1 - t0).count () / updates);
	}
	return best;
}

} // namespace

int main (int argc, char** argv)
{
	bool quick = false;
	for (int i = 1; i < argc; ++i)
	{
		if (std::strcmp (argv[i], "--quick") == 0)
			quick = true;
		else
		{
			std::fprintf (stderr, "usage: %s [--quick]\n", argv[0]);
			return 2;
		}
	}

	const int blocks = quick ? 200 : 4000; // 512-sample blocks per timed run
	const int repeats = quick ? 3 : 7;
	const int updates = quick ? 5000 : 200000;

	const bool agreeF = pathsAgree<float> (quick ? 8 : 64);
	const bool agreeD = pathsAgree<double> (quick ? 8 : 64);

	// Untimed first round, so that the clock of the core has settled.
	nsPerFrame<float> (&processEqualiserPath<float>, blocks, 2);

	const double fastF = nsPerFrame<float> (&processEqualiserPath<float>, blocks, repeats);
	const double litF = nsPerFrame<float> (&processEqualiserPathLiteral<float>, blocks, repeats);
	const double fastD = nsPerFrame<double> (&processEqualiserPath<double>, blocks, repeats);
	const double litD = nsPerFrame<double> (&processEqualiserPathLiteral<double>, blocks, repeats);
	const double upd = nsPerUpdate (updates, repeats);

	std::printf ("ord3l_bench%s: %.0f Hz, %d-sample blocks, 6 bands x 2 channels running\n",
	             quick ? " (quick)" : "", kFs, kBlock);
	std::printf ("equaliser path, ns per stereo frame:\n");
	std::printf ("  %-8s %10s %10s %8s %10s\n", "samples", "fast", "reference", "ratio",
	             "identical");
	std::printf ("  %-8s %10.2f %10.2f %7.2fx %10s\n", "float", fastF, litF, litF / fastF,
	             agreeF ? "yes" : "NO");
	std::printf ("  %-8s %10.2f %10.2f %7.2fx %10s\n", "double", fastD, litD, litD / fastD,
	             agreeD ? "yes" : "NO");
	std::printf ("  per 512-sample block: fast %.1f us (float), %.1f us (double)\n",
	             fastF * kBlock * 1e-3, fastD * kBlock * 1e-3);
	std::printf ("filter update (12 designs, 12 exp curves, level pow): %.0f ns\n", upd);

	if (!agreeF || !agreeD)
	{
		std::fprintf (stderr, "fast path and reference loop disagree\n");
		return 1;
	}
	return 0;
}
