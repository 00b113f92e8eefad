// setState and getState on the main thread while process runs on the processing
// thread: no lock that process could wait on, no half-applied record, and getState
// always writes the latest whole record.

#include "hostparameterchanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

using namespace ord3ltest;

namespace {

PlugState recordWith (double mf2Gain, double level)
{
	PlugState s = makeInitialPlugState ();
	s.bands[kBandMF2].gainNorm = mf2Gain;
	s.levelNorm = level;
	return s;
}

std::vector<uint8_t> bytesOfRecord (const PlugState& s)
{
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	return bytesOf (*stream);
}

std::vector<uint8_t> stateOf (PlugProcessor& p)
{
	auto stream = owned (new MemoryStream ());
	EXPECT_EQ (p.getState (stream), kResultOk);
	return bytesOf (*stream);
}

tresult setRecord (PlugProcessor& p, const PlugState& s)
{
	return p.setState (streamWith (bytesOfRecord (s)));
}

} // namespace

TEST (StateHandOver, ActiveProcessorTakesASetStateBeforeItsNextBlock)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (48000.0, 256), kResultOk);
	const PlugState set = recordWith (0.9, 0.6);
	ASSERT_EQ (setRecord (*p, set), kResultOk);

	// Saved at once, before any block ran: what was set is what is written.
	EXPECT_EQ (stateOf (*p), bytesOfRecord (set));

	TestBlock<float> block (64);
	p->process (block.data);
	EXPECT_TRUE (samePlugState (p->plugState, set));
	EXPECT_EQ (p->filterGainDb[kBandMF2], 0.9 * 32.0 - 16.0);

	// A parameter change after the set is the latest record.
	auto changes = owned (new HostParameterChanges ());
	changes->add (kRangeId, {{0, 0.4}});
	block.data.inputParameterChanges = changes;
	p->process (block.data);
	PlugState expected = set;
	expected.rangeNorm = 0.4;
	EXPECT_EQ (stateOf (*p), bytesOfRecord (expected));

	// A set after that change wins again; a refused stream changes nothing.
	const PlugState later = recordWith (0.1, 0.2);
	ASSERT_EQ (setRecord (*p, later), kResultOk);
	EXPECT_EQ (p->setState (streamWith (std::vector<uint8_t> (100, 0))), kResultFalse);
	EXPECT_EQ (stateOf (*p), bytesOfRecord (later));

	// Deactivating before another block keeps what was set.
	ASSERT_EQ (p->setActive (false), kResultOk);
	EXPECT_TRUE (samePlugState (p->plugState, later));
	EXPECT_EQ (p->filterGainDb[kBandMF2], 0.1 * 32.0 - 16.0);
	EXPECT_EQ (stateOf (*p), bytesOfRecord (later));
}

TEST (StateHandOver, StressSetAndGetAgainstProcess)
{
	// The main thread sets records from a family and saves; the processing thread runs
	// blocks, half of them with parameter changes. Every saved state must be a record
	// that was set or one that process applied — never a mix — and ThreadSanitizer
	// (in CI) must see no race.
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (48000.0, 128), kResultOk);

	constexpr int kFamily = 16;
	std::vector<std::vector<uint8_t>> setBytes, setWithChange;
	for (int i = 0; i < kFamily; ++i)
	{
		PlugState s = recordWith (0.05 * (i + 1), 0.05 * (i + 2));
		setBytes.push_back (bytesOfRecord (s));
		s.rangeNorm = 0.75; // the change the processing thread applies on top
		setWithChange.push_back (bytesOfRecord (s));
	}

	std::atomic<bool> stop {false};
	std::atomic<long> blocks {0};
	std::thread audio ([&] {
		TestBlock<float> block (128);
		for (int32 j = 0; j < 128; ++j)
			block.inL[j] = block.inR[j] = 0.25f;
		auto changes = owned (new HostParameterChanges ());
		changes->add (kRangeId, {{0, 0.75}});
		long n = 0;
		while (!stop.load (std::memory_order_relaxed))
		{
			block.data.inputParameterChanges = (n % 2) ? changes.get () : nullptr;
			p->process (block.data);
			++n;
			for (float x : block.outL)
				if (!std::isfinite (x))
					ADD_FAILURE () << "non-finite output";
		}
		blocks = n;
	});

	// Records process may apply: a set record, possibly with Range 0.75 on top.
	std::set<std::vector<uint8_t>> allowed (setBytes.begin (), setBytes.end ());
	allowed.insert (setWithChange.begin (), setWithChange.end ());
	allowed.insert (bytesOfRecord (makeInitialPlugState ()));
	PlugState initialChanged = makeInitialPlugState ();
	initialChanged.rangeNorm = 0.75;
	allowed.insert (bytesOfRecord (initialChanged));

	const auto until = std::chrono::steady_clock::now () + std::chrono::seconds (3);
	long rounds = 0, bad = 0;
	while (std::chrono::steady_clock::now () < until)
	{
		const size_t i = static_cast<size_t> (rounds % kFamily);
		ASSERT_EQ (p->setState (streamWith (setBytes[i])), kResultOk);
		// Right after a set the saved record is the set one, or — if a block ran in
		// between — the set one with that block's change applied on top.
		auto saved = stateOf (*p);
		if (saved != setBytes[i] && saved != setWithChange[i])
			++bad;
		for (int k = 0; k < 3; ++k)
			if (!allowed.count (stateOf (*p)))
				++bad;
		++rounds;
	}
	stop = true;
	audio.join ();
	EXPECT_EQ (bad, 0);
	EXPECT_GT (rounds, 100);
	EXPECT_GT (blocks.load (), 100);
	EXPECT_EQ (p->setActive (false), kResultOk);
}
