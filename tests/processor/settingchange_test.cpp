// Settings that change while audio plays: before each block, a running section's state
// is carried over to its new coefficients, and a section that starts running again starts
// from silence, so a switch gives no burst beyond the level change itself, whenever and
// however the change arrived.

#include "hostparameterchanges.h"
#include "statechanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include "source/processor/dsp/parametercurves.h"
#include "source/processor/dsp/sectiontransition.h"
#include "silentfallbackcarry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace ord3ltest;

namespace {

constexpr double kFs = 48000.0;
constexpr int32 kBlock = 512;
constexpr int32 kWarmBlocks = 48;  // 0.5 s on the first setting
constexpr int32 kAfterBlocks = 5;  // the 50 ms after the change, and a little more
constexpr int32 kLongAfterBlocks = 48; // 0.5 s after the change

/** Music-like input: partials at 110, 220 and 1320 Hz plus noise, about -12 dBFS. */
double inputAt (int32 j, int channel)
{
	static const std::vector<double> noise = [] {
		std::mt19937 rng (5);
		std::uniform_real_distribution<double> d (-0.05, 0.05);
		std::vector<double> v (2 * (kWarmBlocks + kLongAfterBlocks) * kBlock);
		for (double& x : v)
			x = d (rng);
		return v;
	}();
	const double t = j / kFs;
	return 0.07 * (std::sin (2.0 * M_PI * 110.0 * t) + std::sin (2.0 * M_PI * 220.0 * t + 1.0) +
	               std::sin (2.0 * M_PI * 1320.0 * t + 2.0)) +
	       noise[static_cast<size_t> (2 * j + channel)];
}

/** Before each block k, `change` (if any) runs and may return parameter changes for it. */
using ChangeHook = std::function<HostParameterChanges* (TestableProcessor&, int32 k)>;
/** True for the blocks whose input is silent and flagged so, as with a stopped transport. */
using SilentBlocks = std::function<bool (int32 k)>;

/** Plays the input with `initial` set while inactive and returns the peak output from
    block kWarmBlocks on; `record`, if given, receives every output sample, block by block,
    left then right. */
template <typename Sample>
double peakAfterChange (const PlugState& initial, bool raw, const ChangeHook& change,
                        std::vector<Sample>* record = nullptr, const SilentBlocks& silent = nullptr,
                        int32 afterBlocks = kAfterBlocks)
{
	auto p = owned (new TestableProcessor ());
	p->rawMemorySwitching = raw;
	EXPECT_EQ (p->start (kFs, kBlock, sizeof (Sample) == 4 ? kSample32 : kSample64, false), kResultOk);
	p->setState (streamOf (initial));
	p->setActive (true);
	TestBlock<Sample> block (kBlock);
	double peak = 0.0;
	IPtr<HostParameterChanges> keep;
	for (int32 k = 0; k < kWarmBlocks + afterBlocks; ++k)
	{
		const bool quiet = silent && silent (k);
		for (int32 j = 0; j < kBlock; ++j)
		{
			block.inL[j] = quiet ? Sample (0) : static_cast<Sample> (inputAt (k * kBlock + j, 0));
			block.inR[j] = quiet ? Sample (0) : static_cast<Sample> (inputAt (k * kBlock + j, 1));
		}
		block.in.silenceFlags = quiet ? 3 : 0;
		block.data.inputParameterChanges = nullptr;
		if (change)
		{
			keep = owned (change (*p, k));
			block.data.inputParameterChanges = keep;
		}
		p->process (block.data);
		for (int c = 0; c < 2 && record; ++c)
			record->insert (record->end (), block.output (c).begin (), block.output (c).end ());
		if (k >= kWarmBlocks)
			for (int c = 0; c < 2; ++c)
				for (Sample x : block.output (c))
					peak = std::max (peak, std::fabs (static_cast<double> (x)));
	}
	p->setActive (false);
	return peak;
}

/** Peak after the change over the louder of both settings held steadily, in dB. */
template <typename Sample>
double switchFigureDb (const PlugState& a, const PlugState& b, bool byQueue, bool raw)
{
	const double steady = std::max (peakAfterChange<Sample> (a, false, nullptr),
	                                peakAfterChange<Sample> (b, false, nullptr));
	const double peak = peakAfterChange<Sample> (a, raw, [&] (TestableProcessor& p, int32 k) -> HostParameterChanges* {
		if (k != kWarmBlocks)
			return nullptr;
		if (!byQueue)
		{
			p.setState (streamOf (b));
			return nullptr;
		}
		auto* changes = new HostParameterChanges ();
		for (int32 band = 0; band < kNumEqBands; ++band)
		{
			const ParamID base = kGainLFId + 4 * band;
			changes->add (base, {{0, b.bands[band].gainNorm}});
			changes->add (base + 1, {{0, b.bands[band].freqNorm}});
			if (band != kBandLF && band != kBandHF)
				changes->add (base + 2, {{0, b.bands[band].qNorm}});
		}
		return changes;
	});
	return 20.0 * std::log10 (peak / steady);
}

/** Normalized frequency of a peaking band at hz. */
double mfFreqNorm (double hz) { return expToNormalized (hz, 40.0, 16000.0); }

PlugState preset (std::initializer_list<std::tuple<int32, double, double, double>> bands)
{
	PlugState s = makeInitialPlugState ();
	for (auto& b : s.bands)
		b.gainNorm = 0.5;
	for (const auto& [band, gainDb, freqNorm, q] : bands)
	{
		s.bands[band].gainNorm = 0.5 + gainDb / 32.0;
		s.bands[band].freqNorm = freqNorm;
		s.bands[band].qNorm = std::log10 (q);
	}
	return s;
}

} // namespace

// Between two ordinary presets, the low shelf and a 60 Hz peak move from boosts to cuts:
// over raw memories the output burst by more than 40 dB.
const PlugState kPresetA = preset ({{kBandLF, 9.0, 0.0, 1.0}, {kBandMF1, 9.0, 0.07, 4.0}, {kBandMF2, -6.0, 0.3, 2.0}});
const PlugState kPresetB = preset ({{kBandLF, -9.0, 1.0, 1.0}, {kBandMF1, -9.0, 0.8, 1.0}, {kBandMF2, 6.0, 0.6, 1.0}});

TEST (SettingChange, ARealisticSwitchStaysWithinSixDecibels)
{
	for (bool byQueue : {false, true})
	{
		const char* way = byQueue ? "parameter queues" : "setState while active";
		EXPECT_GT (switchFigureDb<float> (kPresetA, kPresetB, byQueue, true), 20.0) << way;
		EXPECT_LT (switchFigureDb<float> (kPresetA, kPresetB, byQueue, false), 6.0) << way;
		EXPECT_GT (switchFigureDb<double> (kPresetA, kPresetB, byQueue, true), 20.0) << way;
		EXPECT_LT (switchFigureDb<double> (kPresetA, kPresetB, byQueue, false), 6.0) << way;
	}
}

TEST (SettingChange, ABandSwitchedBackOnStartsFromSilence)
{
	// MF1 runs at 60 Hz, +9 dB, Q 4; it goes off (by its switch, or by its gain to 0 dB)
	// ten blocks before the measured one, is moved to 5 kHz, -9 dB, Q 1 while off, and
	// comes back on there.
	const PlugState on = kPresetA;
	PlugState moved = on;
	moved.bands[kBandMF1].gainNorm = 0.5 - 9.0 / 32.0;
	moved.bands[kBandMF1].freqNorm = mfFreqNorm (5000.0);
	moved.bands[kBandMF1].qNorm = 0.0;
	PlugState off = moved;
	off.bands[kBandMF1].enabled = false;

	for (bool byGain : {false, true})
	{
		const ParamID offTag = byGain ? ParamID (kGainMF1Id) : ParamID (kChanStatusMF1Id);
		const double offValue = byGain ? 0.5 : 0.0;
		const double onValue = byGain ? moved.bands[kBandMF1].gainNorm : 1.0;
		const ChangeHook toggle = [&] (TestableProcessor& p, int32 k) -> HostParameterChanges* {
			auto* changes = new HostParameterChanges ();
			if (k == kWarmBlocks - 10)
				changes->add (offTag, {{0, offValue}});
			if (k == kWarmBlocks - 5)
			{
				changes->add (kFreqMF1Id, {{0, moved.bands[kBandMF1].freqNorm}});
				changes->add (kQMF1Id, {{0, moved.bands[kBandMF1].qNorm}});
				if (!byGain)
					changes->add (kGainMF1Id, {{0, moved.bands[kBandMF1].gainNorm}});
			}
			// (The raw-switching processor counts every section as having run.)
			if (!p.rawMemorySwitching && (k == kWarmBlocks - 5 || k == kWarmBlocks))
			{
				EXPECT_EQ (p.sectionRan[kBandMF1], 0) << "off since block " << kWarmBlocks - 10;
			}
			if (k == kWarmBlocks)
				changes->add (offTag, {{0, onValue}});
			return changes;
		};
		const double steady = std::max (peakAfterChange<float> (moved, false, nullptr),
		                                peakAfterChange<float> (off, false, nullptr));
		const char* way = byGain ? "by gain" : "by switch";
		EXPECT_GT (20.0 * std::log10 (peakAfterChange<float> (on, true, toggle) / steady), 20.0) << way;
		EXPECT_LT (20.0 * std::log10 (peakAfterChange<float> (on, false, toggle) / steady), 6.0) << way;
	}
}

TEST (SettingChange, ChangesThatLeaveRunningSectionsAloneStayBitExact)
{
	// A new level, a band at 0 dB moved, a value sent again unchanged and a bypassed
	// block give no section new coefficients: output as with raw memories, bit for bit.
	const ChangeHook changes = [] (TestableProcessor&, int32 k) -> HostParameterChanges* {
		auto* c = new HostParameterChanges ();
		if (k == 10)
			c->add (kLevelId, {{0, 0.6}});
		if (k == 20)
			c->add (kFreqMF4Id, {{0, 0.9}});
		if (k == 30)
			c->add (kGainMF1Id, {{0, kPresetA.bands[kBandMF1].gainNorm}});
		if (k == 40 || k == 41)
			c->add (kBypassId, {{0, k == 40 ? 1.0 : 0.0}});
		return c;
	};
	auto recorded = [&] (bool raw, auto sample) {
		std::vector<decltype (sample)> out;
		peakAfterChange<decltype (sample)> (kPresetA, raw, changes, &out);
		return out;
	};
	EXPECT_EQ (recorded (true, float ()), recorded (false, float ()));
	EXPECT_EQ (recorded (true, double ()), recorded (false, double ()));
}

namespace {


double db (double ratio) { return 20.0 * std::log10 (ratio); }

enum class IdleWay
{
	bypassed,    // the plug-in bypassed meanwhile
	silentInput, // the input flagged silent meanwhile (transport stopped)
	oneBlock     // a stored record with the band off and moved, and a queue that switches it on
};

} // namespace

TEST (SettingChange, ABandChangedWhileItsSectionIsIdleComesBackWithoutABurst)
{
	// MF2 at 60 Hz, Q 10, +12 dB is switched off, moved to 2 kHz, Q 1 and switched on again
	// while its section filters nothing (four blocks before the measured one, or all in it);
	// then audio reaches it again.
	const PlugState a = preset ({{kBandMF2, 12.0, mfFreqNorm (60.0), 10.0}});
	PlugState b = a;
	b.bands[kBandMF2].freqNorm = mfFreqNorm (2000.0);
	b.bands[kBandMF2].qNorm = 0.0;
	PlugState bOff = b;
	bOff.bands[kBandMF2].enabled = false;

	for (IdleWay way : {IdleWay::bypassed, IdleWay::silentInput, IdleWay::oneBlock})
	{
		const char* what = way == IdleWay::bypassed ? "bypassed" : (way == IdleWay::silentInput ? "silent input" : "one block");
		SilentBlocks silent;
		if (way == IdleWay::silentInput)
			silent = [] (int32 k) { return k >= kWarmBlocks - 4 && k < kWarmBlocks; };
		const ChangeHook change = [&] (TestableProcessor& p, int32 k) -> HostParameterChanges* {
			auto* c = new HostParameterChanges ();
			if (way == IdleWay::oneBlock)
			{
				if (k == kWarmBlocks)
				{
					p.setState (streamOf (bOff));
					c->add (kChanStatusMF2Id, {{0, 1.0}});
				}
				return c;
			}
			const bool bypass = way == IdleWay::bypassed;
			switch (k - (kWarmBlocks - 4))
			{
				case 0: if (bypass) c->add (kBypassId, {{0, 1.0}}); break;
				case 1: c->add (kChanStatusMF2Id, {{0, 0.0}}); break;
				case 2:
					c->add (kFreqMF2Id, {{0, b.bands[kBandMF2].freqNorm}});
					c->add (kQMF2Id, {{0, b.bands[kBandMF2].qNorm}});
					break;
				case 3: c->add (kChanStatusMF2Id, {{0, 1.0}}); break;
				case 4: if (bypass) c->add (kBypassId, {{0, 0.0}}); break;
				default: break;
			}
			return c;
		};
		auto figures = [&] (auto sample) {
			using Sample = decltype (sample);
			const double steady = std::max (peakAfterChange<Sample> (a, false, nullptr, nullptr, silent),
			                                peakAfterChange<Sample> (b, false, nullptr, nullptr, silent));
			EXPECT_GT (db (peakAfterChange<Sample> (a, true, change, nullptr, silent) / steady), 20.0)
			    << what << ", " << sizeof (Sample) * 8 << "-bit, raw memories";
			EXPECT_LT (db (peakAfterChange<Sample> (a, false, change, nullptr, silent) / steady), 6.0)
			    << what << ", " << sizeof (Sample) * 8 << "-bit";
		};
		figures (float ());
		figures (double ());
	}
}

TEST (SettingChange, ASwitchBySetStateOrByQueuesPlaysTheSameBitForBit)
{
	// The memories are carried once per block, from the coefficients that last filtered
	// them: how a host splits a change into queues, and in which order, cannot matter.
	PlugState b = kPresetB;
	b.levelNorm = 0.7;
	b.rangeNorm = 0.8;
	b.bands[kBandMF4].gainNorm = 0.5 + 3.0 / 32.0;
	b.bands[kBandMF2].enabled = false;
	enum Way { bySetState, byQueues, byQueuesReversed };
	auto play = [&] (Way way, auto sample) {
		std::vector<decltype (sample)> out;
		peakAfterChange<decltype (sample)> (kPresetA, false, [&] (TestableProcessor& p, int32 k) -> HostParameterChanges* {
			auto* changes = new HostParameterChanges ();
			if (k == kWarmBlocks && way == bySetState)
				p.setState (streamOf (b));
			else if (k == kWarmBlocks)
				addStateChanges (*changes, kPresetA, b, way == byQueuesReversed);
			return changes;
		}, &out);
		return out;
	};
	EXPECT_EQ (play (bySetState, float ()), play (byQueues, float ()));
	EXPECT_EQ (play (bySetState, float ()), play (byQueuesReversed, float ()));
	EXPECT_EQ (play (bySetState, double ()), play (byQueues, double ()));
	EXPECT_EQ (play (bySetState, double ()), play (byQueuesReversed, double ()));
}

namespace {

struct NearZeroTarget
{
	const char* what;
	int32 band;
	double fromDb, freqNorm, q;
	double toGainNorm;
};

SectionCoefs coefsOf (const TestableProcessor& p, int32 i)
{
	return {p.coefB0[i], p.coefB1[i], p.coefB2[i], p.coefA1[i], p.coefA2[i]};
}

/** Plays a band moving to a new gain and compares the 0.5 s after the change with the
    same carry-over rule and the same section and level arithmetic in long double. Returns
    the largest difference in dB of the output's peak. */
template <typename Sample>
double carriedErrorDb (const NearZeroTarget& t)
{
	const PlugState a = preset ({{t.band, t.fromDb, t.freqNorm, t.q}});
	SectionCoefs from[2] {}, to[2] {};
	long double w1[2] {}, w2[2] {};
	long double smoother = 0.0L, feedback = 0.0L, inCoef = 0.0L, target = 0.0L;
	const ChangeHook hook = [&] (TestableProcessor& p, int32 k) -> HostParameterChanges* {
		for (int32 ch = 0; ch < 2; ++ch)
		{
			const int32 i = t.band + ch * kNumEqBands;
			if (k == kWarmBlocks)
			{
				from[ch] = coefsOf (p, i);
				w1[ch] = p.filterW1[i];
				w2[ch] = p.filterW2[i];
			}
			if (k == kWarmBlocks + 1)
				to[ch] = coefsOf (p, i);
		}
		if (k != kWarmBlocks)
			return nullptr;
		smoother = p.smootherState;
		feedback = p.smoothingFeedbackCoef;
		inCoef = p.smoothingInCoef;
		target = p.outputGainTarget;
		auto* changes = new HostParameterChanges ();
		changes->add (kGainLFId + 4 * t.band, {{0, t.toGainNorm}});
		return changes;
	};
	std::vector<Sample> out;
	peakAfterChange<Sample> (a, false, hook, &out, nullptr, kLongAfterBlocks);

	long double error = 0.0L, peak = 0.0L;
	for (int32 ch = 0; ch < 2; ++ch)
	{
		carrySectionState<long double> (from[ch], to[ch], w1[ch], w2[ch]);
		const SectionCoefs& c = to[ch];
		long double s = smoother;
		for (int32 k = kWarmBlocks; k < kWarmBlocks + kLongAfterBlocks; ++k)
			for (int32 j = 0; j < kBlock; ++j)
			{
				const long double x = static_cast<Sample> (inputAt (k * kBlock + j, ch));
				const long double w = (x + 1e-18L) - (c.a1 * w1[ch] + c.a2 * w2[ch]);
				const long double y = c.b0 * w + (c.b1 * w1[ch] + c.b2 * w2[ch]);
				w2[ch] = w1[ch];
				w1[ch] = w;
				s = s * feedback + target * inCoef;
				const long double expected = y * s;
				const long double got = out[static_cast<size_t> ((2 * k + ch) * kBlock + j)];
				error = std::max (error, std::fabs (got - expected));
				peak = std::max (peak, std::fabs (expected));
			}
	}
	return error > 0.0L ? db (static_cast<double> (error / peak)) : -400.0;
}

} // namespace

TEST (SettingChange, ABandMovedToAHairFromZeroDecibelsStaysAccurate)
{
	// A target whose numerator all but cancels its denominator could carry the old output
	// only with memories far beyond their old size, which would leave an arithmetic error
	// in the output for as long as the band rings; the rule holds them at a bound. Near and
	// far from that, and for a first-order shelf as well, the output stays the carry-over
	// rule's to better than -120 dB.
	const double mf60 = mfFreqNorm (60.0);
	const NearZeroTarget targets[] = {
	    {"MF2 60 Hz Q 10 +12 dB to one float step above 0 dB", kBandMF2, 12.0, mf60, 10.0, 0.5 + 0x1p-24},
	    {"MF2 60 Hz Q 10 +12 dB to 1e-10 dB", kBandMF2, 12.0, mf60, 10.0, 0.5 + 1e-10 / 32.0},
	    {"MF2 60 Hz Q 10 +12 dB to 0.003 dB", kBandMF2, 12.0, mf60, 10.0, 0.5 + 0.003 / 32.0},
	    {"MF2 60 Hz Q 10 +12 dB to 0.03 dB", kBandMF2, 12.0, mf60, 10.0, 0.5 + 0.03 / 32.0},
	    {"MF2 60 Hz Q 10 +12 dB to -6 dB", kBandMF2, 12.0, mf60, 10.0, 0.5 - 6.0 / 32.0},
	    {"MF1 40 Hz Q 10 -16 dB to one float step below 0 dB", kBandMF1, -16.0, 0.0, 10.0, 0.5 - 0x1p-24},
	    {"LF 20 Hz +16 dB to one float step above 0 dB", kBandLF, 16.0, 0.0, 1.0, 0.5 + 0x1p-24},
	    {"LF 20 Hz +16 dB to 1e-7 dB", kBandLF, 16.0, 0.0, 1.0, 0.5 + 1e-7 / 32.0},
	};
	for (const NearZeroTarget& t : targets)
	{
		EXPECT_LT (carriedErrorDb<float> (t), -120.0) << t.what << ", 32-bit";
		EXPECT_LT (carriedErrorDb<double> (t), -120.0) << t.what << ", 64-bit";
	}
}

namespace {

struct GainRamp
{
	const char* what;
	double fs;
	int32 band; // a peaking band at hz, Q 10
	double hz;
	double fromDb, toDb; // one point per block, over `blocks` blocks
	int32 blocks;
};

struct RampFigures
{
	double differenceDb;       // largest |y - reference| in dB of the reference's peak
	double secondDifferenceDb; // peak |y[n] - 2 y[n-1] + y[n-2]| in dB over the reference's
};

void silentMemories (const SectionCoefs&, const SectionCoefs&, double& w1, double& w2) { w1 = w2 = 0.0; }

/** Plays a sine at the band's frequency (0.5 peak) through the band while its gain ramps,
    with `rule` in place of the processor's carry (null: the processor's own). Compares the
    ramp and the blocks after it with the carry rule that has no growth limit, computed in
    long double from the processor's memories at the ramp's start and its coefficients and
    level, and delivered in the sample format. */
template <typename Sample>
RampFigures playGainRamp (const GainRamp& r, CarryRule rule)
{
	constexpr int32 kWarm = 40, kTail = 40;
	PlugState s = preset ({{r.band, r.fromDb, expToNormalized (r.hz, 40.0, 16000.0), 10.0}});
	auto p = owned (new TestableProcessor ());
	p->carryRule = rule;
	EXPECT_EQ (p->start (r.fs, kBlock, sizeof (Sample) == 4 ? kSample32 : kSample64, false), kResultOk);
	p->setState (streamOf (s));
	p->setActive (true);

	const int32 left = r.band;
	TestBlock<Sample> block (kBlock);
	std::vector<Sample> in, out;
	std::vector<SectionCoefs> coefs; // in force in each block from the ramp on
	SectionCoefs before {};
	long double w1 = 0.0L, w2 = 0.0L, smoother = 0.0L;
	for (int32 k = 0; k < kWarm + r.blocks + kTail; ++k)
	{
		for (int32 j = 0; j < kBlock; ++j)
			block.inL[j] = block.inR[j] =
			    static_cast<Sample> (0.5 * std::sin (2.0 * M_PI * r.hz * (k * kBlock + j) / r.fs));
		auto changes = owned (new HostParameterChanges ());
		const int32 step = k - kWarm;
		if (step >= 0 && step < r.blocks)
			changes->add (kGainLFId + 4 * r.band,
			              {{0, 0.5 + (r.fromDb + (r.toDb - r.fromDb) * step / (r.blocks - 1)) / 32.0}});
		if (k == kWarm)
		{
			before = coefsOf (*p, left);
			w1 = p->filterW1[left];
			w2 = p->filterW2[left];
			smoother = p->smootherState;
		}
		block.data.inputParameterChanges = changes;
		p->process (block.data);
		if (k >= kWarm)
		{
			coefs.push_back (coefsOf (*p, left));
			in.insert (in.end (), block.inL.begin (), block.inL.end ());
			out.insert (out.end (), block.outL.begin (), block.outL.end ());
		}
	}

	std::vector<Sample> expected (out.size ());
	const long double feedback = p->smoothingFeedbackCoef, inCoef = p->smoothingInCoef;
	const long double target = p->outputGainTarget;
	for (size_t k = 0; k < coefs.size (); ++k)
	{
		const SectionCoefs& c = coefs[k];
		const SectionCoefs& previous = k == 0 ? before : coefs[k - 1];
		if (!sameSection (c, previous))
			carrySectionState<long double> (previous, c, w1, w2, std::numeric_limits<double>::infinity ());
		for (size_t j = k * kBlock; j < (k + 1) * kBlock; ++j)
		{
			const long double w = (in[j] + 1e-18L) - (c.a1 * w1 + c.a2 * w2);
			const long double y = c.b0 * w + (c.b1 * w1 + c.b2 * w2);
			w2 = w1;
			w1 = w;
			smoother = smoother * feedback + target * inCoef;
			expected[j] = static_cast<Sample> (y * smoother);
		}
	}
	p->setActive (false);

	double diff = 0.0, peak = 0.0, d2 = 0.0, refD2 = 0.0;
	for (size_t n = 0; n < out.size (); ++n)
	{
		diff = std::max (diff, std::fabs (double (out[n]) - double (expected[n])));
		peak = std::max (peak, std::fabs (double (expected[n])));
		if (n >= 2)
		{
			d2 = std::max (d2, std::fabs (double (out[n]) - 2.0 * out[n - 1] + out[n - 2]));
			refD2 = std::max (refD2, std::fabs (double (expected[n]) - 2.0 * expected[n - 1] + expected[n - 2]));
		}
	}
	return {diff > 0.0 ? db (diff / peak) : -400.0, db (d2 / refD2)};
}

} // namespace

TEST (SettingChange, AGentleGainRampThroughZeroDecibelsCarriesEveryBlockWithoutAClick)
{
	// Automation of a low, narrow band through 0 dB, one point per block: every block's
	// target is carried as fully as the rule with no growth limit carries it, so the output
	// stays within -80 dB of that rule's and its second difference gains no click. The
	// earlier rule, which started near-flat targets from silence, and silence at every
	// change both miss it. (An even number of points keeps every one off 0 dB itself, where
	// the band does not run.)
	const GainRamp ramps[] = {
	    {"48 kHz, MF2 60 Hz Q 10, +1 to -1 dB", 48000.0, kBandMF2, 60.0, 1.0, -1.0, 188},
	    {"192 kHz, MF1 40 Hz Q 10, +1 to -1 dB", 192000.0, kBandMF1, 40.0, 1.0, -1.0, 376},
	};
	for (const GainRamp& r : ramps)
	{
		for (const RampFigures& f : {playGainRamp<float> (r, nullptr), playGainRamp<double> (r, nullptr)})
		{
			EXPECT_LT (f.differenceDb, -80.0) << r.what;
			EXPECT_LT (f.secondDifferenceDb, 1.0) << r.what;
		}
		for (CarryRule other : {CarryRule (carryWithSilentFallback), CarryRule (silentMemories)})
		{
			const RampFigures f = playGainRamp<double> (r, other);
			EXPECT_TRUE (f.differenceDb > -80.0 || f.secondDifferenceDb > 1.0)
			    << r.what << ": an earlier rule, " << f.differenceDb << " dB, " << f.secondDifferenceDb << " dB";
		}
	}
}
