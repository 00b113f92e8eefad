// Settings that change while audio plays: a running section's state is carried over
// to its new coefficients, and a section that starts running again starts from
// silence, so a switch gives no burst beyond the level change itself.

#include "hostparameterchanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

using namespace ord3ltest;

namespace {

constexpr double kFs = 48000.0;
constexpr int32 kBlock = 512;
constexpr int32 kWarmBlocks = 48;  // 0.5 s on the first setting
constexpr int32 kAfterBlocks = 5;  // the 50 ms after the change, and a little more

IPtr<MemoryStream> streamOf (const PlugState& s)
{
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

/** Music-like input: partials at 110, 220 and 1320 Hz plus noise, about -12 dBFS. */
double inputAt (int32 j, int channel)
{
	static const std::vector<double> noise = [] {
		std::mt19937 rng (5);
		std::uniform_real_distribution<double> d (-0.05, 0.05);
		std::vector<double> v (2 * (kWarmBlocks + kAfterBlocks) * kBlock);
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

/** Plays the input with `initial` set while inactive and returns the peak output from
    block kWarmBlocks on; `record`, if given, receives every output sample. */
template <typename Sample>
double peakAfterChange (const PlugState& initial, bool raw, const ChangeHook& change,
                        std::vector<Sample>* record = nullptr)
{
	auto p = owned (new TestableProcessor ());
	p->rawMemorySwitching = raw;
	EXPECT_EQ (p->start (kFs, kBlock, sizeof (Sample) == 4 ? kSample32 : kSample64, false), kResultOk);
	p->setState (streamOf (initial));
	p->setActive (true);
	TestBlock<Sample> block (kBlock);
	double peak = 0.0;
	IPtr<HostParameterChanges> keep;
	for (int32 k = 0; k < kWarmBlocks + kAfterBlocks; ++k)
	{
		for (int32 j = 0; j < kBlock; ++j)
		{
			block.inL[j] = static_cast<Sample> (inputAt (k * kBlock + j, 0));
			block.inR[j] = static_cast<Sample> (inputAt (k * kBlock + j, 1));
		}
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
	moved.bands[kBandMF1].freqNorm = std::log (5000.0 / 40.0) / std::log (400.0);
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
			if (k == kWarmBlocks - 5 || k == kWarmBlocks)
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
