// Measures the transients that setting changes cause while audio plays, with each
// running section's state carried over to its new coefficients ("after") and with
// the coefficients switched over raw memories ("before"), in one run, for 32- and
// 64-bit samples.
//
//   ord3l_transients           full run
//   ord3l_transients --quick   short smoke run
//
// A real processor is driven through its interfaces at 48 kHz in 512-sample blocks,
// fed a music-like signal: partials at 110, 220 and 1320 Hz plus white noise, about
// -12 dBFS. Each figure, in dB, is the peak output over the 50 ms after a change
// divided by the larger of the steady peaks of the settings on both sides over the
// same samples; a steady run is a fresh processor holding one setting, fed the same
// input from the start. Groups:
//   1. realistic preset pairs (gains within +-9 dB or 0 dB, any frequency, Q 1..4),
//      each switched by setState while active and by one block of parameter queues;
//   2. extreme pairs (every normalized gain, frequency and Q from {0, 1, uniform});
//   3. automation sweeps, one point per block, over 4 s and squeezed into 10 blocks:
//      the sweep's peak over the peak of the same blocks played with each block's
//      setting held;
//   4. a running band switched off and on every 100 ms for 2 s: by its switch, by its
//      gain to 0 dB and back, and with frequency, gain and Q moved while it is off;
//   5. a running band switched off, moved (frequency and Q) and on again while its
//      section filters nothing, measured when audio reaches it again: the plug-in
//      bypassed meanwhile, the input flagged silent meanwhile (a stopped transport),
//      and one block that brings a stored record with the band off and moved together
//      with a queue that switches it on.
//   6. gentle automation of a low, narrow band through or near 0 dB, one point per
//      block, at 44.1 to 384 kHz, on a sine at the band's frequency: its gain, or the
//      Range with the band at +12 dB. Against the same carry rule with no limit on the
//      memories' growth: the largest output difference in dB of the output's peak, and
//      the peak second difference |y[n] - 2y[n-1] + y[n-2]| in dB over that rule's; for
//      raw switching, the earlier rule (silent memories for near-cancelling targets)
//      and the shipping one.
// Prints median, 95th percentile and maximum per group 1 to 5, both figures per case of
// group 6, and the carry-over's cost.
// Exits with 1 when an "after" figure misses its target.

#include "quickoption.h"
#include "hostparameterchanges.h"
#include "memoryswitching.h"
#include "silentfallbackcarry.h"
#include "statechanges.h"
#include "testblock.h"
#include "teststreams.h"

#include "source/processor/dsp/parametercurves.h"
#include "source/processor/plugprocessor.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace ord3ltest;

namespace {

constexpr double kFs = 48000.0;
constexpr int32 kBlock = 512;
constexpr int32 kWindow = 2400;     // 50 ms after a change
constexpr int32 kWarmBlocks = 48;   // about 0.5 s before the first change
constexpr double kPi = 3.141592653589793;

/** The processor as shipped, or switching over raw memories when `raw` is set. */
class BenchProcessor : public MemorySwitching<PlugProcessor>
{
public:
	explicit BenchProcessor (bool raw) { rawMemorySwitching = raw; }
};

//------------------------------------------------------------------------
// The input: the same for every run, long enough for every scenario.
struct Input
{
	std::vector<double> l, r;

	explicit Input (int32 samples) : l (samples), r (samples)
	{
		std::mt19937 rng (2024);
		std::uniform_real_distribution<double> noise (-0.05, 0.05);
		const double freqs[] = {110.0, 220.0, 1320.0};
		for (int32 j = 0; j < samples; ++j)
		{
			double tone = 0.0;
			for (int k = 0; k < 3; ++k)
				tone += 0.07 * std::sin (2.0 * kPi * freqs[k] * j / kFs + k);
			l[j] = tone + noise (rng);
			r[j] = tone + noise (rng);
		}
	}
};

//------------------------------------------------------------------------
// A processor playing the input block by block; keeps |output| (both channels) per sample.
template <typename Sample>
class Session
{
public:
	Session (const Input& input, const PlugState& initial, bool raw, int32 firstBlock = 0)
	: input (input), p (owned (new BenchProcessor (raw))), block (kBlock), next (firstBlock)
	{
		p->initialize (nullptr);
		ProcessSetup setup {kRealtime, sizeof (Sample) == 4 ? kSample32 : kSample64, kBlock, kFs};
		p->setupProcessing (setup);
		p->setState (streamOf (initial));
		p->setActive (true);
	}
	~Session ()
	{
		p->setActive (false);
		p->terminate ();
	}

	/** Plays the next block; changes (may be null) arrive with it. A silent block is
	    zeros, flagged silent as a host does with a stopped transport. */
	void play (HostParameterChanges* changes = nullptr, bool silent = false)
	{
		const int32 from = next * kBlock;
		for (int32 j = 0; j < kBlock; ++j)
		{
			block.inL[j] = silent ? Sample (0) : static_cast<Sample> (input.l[from + j]);
			block.inR[j] = silent ? Sample (0) : static_cast<Sample> (input.r[from + j]);
		}
		block.in.silenceFlags = silent ? 3 : 0;
		block.data.inputParameterChanges = changes;
		p->process (block.data);
		for (int32 j = 0; j < kBlock; ++j)
			out.push_back (std::max (std::fabs (static_cast<double> (block.outL[j])),
			                         std::fabs (static_cast<double> (block.outR[j]))));
		++next;
	}

	void playTo (int32 endBlock)
	{
		while (next < endBlock)
			play ();
	}

	void setState (const PlugState& s) { p->setState (streamOf (s)); }

	/** Peak over samples [from, from + n) of the whole input timeline. */
	double peak (int32 from, int32 n) const
	{
		double m = 0.0;
		const int32 offset = from - start;
		for (int32 j = std::max (offset, 0); j < offset + n && j < static_cast<int32> (out.size ()); ++j)
			m = std::max (m, out[static_cast<size_t> (j)]);
		return m;
	}

	const Input& input;
	IPtr<BenchProcessor> p;
	TestBlock<Sample> block;
	int32 next;
	int32 start {next * kBlock};
	std::vector<double> out;
};

double db (double ratio) { return 20.0 * std::log10 (ratio); }

//------------------------------------------------------------------------
// Settings.
PlugState flatState ()
{
	PlugState s = makeInitialPlugState ();
	for (auto& b : s.bands)
		b.gainNorm = 0.5;
	s.rangeNorm = 1.0;
	s.levelNorm = 0.75;
	return s;
}

PlugState realisticPreset (std::mt19937& rng)
{
	std::uniform_real_distribution<double> u (0.0, 1.0);
	PlugState s = flatState ();
	for (auto& b : s.bands)
	{
		b.gainNorm = u (rng) < 0.3 ? 0.5 : 0.5 + (u (rng) * 18.0 - 9.0) / 32.0;
		b.freqNorm = u (rng);
		b.qNorm = u (rng) * std::log10 (4.0);
	}
	return s;
}

/** A realistic preset with one band, returned in `band`, that surely runs (3 to 9 dB). */
PlugState presetWithRunningBand (std::mt19937& rng, int32& band)
{
	std::uniform_real_distribution<double> u (0.0, 1.0);
	PlugState s = realisticPreset (rng);
	band = static_cast<int32> (u (rng) * kNumEqBands) % kNumEqBands;
	if (s.bands[band].gainNorm == 0.5)
		s.bands[band].gainNorm = 0.5 + (u (rng) < 0.5 ? -1.0 : 1.0) * (3.0 + 6.0 * u (rng)) / 32.0;
	return s;
}

PlugState extremePreset (std::mt19937& rng)
{
	std::uniform_real_distribution<double> u (0.0, 1.0);
	auto pick = [&] {
		const double r = u (rng);
		return r < 1.0 / 3.0 ? 0.0 : (r < 2.0 / 3.0 ? 1.0 : u (rng));
	};
	PlugState s = flatState ();
	for (auto& b : s.bands)
	{
		b.gainNorm = pick ();
		b.freqNorm = pick ();
		b.qNorm = pick ();
	}
	return s;
}

//------------------------------------------------------------------------
struct Stats
{
	std::vector<double> v;
	double quantile (double q) const
	{
		if (v.empty ())
			return 0.0;
		std::vector<double> s = v;
		std::sort (s.begin (), s.end ());
		const size_t i = static_cast<size_t> (std::ceil (q * static_cast<double> (s.size ()))) - 1;
		return s[std::min (i, s.size () - 1)];
	}
	double median () const { return quantile (0.5); }
	double max () const { return v.empty () ? 0.0 : *std::max_element (v.begin (), v.end ()); }
};

struct Figures
{
	Stats before, after;
};

// Steady output of one setting over the first `blocks` blocks.
template <typename Sample>
std::vector<double> steadyRun (const Input& in, const PlugState& s, int32 blocks)
{
	Session<Sample> steady (in, s, false);
	steady.playTo (blocks);
	return steady.out;
}

double peakOf (const std::vector<double>& out, int32 from, int32 n)
{
	double m = 0.0;
	for (int32 j = from; j < from + n && j < static_cast<int32> (out.size ()); ++j)
		m = std::max (m, out[static_cast<size_t> (j)]);
	return m;
}

//------------------------------------------------------------------------
// Groups 1 and 2: a switch from a to b, by setState and by parameter queues.
template <typename Sample>
void switchPairs (const Input& in, int pairs, bool extreme, unsigned seed, Figures& f)
{
	std::mt19937 rng (seed);
	const int32 blocks = kWarmBlocks + kWindow / kBlock + 1;
	const int32 at = kWarmBlocks * kBlock;
	for (int i = 0; i < pairs; ++i)
	{
		const PlugState a = extreme ? extremePreset (rng) : realisticPreset (rng);
		const PlugState b = extreme ? extremePreset (rng) : realisticPreset (rng);
		const double steady = std::max (peakOf (steadyRun<Sample> (in, a, blocks), at, kWindow),
		                                peakOf (steadyRun<Sample> (in, b, blocks), at, kWindow));
		for (bool raw : {true, false})
		{
			for (bool byQueue : {false, true})
			{
				Session<Sample> s (in, a, raw);
				s.playTo (kWarmBlocks);
				auto changes = owned (new HostParameterChanges ());
				if (byQueue)
					addStateChanges (*changes, a, b);
				else
					s.setState (b);
				s.play (changes);
				s.playTo (blocks);
				(raw ? f.before : f.after).v.push_back (db (s.peak (at, kWindow) / steady));
			}
		}
	}
}

//------------------------------------------------------------------------
// Group 3: a sweep of one parameter, one point per block.
struct Sweep
{
	const char* name;
	PlugState base;
	ParamID tag;
	double (*value) (double t); // t from 0 to 1 over the sweep
};

void setField (PlugState& s, ParamID tag, double v)
{
	const int32 band = static_cast<int32> (tag - kGainLFId) / 4;
	switch ((tag - kGainLFId) % 4)
	{
		case 0: s.bands[band].gainNorm = v; break;
		case 1: s.bands[band].freqNorm = v; break;
		case 2: s.bands[band].qNorm = v; break;
		default: s.bands[band].enabled = v > 0.5; break;
	}
}

std::vector<Sweep> sweeps ()
{
	std::vector<Sweep> list;
	PlugState mf2 = flatState ();
	mf2.bands[kBandMF2].gainNorm = 0.5 + 12.0 / 32.0;
	list.push_back ({"MF2 frequency 0-1-0 at +12 dB", mf2, kFreqMF2Id,
	                 [] (double t) { return 1.0 - std::fabs (2.0 * t - 1.0); }});
	PlugState lf = flatState ();
	lf.bands[kBandLF].gainNorm = 0.0;
	list.push_back ({"LF frequency 0-1 at -16 dB", lf, kFreqLFId, [] (double t) { return t; }});
	PlugState mf1 = flatState ();
	mf1.bands[kBandMF1].freqNorm = std::log (60.0 / 40.0) / std::log (400.0);
	mf1.bands[kBandMF1].qNorm = 1.0;
	list.push_back ({"MF1 gain -16..+16..-16 dB at 60 Hz, Q 10", mf1, kGainMF1Id,
	                 [] (double t) { return std::fabs (2.0 * t - 1.0); }});
	return list;
}

template <typename Sample>
void runSweep (const Input& in, const Sweep& sw, int32 steps, Figures& f, std::string& detail)
{
	const int32 tail = kWindow / kBlock + 1;
	auto valueAt = [&] (int32 k) { // the setting of block k (from the first sweep block)
		const int32 i = std::min (std::max (k, 0), steps - 1);
		return sw.value (steps > 1 ? static_cast<double> (i) / (steps - 1) : 1.0);
	};
	const int32 first = kWarmBlocks;
	const int32 last = first + steps + tail; // measured blocks: [first, last)

	// Each block's setting held: a fresh processor warmed up on that setting.
	double steadyPeak = 0.0;
	for (int32 k = first; k < last; ++k)
	{
		PlugState s = sw.base;
		setField (s, sw.tag, valueAt (k - first));
		Session<Sample> steady (in, s, false, k - kWarmBlocks);
		steady.playTo (k + 1);
		steadyPeak = std::max (steadyPeak, steady.peak (k * kBlock, kBlock));
	}

	for (bool raw : {true, false})
	{
		PlugState s0 = sw.base;
		setField (s0, sw.tag, valueAt (0));
		Session<Sample> s (in, s0, raw);
		s.playTo (first);
		for (int32 k = first; k < last; ++k)
		{
			auto changes = owned (new HostParameterChanges ());
			if (k - first < steps)
				changes->add (sw.tag, {{0, valueAt (k - first)}});
			s.play (changes);
		}
		const double figure = db (s.peak (first * kBlock, (last - first) * kBlock) / steadyPeak);
		(raw ? f.before : f.after).v.push_back (figure);
		char line[160];
		std::snprintf (line, sizeof line, "    %-42s %4d blocks: %+7.2f dB\n", sw.name, steps, figure);
		if (!raw)
			detail += line;
	}
}

//------------------------------------------------------------------------
// Group 4: a running band off and on every 100 ms for 2 s.
enum class Toggle
{
	bySwitch,
	byGain,
	movedWhileOff
};

template <typename Sample>
void runToggles (const Input& in, Toggle how, int presets, unsigned seed, Figures& f)
{
	std::mt19937 rng (seed);
	constexpr int kEvents = 20;
	int32 eventBlock[kEvents + 1];
	for (int m = 0; m <= kEvents; ++m)
		eventBlock[m] = kWarmBlocks + static_cast<int32> (std::lround (m * 0.1 * kFs / kBlock));
	const int32 blocks = eventBlock[kEvents] + kWindow / kBlock + 1;

	for (int i = 0; i < presets; ++i)
	{
		int32 band = 0;
		const PlugState on = presetWithRunningBand (rng, band);

		// The setting in force after event m (events 0, 2, ... switch off).
		std::vector<PlugState> setting (kEvents + 1);
		PlugState current = on;
		for (int m = 0; m < kEvents; ++m)
		{
			PlugState s = current;
			if (m % 2 == 0)
			{
				if (how == Toggle::byGain)
					s.bands[band].gainNorm = 0.5;
				else
					s.bands[band].enabled = false;
			}
			else
			{
				if (how == Toggle::byGain)
					s.bands[band].gainNorm = on.bands[band].gainNorm;
				else
					s.bands[band].enabled = true;
				current = s;
			}
			setting[m] = s;
		}
		if (how == Toggle::movedWhileOff)
			for (int m = 1; m < kEvents; m += 2)
			{
				PlugState moved = realisticPreset (rng);
				PlugBandState& b = setting[m].bands[band];
				b.gainNorm = moved.bands[band].gainNorm == 0.5 ? 0.75 : moved.bands[band].gainNorm;
				b.freqNorm = moved.bands[band].freqNorm;
				b.qNorm = moved.bands[band].qNorm;
				// The off period before it carries the same moved values.
				PlugBandState& off = setting[m - 1].bands[band];
				off.gainNorm = b.gainNorm;
				off.freqNorm = b.freqNorm;
				off.qNorm = b.qNorm;
			}

		// Steady output of every setting involved (the band off counts once).
		std::map<int, std::vector<double>> steady;
		auto steadyOf = [&] (int m) -> const std::vector<double>& {
			const int key = m < 0 || (m % 2 == 1 && how != Toggle::movedWhileOff) ? -1 : (m % 2 == 0 ? -2 : m);
			auto it = steady.find (key);
			if (it == steady.end ())
				it = steady.emplace (key, steadyRun<Sample> (in, m < 0 ? on : setting[m], blocks)).first;
			return it->second;
		};

		for (bool raw : {true, false})
		{
			Session<Sample> s (in, on, raw);
			PlugState previous = on;
			for (int m = 0; m < kEvents; ++m)
			{
				s.playTo (eventBlock[m]);
				if (how == Toggle::movedWhileOff && m % 2 == 0)
				{
					// Switch off, then move the band three blocks later.
					PlugState offOnly = previous;
					offOnly.bands[band].enabled = false;
					auto changes = owned (new HostParameterChanges ());
					addStateChanges (*changes, previous, offOnly);
					s.play (changes);
					s.playTo (eventBlock[m] + 3);
					auto moves = owned (new HostParameterChanges ());
					addStateChanges (*moves, offOnly, setting[m]);
					s.play (moves);
				}
				else
				{
					auto changes = owned (new HostParameterChanges ());
					addStateChanges (*changes, previous, setting[m]);
					s.play (changes);
				}
				previous = setting[m];
			}
			s.playTo (blocks);
			for (int m = 0; m < kEvents; ++m)
			{
				const int32 at = eventBlock[m] * kBlock;
				const double ref = std::max (peakOf (steadyOf (m - 1), at, kWindow),
				                             peakOf (steadyOf (m), at, kWindow));
				(raw ? f.before : f.after).v.push_back (db (s.peak (at, kWindow) / ref));
			}
		}
	}
}

//------------------------------------------------------------------------
// Group 5: a band changed while its section filters nothing, heard again afterwards.
enum class Resume
{
	afterBypass,
	afterSilence,
	inOneBlock
};

template <typename Sample>
void runResumes (const Input& in, Resume how, int presets, unsigned seed, Figures& f)
{
	std::mt19937 rng (seed);
	constexpr int32 kGap = 4; // blocks of bypass or silence: band off, moved, on
	const int32 resumeBlock = how == Resume::inOneBlock ? kWarmBlocks : kWarmBlocks + kGap;
	const int32 blocks = resumeBlock + kWindow / kBlock + 1;
	const int32 at = resumeBlock * kBlock;
	auto silentBlock = [&] (int32 k) {
		return how == Resume::afterSilence && k >= kWarmBlocks && k < resumeBlock;
	};

	for (int i = 0; i < presets; ++i)
	{
		int32 band = 0;
		const PlugState a = presetWithRunningBand (rng, band);
		PlugState b = a;
		const PlugState moved = realisticPreset (rng);
		b.bands[band].freqNorm = moved.bands[band].freqNorm;
		b.bands[band].qNorm = moved.bands[band].qNorm;
		PlugState bOff = b;
		bOff.bands[band].enabled = false;
		PlugState aOff = a;
		aOff.bands[band].enabled = false;

		// Both settings played steadily over the same input (with the same silent blocks).
		auto steadyPeak = [&] (const PlugState& s) {
			Session<Sample> steady (in, s, false);
			for (int32 k = 0; k < blocks; ++k)
				steady.play (nullptr, silentBlock (k));
			return steady.peak (at, kWindow);
		};
		const double ref = std::max (steadyPeak (a), steadyPeak (b));

		for (bool raw : {true, false})
		{
			Session<Sample> s (in, a, raw);
			s.playTo (kWarmBlocks);
			if (how == Resume::inOneBlock)
			{
				s.setState (bOff);
				auto on = owned (new HostParameterChanges ());
				on->add (kChanStatusLFId + 4 * band, {{0, 1.0}});
				s.play (on);
			}
			else
			{
				const bool bypass = how == Resume::afterBypass;
				const PlugState steps[kGap] = {a, aOff, bOff, b};
				for (int32 g = 0; g < kGap; ++g)
				{
					auto changes = owned (new HostParameterChanges ());
					if (g == 0 && bypass)
						changes->add (kBypassId, {{0, 1.0}});
					else if (g > 0)
						addStateChanges (*changes, steps[g - 1], steps[g]);
					s.play (changes, !bypass);
				}
				auto back = owned (new HostParameterChanges ());
				if (bypass)
					back->add (kBypassId, {{0, 0.0}});
				s.play (back);
			}
			s.playTo (blocks);
			(raw ? f.before : f.after).v.push_back (db (s.peak (at, kWindow) / ref));
		}
	}
}

//------------------------------------------------------------------------
// Group 6: gentle automation through or near 0 dB.
struct GentleRamp
{
	std::string name;
	double fs;
	int32 band;     // a peaking band, at hz with Q 10
	double hz;
	ParamID tag;    // its gain, or the Range
	double from, to; // normalized, over the ramp
	double seconds;
};

std::vector<GentleRamp> gentleRamps ()
{
	const auto gain = [] (double db) { return 0.5 + db / 32.0; };
	std::vector<GentleRamp> list = {
	    {"48 kHz, 60 Hz, +12 to -12 dB, 10 s", 48000.0, kBandMF2, 60.0, kGainMF2Id, gain (12.0), gain (-12.0), 10.0},
	    {"44.1 kHz, 40 Hz, +1 to -1 dB, 4 s", 44100.0, kBandMF1, 40.0, kGainMF1Id, gain (1.0), gain (-1.0), 4.0},
	    {"96 kHz, 40 Hz, +1 to -1 dB, 4 s", 96000.0, kBandMF1, 40.0, kGainMF1Id, gain (1.0), gain (-1.0), 4.0},
	    {"192 kHz, 40 Hz, +12 to -12 dB, 10 s", 192000.0, kBandMF1, 40.0, kGainMF1Id, gain (12.0), gain (-12.0), 10.0},
	    {"384 kHz, 40 Hz, +1 to -1 dB, 4 s", 384000.0, kBandMF1, 40.0, kGainMF1Id, gain (1.0), gain (-1.0), 4.0},
	};
	for (double fs : {44100.0, 48000.0, 96000.0, 192000.0})
	{
		char name[64];
		std::snprintf (name, sizeof name, "%.3g kHz, Range 100 to 1 %% at +12 dB, 40 Hz, 4 s", fs / 1000.0);
		list.push_back ({name, fs, kBandMF1, 40.0, kRangeId, 1.0, 0.01, 4.0});
	}
	return list;
}

enum class Rule
{
	unlimited, // reference: every pending output carried, however large the memories
	raw,
	silentFallback,
	shipping
};

// Blocks in which the earlier rule started a section from silence instead of carrying.
int gSilentFallbackBlocks = 0;
int32 gBlockPlayed = -1;
int32 gLastFallbackBlock = -1;

void countedSilentFallback (const SectionCoefs& from, const SectionCoefs& to, double& w1, double& w2)
{
	double u1 = w1, u2 = w2;
	carryWithSilentFallback (from, to, w1, w2);
	carryWithoutGrowthLimit (from, to, u1, u2);
	if ((w1 != u1 || w2 != u2) && gLastFallbackBlock != gBlockPlayed)
	{
		++gSilentFallbackBlocks;
		gLastFallbackBlock = gBlockPlayed;
	}
}

// The largest factor by which the reference rule grew a section's memories in one carry.
double gLargestGrowth = 0.0;

void measuredUnlimitedCarry (const SectionCoefs& from, const SectionCoefs& to, double& w1, double& w2)
{
	const double replaced = std::max (std::fabs (w1), std::fabs (w2));
	carryWithoutGrowthLimit (from, to, w1, w2);
	if (replaced > 0.0)
		gLargestGrowth = std::max (gLargestGrowth, std::max (std::fabs (w1), std::fabs (w2)) / replaced);
}

/** The left output of one ramp: 0.5 s on its first point, the ramp, 0.25 s on its last. */
template <typename Sample>
std::vector<double> playRamp (const GentleRamp& r, Rule rule)
{
	PlugState s = flatState ();
	s.bands[r.band].freqNorm = expToNormalized (r.hz, 40.0, 16000.0);
	s.bands[r.band].qNorm = 1.0;
	s.bands[r.band].gainNorm = r.tag == kRangeId ? 0.5 + 12.0 / 32.0 : r.from;
	if (r.tag == kRangeId)
		s.rangeNorm = r.from;

	auto p = owned (new BenchProcessor (rule == Rule::raw));
	if (rule == Rule::unlimited)
		p->carryRule = measuredUnlimitedCarry;
	if (rule == Rule::silentFallback)
		p->carryRule = countedSilentFallback;
	p->initialize (nullptr);
	ProcessSetup setup {kRealtime, sizeof (Sample) == 4 ? kSample32 : kSample64, kBlock, r.fs};
	p->setupProcessing (setup);
	p->setState (streamOf (s));
	p->setActive (true);

	const int32 warm = static_cast<int32> (0.5 * r.fs / kBlock);
	const int32 steps = static_cast<int32> (r.seconds * r.fs / kBlock);
	const int32 tail = static_cast<int32> (0.25 * r.fs / kBlock);
	TestBlock<Sample> block (kBlock);
	std::vector<double> out;
	out.reserve (static_cast<size_t> ((warm + steps + tail) * kBlock));
	for (int32 k = 0; k < warm + steps + tail; ++k)
	{
		for (int32 j = 0; j < kBlock; ++j)
		{
			const double x = 0.5 * std::sin (2.0 * kPi * r.hz * (k * kBlock + j) / r.fs);
			block.inL[j] = block.inR[j] = static_cast<Sample> (x);
		}
		auto changes = owned (new HostParameterChanges ());
		const int32 step = k - warm;
		if (step >= 0 && step < steps)
			changes->add (r.tag, {{0, r.from + (r.to - r.from) * step / (steps - 1)}});
		block.data.inputParameterChanges = changes;
		gBlockPlayed = k;
		p->process (block.data);
		for (int32 j = 0; j < kBlock; ++j)
			out.push_back (static_cast<double> (block.outL[j]));
	}
	p->setActive (false);
	p->terminate ();
	return out;
}

struct Continuity
{
	double differenceDb, secondDifferenceDb;
};

Continuity continuityAgainst (const std::vector<double>& ref, const std::vector<double>& y)
{
	double diff = 0.0, peak = 0.0, d2 = 0.0, refD2 = 0.0;
	for (size_t n = 0; n < ref.size (); ++n)
	{
		diff = std::max (diff, std::fabs (y[n] - ref[n]));
		peak = std::max (peak, std::fabs (ref[n]));
		if (n >= 2)
		{
			d2 = std::max (d2, std::fabs (y[n] - 2.0 * y[n - 1] + y[n - 2]));
			refD2 = std::max (refD2, std::fabs (ref[n] - 2.0 * ref[n - 1] + ref[n - 2]));
		}
	}
	return {diff > 0.0 ? db (diff / peak) : -400.0, db (d2 / refD2)};
}

template <typename Sample>
bool runGentleAutomation (const char* samples, std::string& detail)
{
	constexpr Continuity kTarget {-80.0, 1.0};
	bool ok = true;
	for (const GentleRamp& r : gentleRamps ())
	{
		gLargestGrowth = 0.0;
		const std::vector<double> ref = playRamp<Sample> (r, Rule::unlimited);
		gSilentFallbackBlocks = 0;
		gLastFallbackBlock = -1;
		const Continuity raw = continuityAgainst (ref, playRamp<Sample> (r, Rule::raw));
		const Continuity silent = continuityAgainst (ref, playRamp<Sample> (r, Rule::silentFallback));
		const Continuity after = continuityAgainst (ref, playRamp<Sample> (r, Rule::shipping));
		const bool met = after.differenceDb <= kTarget.differenceDb &&
		                 after.secondDifferenceDb <= kTarget.secondDifferenceDb;
		ok &= met;
		char line[240];
		std::snprintf (line, sizeof line,
		               "    %-50s %-6s %6.1f | %+7.1f %+6.1f | %+7.1f %+6.1f %4d | %+7.1f %+6.1f | %s\n",
		               r.name.c_str (), samples, gLargestGrowth, raw.differenceDb, raw.secondDifferenceDb, silent.differenceDb,
		               silent.secondDifferenceDb, gSilentFallbackBlocks, after.differenceDb,
		               after.secondDifferenceDb, met ? "met" : "MISSED");
		detail += line;
	}
	return ok;
}

//------------------------------------------------------------------------
// The carry-over's cost: blocks that change all six bands (every section carries its
// state over) against blocks with the same parameter queues and unchanged values.
template <typename Sample>
double carryCostUs (const Input& in, int rounds, double* steadyUs)
{
	std::mt19937 rng (99);
	const PlugState a = realisticPreset (rng);
	PlugState b = a;
	for (auto& band : b.bands)
		band.gainNorm = band.gainNorm == 0.5 ? 0.6 : 1.0 - band.gainNorm;
	auto timeBlocks = [&] (bool change) {
		Session<Sample> s (in, a, false);
		s.playTo (8);
		auto toB = owned (new HostParameterChanges ());
		auto toA = owned (new HostParameterChanges ());
		for (int32 band = 0; band < kNumEqBands; ++band)
		{
			toB->add (kGainLFId + 4 * band, {{0, (change ? b : a).bands[band].gainNorm}});
			toA->add (kGainLFId + 4 * band, {{0, a.bands[band].gainNorm}});
		}
		double best = 1e300;
		for (int r = 0; r < rounds; ++r)
		{
			s.block.data.inputParameterChanges = (r % 2) ? toA.get () : toB.get ();
			const auto t0 = std::chrono::steady_clock::now ();
			s.p->process (s.block.data);
			const auto t1 = std::chrono::steady_clock::now ();
			best = std::min (best, std::chrono::duration<double, std::micro> (t1 - t0).count ());
		}
		return best;
	};
	timeBlocks (true); // settle the clock
	const double with = timeBlocks (true);
	*steadyUs = timeBlocks (false);
	return with - *steadyUs;
}

struct Target
{
	double p95, max; // dB
};

bool report (const char* group, const char* samples, const Figures& f, const Target& t)
{
	const bool ok = f.after.quantile (0.95) <= t.p95 && f.after.max () <= t.max;
	std::printf ("  %-28s %-7s %4zu | %+7.1f %+7.1f %+7.1f | %+7.1f %+7.1f %+7.1f | %s\n", group, samples,
	             f.after.v.size (), f.before.median (), f.before.quantile (0.95), f.before.max (),
	             f.after.median (), f.after.quantile (0.95), f.after.max (), ok ? "met" : "MISSED");
	return ok;
}

template <typename Sample>
bool runAll (const Input& in, bool quick, const char* samples)
{
	const int pairs = quick ? 20 : 200;
	const int presets = quick ? 2 : 15;
	bool ok = true;

	Figures realistic, extreme, slow, fast, toggles, resumes;
	switchPairs<Sample> (in, pairs, false, 1, realistic);
	switchPairs<Sample> (in, pairs, true, 2, extreme);
	std::string detail;
	for (const Sweep& sw : sweeps ())
	{
		if (!quick)
			runSweep<Sample> (in, sw, static_cast<int32> (4.0 * kFs / kBlock), slow, detail);
		runSweep<Sample> (in, sw, 10, fast, detail);
	}
	for (Toggle how : {Toggle::bySwitch, Toggle::byGain, Toggle::movedWhileOff})
		runToggles<Sample> (in, how, presets, 3 + static_cast<unsigned> (how), toggles);
	std::string resumeDetail;
	for (Resume how : {Resume::afterBypass, Resume::afterSilence, Resume::inOneBlock})
	{
		Figures way;
		runResumes<Sample> (in, how, quick ? 5 : 100, 7 + static_cast<unsigned> (how), way);
		const char* name = how == Resume::afterBypass ? "bypassed meanwhile"
		                   : how == Resume::afterSilence ? "input flagged silent meanwhile"
		                                                 : "stored record and queue in one block";
		char line[160];
		std::snprintf (line, sizeof line, "    5 %-36s before p95 %+6.1f max %+6.1f | after p95 %+6.1f max %+6.1f dB\n",
		               name, way.before.quantile (0.95), way.before.max (), way.after.quantile (0.95), way.after.max ());
		resumeDetail += line;
		for (bool raw : {true, false})
		{
			auto& all = (raw ? resumes.before : resumes.after).v;
			const auto& part = (raw ? way.before : way.after).v;
			all.insert (all.end (), part.begin (), part.end ());
		}
	}

	ok &= report ("1 realistic presets", samples, realistic, {1e9, 6.0});
	ok &= report ("2 extreme pairs", samples, extreme, {6.0, 20.0});
	if (!quick)
		ok &= report ("3 sweeps over 4 s", samples, slow, {1e9, 3.0});
	ok &= report ("3 sweeps in 10 blocks", samples, fast, {1e9, 6.0});
	ok &= report ("4 band off/on", samples, toggles, {1e9, 6.0});
	ok &= report ("5 changed while idle", samples, resumes, {1e9, 6.0});
	std::printf ("%s%s", detail.c_str (), resumeDetail.c_str ());
	return ok;
}

} // namespace

int main (int argc, char** argv)
{
	bool quick = false;
	if (!readQuickOption (argc, argv, quick))
		return 2;

	const Input in (static_cast<int32> (7.0 * kFs));
	std::printf ("ord3l_transients%s: %.0f Hz, %d-sample blocks; dB over the louder steady setting,\n"
	             "peak over the 50 ms after each change; before = raw memories, after = state carried over\n",
	             quick ? " (quick)" : "", kFs, kBlock);
	std::printf ("  %-28s %-7s %4s | %-23s | %-23s |\n", "group", "samples", "n", "before: median p95 max",
	             "after: median p95 max");
	bool ok = runAll<float> (in, quick, "32-bit");
	ok &= runAll<double> (in, quick, "64-bit");

	std::string gentle;
	ok &= runGentleAutomation<float> ("32-bit", gentle);
	ok &= runGentleAutomation<double> ("64-bit", gentle);
	std::printf ("6 gentle automation, one point per block: difference from the rule with no growth limit\n"
	             "  in dB of the output peak / peak second difference in dB over it (targets -80 / +1 dB)\n"
	             "  (growth: the largest factor by which that rule grew a section's memories in one carry)\n"
	             "    %-50s %-6s %6s | %-14s | %-19s | %-14s |\n", "", "", "growth", "raw switching",
	             "silent fallback, blocks", "after");
	std::printf ("%s", gentle.c_str ());

	double steady32 = 0.0, steady64 = 0.0;
	const double carry32 = carryCostUs<float> (in, quick ? 200 : 4000, &steady32);
	const double carry64 = carryCostUs<double> (in, quick ? 200 : 4000, &steady64);
	std::printf ("carry-over cost per block, all 12 sections changed: %+.2f us (32-bit; the block "
	             "with six queues and no change: %.2f us), %+.2f us (64-bit; %.2f us)\n",
	             carry32, steady32, carry64, steady64);

	if (!ok)
	{
		std::fprintf (stderr, "a transient figure misses its target\n");
		return 1;
	}
	return 0;
}
