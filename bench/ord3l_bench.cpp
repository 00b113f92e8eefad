// Measures the equaliser's sample loops and the processor's own filter update.
//
//   ord3l_bench           full run (a few seconds)
//   ord3l_bench --quick   short smoke run
//
// Prints ns per stereo frame of the fast path and of the reference loop for
// 32-bit and 64-bit samples at 48 kHz in 512-sample blocks with all twelve
// sections running, their ratio, and ns per PlugProcessor::updateFilters call.
// The coefficients come from a PlugProcessor that was given the settings as
// its stored state and then activated, as a host would do.

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "quickoption.h"
#include "public.sdk/source/common/memorystream.h"
#include "source/processor/dsp/equaliserpath.h"
#include "source/processor/plugprocessor.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kFs = 48000.0;
constexpr int32_t kBlock = 512;

using Clock = std::chrono::steady_clock;

// A realistic setting: every band running, none at 0 dB.
PlugState benchSettings ()
{
	const double gainNorm[kNumEqBands] = {0.69, 0.375, 0.59, 0.31, 0.66, 0.625};
	const double freqNorm[kNumEqBands] = {0.35, 0.30, 0.50, 0.68, 0.80, 0.55};
	const double qNorm[kNumEqBands] = {0.5, 0.15, 0.30, 0.50515, 0.0, 0.5};
	PlugState state = makeInitialPlugState (); // Level 0 dB, Range 100 %, bands on
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		state.bands[b].gainNorm = gainNorm[b];
		state.bands[b].freqNorm = freqNorm[b];
		state.bands[b].qNorm = qNorm[b];
	}
	return state;
}

// The processor with its filter update and the members the sample loops borrow
// opened up; nothing else is changed.
class BenchProcessor : public PlugProcessor
{
public:
	using PlugProcessor::plugState;
	using PlugProcessor::updateFilters;

	EqualiserPathState pathState ()
	{
		return {filterGainDb, filterOn, filterUsable, coefB0, coefB1, coefB2, coefA1, coefA2,
		        filterW1, filterW2, smoothingFeedbackCoef, smoothingInCoef, outputGainTarget,
		        &smootherState};
	}
};

// Initialised, set up for 48 kHz stereo in 512-sample blocks, given the settings
// as a stored state and activated.
std::unique_ptr<BenchProcessor> makeProcessor ()
{
	auto proc = std::make_unique<BenchProcessor> ();
	const PlugState state = benchSettings ();
	MemoryStream stream;
	ProcessSetup setup {kRealtime, kSample32, kBlock, kFs};
	bool ok = proc->initialize (nullptr) == kResultOk && proc->setupProcessing (setup) == kResultOk &&
	          writePlugState (&state, &stream) == kResultOk &&
	          stream.seek (0, IBStream::kIBSeekSet, nullptr) == kResultOk &&
	          proc->setState (&stream) == kResultOk && proc->setActive (true) == kResultOk;
	// The figures are for all twelve sections running.
	const EqualiserPathState st = proc->pathState ();
	for (int32 k = 0; k < kNumFilters; ++k)
		ok = ok && st.gainDb[k] != 0.0 && st.on[k] != 0 && st.usable[k] != 0;
	if (!ok)
	{
		std::fprintf (stderr, "the processor did not take the benchmark's setup\n");
		std::exit (1);
	}
	return proc;
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

// Best of several timed runs of `blocks` consecutive blocks, in ns per frame.
template <typename Sample>
double nsPerFrame (PathFn<Sample> path, int blocks, int repeats)
{
	auto proc = makeProcessor ();
	Buffers<Sample> buf;
	Sample* in[2] = {buf.in[0].data (), buf.in[1].data ()};
	Sample* out[2] = {buf.out[0].data (), buf.out[1].data ()};
	const EqualiserPathState st = proc->pathState ();
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

// Runs both paths over the same blocks, each on its own processor's filters,
// and compares every output bit and the memories and level left behind.
template <typename Sample>
bool pathsAgree (int blocks)
{
	auto procF = makeProcessor ();
	auto procL = makeProcessor ();
	const EqualiserPathState stF = procF->pathState ();
	const EqualiserPathState stL = procL->pathState ();
	Buffers<Sample> bf, bl;
	Sample* inF[2] = {bf.in[0].data (), bf.in[1].data ()};
	Sample* outF[2] = {bf.out[0].data (), bf.out[1].data ()};
	Sample* inL[2] = {bl.in[0].data (), bl.in[1].data ()};
	Sample* outL[2] = {bl.out[0].data (), bl.out[1].data ()};
	for (int i = 0; i < blocks; ++i)
	{
		processEqualiserPath<Sample> (stF, bf.work[0].data (), bf.work[1].data (), inF, outF, kBlock);
		processEqualiserPathLiteral<Sample> (stL, bl.work[0].data (), bl.work[1].data (), inL, outL,
		                                     kBlock);
		for (int c = 0; c < 2; ++c)
			if (std::memcmp (bf.out[c].data (), bl.out[c].data (), kBlock * sizeof (Sample)) != 0)
				return false;
	}
	const size_t memBytes = kNumFilters * sizeof (double);
	return std::memcmp (stF.w1, stL.w1, memBytes) == 0 && std::memcmp (stF.w2, stL.w2, memBytes) == 0 &&
	       std::memcmp (stF.smootherState, stL.smootherState, sizeof (double)) == 0;
}

// ns per PlugProcessor::updateFilters (false), the call that follows every parameter
// queue of a block; the settings move a little each time, so every call designs
// new coefficients.
double nsPerUpdate (int updates, int repeats)
{
	auto proc = makeProcessor ();
	const PlugState base = benchSettings ();
	PlugState& state = proc->plugState;
	const double* b0 = proc->pathState ().b0;
	volatile double sink = 0.0;
	double best = 1e300;
	for (int r = 0; r < repeats; ++r)
	{
		const auto t0 = Clock::now ();
		for (int i = 0; i < updates; ++i)
		{
			const double nudge = (i & 255) * 1e-6;
			state.bands[2].gainNorm = base.bands[2].gainNorm + nudge;
			state.bands[0].freqNorm = base.bands[0].freqNorm + nudge;
			state.bands[3].qNorm = base.bands[3].qNorm + nudge;
			state.levelNorm = base.levelNorm + nudge;
			proc->updateFilters (false);
			sink = sink + b0[2] + b0[6];
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
	if (!readQuickOption (argc, argv, quick))
		return 2;

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
	std::printf ("PlugProcessor::updateFilters, one call (12 designs, curves, level): %.0f ns\n",
	             upd);

	if (!agreeF || !agreeD)
	{
		std::fprintf (stderr, "fast path and reference loop disagree\n");
		return 1;
	}
	return 0;
}
