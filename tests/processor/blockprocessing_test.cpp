#include "hostparameterchanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include "source/processor/dsp/peakingdesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace ord3ltest;

namespace {

constexpr double kPi = 3.141592653589793;

struct Fixture : ::testing::Test
{
	void SetUp () override { ASSERT_EQ (p->start (48000.0, 512), kResultOk); }
	void TearDown () override { p->setActive (false); }

	template <typename Sample>
	tresult run (TestBlock<Sample>& block, HostParameterChanges* changes = nullptr)
	{
		block.data.inputParameterChanges = changes;
		return p->process (block.data);
	}

	IPtr<TestableProcessor> p = owned (new TestableProcessor ());
};

template <typename Sample>
void fillNoise (TestBlock<Sample>& block, unsigned seed)
{
	std::mt19937 rng (seed);
	std::uniform_real_distribution<double> d (-0.9, 0.9);
	for (size_t i = 0; i < block.inL.size (); ++i)
	{
		block.inL[i] = static_cast<Sample> (d (rng));
		block.inR[i] = static_cast<Sample> (d (rng));
	}
}

bool sameBits (double a, double b) { return std::memcmp (&a, &b, sizeof a) == 0; }

struct Memories
{
	double w1[12], w2[12], smoother;
};

Memories memoriesOf (TestableProcessor& p)
{
	Memories m;
	std::memcpy (m.w1, p.filterW1, sizeof m.w1);
	std::memcpy (m.w2, p.filterW2, sizeof m.w2);
	m.smoother = p.smootherState;
	return m;
}

bool sameMemories (const Memories& a, const Memories& b)
{
	return std::memcmp (a.w1, b.w1, sizeof a.w1) == 0 && std::memcmp (a.w2, b.w2, sizeof a.w2) == 0 &&
	       sameBits (a.smoother, b.smoother);
}

} // namespace

using BlockProcessing = Fixture;

TEST_F (BlockProcessing, ParameterChangesApplyWithoutAudio)
{
	// No samples, then no buses: the values are stored and the filters follow.
	auto changes = owned (new HostParameterChanges ());
	changes->add (kGainMF1Id, {{0, 0.2}, {64, 0.4}, {128, 0.6}});
	changes->add (kRangeId, {{0, 0.25}});
	TestBlock<float> block (0);
	EXPECT_EQ (run (block, changes), kResultOk);
	EXPECT_EQ (p->plugState.bands[kBandMF1].gainNorm, 0.6); // the last point, whatever its offset
	EXPECT_EQ (p->filterGainDb[kBandMF1], 0.6 * 32.0 - 16.0);
	EXPECT_EQ (p->rangeFactor, 0.25);

	TestBlock<float> noBuses (64);
	noBuses.data.numInputs = 0;
	changes->clear ();
	changes->add (kLevelId, {{0, 1.0}});
	std::fill (noBuses.outL.begin (), noBuses.outL.end (), 7.0f);
	EXPECT_EQ (run (noBuses, changes), kResultOk);
	EXPECT_EQ (p->plugState.levelNorm, 1.0);
	EXPECT_EQ (p->outputGainTarget, 3.9810717055349754);
	EXPECT_EQ (noBuses.outL[0], 7.0f); // no audio touched
}

TEST_F (BlockProcessing, SwitchesAndIgnoredTags)
{
	struct Case
	{
		ParamID tag;
		double value;
		bool PlugBandState::*bandFlag;
		int32 band;
		bool expected;
	};
	const Case cases[] = {
	    {kChanStatusMF2Id, 0.5, &PlugBandState::enabled, kBandMF2, false},
	    {kChanStatusMF2Id, 0.5000001, &PlugBandState::enabled, kBandMF2, true},
	    {kChanStatusLFId, 0.0, &PlugBandState::enabled, kBandLF, false},
	    {kChanStatusHFId, 1.0, &PlugBandState::enabled, kBandHF, true},
	};
	for (const auto& c : cases)
	{
		auto changes = owned (new HostParameterChanges ());
		changes->add (c.tag, {{0, c.value}});
		TestBlock<float> block (8);
		run (block, changes);
		EXPECT_EQ (p->plugState.bands[c.band].*c.bandFlag, c.expected) << c.tag << " " << c.value;
		EXPECT_EQ (p->filterOn[c.band + 6], c.expected ? 1 : 0);
	}

	// Tags 5, 25 and 27 store nothing, but each still runs the filter update;
	// a null queue runs none. The update shows by rewriting a per-filter value.
	for (ParamID tag : {ParamID (kQLFId), ParamID (kQHFId), ParamID (27)})
	{
		const PlugState before = p->plugState;
		p->filterGainDb[3] = 99.0;
		auto changes = owned (new HostParameterChanges ());
		HostParamValueQueue* q = changes->add (tag, {{0, 0.9}});
		TestBlock<float> block (8);
		run (block, changes);
		EXPECT_TRUE (samePlugState (before, p->plugState)) << tag;
		EXPECT_EQ (p->filterGainDb[3], 0.0) << tag;
		EXPECT_EQ (q->getPointCalls, 0) << tag; // no point asked for
	}
	p->filterGainDb[3] = 99.0;
	auto nullOnly = owned (new HostParameterChanges ());
	nullOnly->addNull ();
	TestBlock<float> block (8);
	run (block, nullOnly);
	EXPECT_EQ (p->filterGainDb[3], 99.0);
	p->filterGainDb[3] = 0.0;

	// A queue whose point cannot be read stores nothing.
	auto failing = owned (new HostParameterChanges ());
	failing->add (kGainHFId, {{0, 0.9}})->failGetPoint = true;
	run (block, failing);
	EXPECT_EQ (p->plugState.bands[kBandHF].gainNorm, 0.5);
}

TEST_F (BlockProcessing, BypassCopiesTheVeryBlockThatCarriesIt)
{
	// Run a boosted band first so that the memories hold something.
	auto boost = owned (new HostParameterChanges ());
	boost->add (kGainMF2Id, {{0, 0.9}});
	TestBlock<double> warm (256);
	fillNoise (warm, 1);
	run (warm, boost);
	const Memories before = memoriesOf (*p);

	auto bypass = owned (new HostParameterChanges ());
	bypass->add (kBypassId, {{0, 1.0}});
	TestBlock<double> block (256);
	fillNoise (block, 2);
	block.out.silenceFlags = 3;
	run (block, bypass);
	EXPECT_EQ (block.outL, block.inL);
	EXPECT_EQ (block.outR, block.inR);
	EXPECT_EQ (block.out.silenceFlags, 0u);
	EXPECT_TRUE (sameMemories (before, memoriesOf (*p)));

	// Back on: the next block continues from the memories of the last processed one,
	// exactly as if the bypassed block had never been there.
	auto on = owned (new HostParameterChanges ());
	on->add (kBypassId, {{0, 0.0}});
	TestBlock<double> next (256);
	fillNoise (next, 3);
	run (next, on);

	auto q = owned (new TestableProcessor ());
	ASSERT_EQ (q->start (48000.0, 512), kResultOk);
	TestBlock<double> warm2 (256);
	fillNoise (warm2, 1);
	warm2.data.inputParameterChanges = boost;
	q->process (warm2.data);
	TestBlock<double> next2 (256);
	fillNoise (next2, 3);
	q->process (next2.data);
	EXPECT_EQ (next.outL, next2.outL);
	EXPECT_EQ (next.outR, next2.outR);
	q->setActive (false);
}

TEST_F (BlockProcessing, SilentInputIsPassedOnWithoutTouchingAnyState)
{
	auto boost = owned (new HostParameterChanges ());
	boost->add (kGainLFId, {{0, 1.0}});
	TestBlock<float> warm (128);
	fillNoise (warm, 4);
	run (warm, boost);
	const Memories before = memoriesOf (*p);

	for (bool inPlace : {false, true})
	{
		TestBlock<float> block (128, inPlace);
		fillNoise (block, 5);
		if (!inPlace)
		{
			std::fill (block.outL.begin (), block.outL.end (), 3.0f);
			std::fill (block.outR.begin (), block.outR.end (), 3.0f);
		}
		const auto inputL = block.inL;
		block.in.silenceFlags = 1; // only the left channel is flagged
		run (block);
		EXPECT_EQ (block.out.silenceFlags, 1u);
		if (inPlace)
			EXPECT_EQ (block.output (0), inputL); // a shared buffer is left as it is
		else
			for (int c = 0; c < 2; ++c)
				for (float s : block.output (c))
					ASSERT_EQ (s, 0.0f);
		EXPECT_TRUE (sameMemories (before, memoriesOf (*p)));
	}
}

TEST_F (BlockProcessing, FlatBandsGiveTheInputTimesTheLevel)
{
	// Every gain at 0.5 is exactly 0 dB whatever the Range; MF3 is boosted but off.
	PlugState s = makeInitialPlugState ();
	s.rangeNorm = 0.3;
	s.levelNorm = 0.5; // -12 dB
	s.bands[kBandMF3].gainNorm = 1.0;
	s.bands[kBandMF3].enabled = false;
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (p->setState (stream), kResultOk);

	TestBlock<double> block (300);
	fillNoise (block, 6);
	const Memories before = memoriesOf (*p);
	run (block);
	// The level glides from 0 dB towards -12 dB, sample by sample.
	double level = before.smoother;
	for (int32 j = 0; j < 300; ++j)
	{
		level = level * p->smoothingFeedbackCoef + p->outputGainTarget * p->smoothingInCoef;
		ASSERT_TRUE (sameBits (block.outL[j], block.inL[j] * level)) << j;
		ASSERT_TRUE (sameBits (block.outR[j], block.inR[j] * level)) << j;
	}
	EXPECT_EQ (std::memcmp (before.w1, p->filterW1, sizeof before.w1), 0);
	EXPECT_EQ (std::memcmp (before.w2, p->filterW2, sizeof before.w2), 0);
	EXPECT_GT (block.outL[0] / block.inL[0], 0.99); // starts near 0 dB, no jump
	EXPECT_LT (std::fabs (block.outL[299] / block.inL[299]), 1.0);
}

TEST_F (BlockProcessing, InPlaceEqualsSeparateBuffersInBothSampleSizes)
{
	// Settings at the start, then a switch mid-stream that carries the running sections'
	// memories over to new coefficients.
	auto settings = [] (unsigned round) {
		auto c = owned (new HostParameterChanges ());
		if (round == 0)
		{
			c->add (kGainLFId, {{0, 0.9}});
			c->add (kGainMF2Id, {{0, 0.1}});
			c->add (kGainHFId, {{0, 0.7}});
			c->add (kLevelId, {{0, 0.6}});
		}
		else if (round == 2)
		{
			c->add (kFreqLFId, {{0, 0.0}});
			c->add (kGainMF2Id, {{0, 0.8}});
			c->add (kQMF2Id, {{0, 1.0}});
			c->add (kGainHFId, {{0, 0.2}});
		}
		return c;
	};
	auto compare = [&] (auto sample) {
		using Sample = decltype (sample);
		auto a = owned (new TestableProcessor ());
		auto b = owned (new TestableProcessor ());
		ASSERT_EQ (a->start (44100.0, 512, sizeof (Sample) == 4 ? kSample32 : kSample64), kResultOk);
		ASSERT_EQ (b->start (44100.0, 512, sizeof (Sample) == 4 ? kSample32 : kSample64), kResultOk);
		for (unsigned round = 0; round < 4; ++round)
		{
			TestBlock<Sample> separate (512), shared (512, true);
			fillNoise (separate, 10 + round);
			fillNoise (shared, 10 + round);
			auto c1 = settings (round);
			auto c2 = settings (round);
			separate.data.inputParameterChanges = c1;
			shared.data.inputParameterChanges = c2;
			a->process (separate.data);
			b->process (shared.data);
			ASSERT_EQ (separate.output (0), shared.output (0));
			ASSERT_EQ (separate.output (1), shared.output (1));
		}
	};
	compare (float ());
	compare (double ());
}

TEST_F (BlockProcessing, LongBlocksAreFilteredInPartsWithTheSameResult)
{
	// A host that sends more than it promised: 1000 samples to buffers of 100.
	auto filtered = [] (int32 maxBlock) {
		auto proc = owned (new TestableProcessor ());
		EXPECT_EQ (proc->start (48000.0, maxBlock, kSample64), kResultOk);
		auto c = owned (new HostParameterChanges ());
		c->add (kGainMF1Id, {{0, 0.95}});
		c->add (kLevelId, {{0, 0.2}});
		TestBlock<double> block (1000);
		fillNoise (block, 20);
		block.data.inputParameterChanges = c;
		proc->process (block.data);
		proc->setActive (false);
		return std::make_pair (block.outL, block.outR);
	};
	EXPECT_EQ (filtered (100), filtered (1000));
}

TEST_F (BlockProcessing, AnMf2EditReachesBothChannelsInTheSameBlock)
{
	// +8 dB at 800 Hz (gain 0.75) with Range 100 %: a tone at the centre comes out
	// about 8 dB louder in both channels, already in the block that carries the edit.
	auto edit = owned (new HostParameterChanges ());
	edit->add (kGainMF2Id, {{0, 0.75}});
	const int32 n = 48000 / 4;
	auto tone = owned (new TestableProcessor ());
	ASSERT_EQ (tone->start (48000.0, n, kSample64), kResultOk);
	TestBlock<double> block (n);
	for (int32 j = 0; j < n; ++j)
		block.inL[j] = block.inR[j] = 0.1 * std::sin (2.0 * kPi * 799.0 * j / 48000.0);
	block.data.inputParameterChanges = edit;
	tone->process (block.data);

	const SectionCoefs expected =
	    designPeakSection (799, 8.0, tone->filterFreqHz[kBandMF2] / tone->filterQ[kBandMF2], 48000.0);
	for (int32 k : {int32 (kBandMF2), int32 (kBandMF2 + 6)})
	{
		EXPECT_EQ (tone->coefB0[k], expected.b0);
		EXPECT_EQ (tone->coefA2[k], expected.a2);
	}
	auto rmsDb = [&] (const std::vector<double>& x) {
		double sum = 0.0;
		for (int32 j = n / 2; j < n; ++j)
			sum += x[j] * x[j];
		return 20.0 * std::log10 (std::sqrt (sum / (n / 2)) / (0.1 / std::sqrt (2.0)));
	};
	EXPECT_NEAR (rmsDb (block.outL), 8.0, 0.05);
	EXPECT_NEAR (rmsDb (block.outR), 8.0, 0.05);
	tone->setActive (false);
}
