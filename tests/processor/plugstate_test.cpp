#include "source/processor/plugstate.h"
#include "teststreams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ord3ltest;

namespace {

std::vector<uint8_t> written (const PlugState& s)
{
	auto stream = owned (new MemoryStream ());
	EXPECT_EQ (writePlugState (&s, stream), kResultOk);
	return bytesOf (*stream);
}

template <typename T>
T at (const std::vector<uint8_t>& bytes, size_t offset)
{
	T v;
	std::memcpy (&v, bytes.data () + offset, sizeof (T));
	return v;
}

template <typename T>
void put (std::vector<uint8_t>& bytes, size_t offset, T v)
{
	std::memcpy (bytes.data () + offset, &v, sizeof (T));
}

PlugState distinctRecord ()
{
	PlugState s = makeInitialPlugState ();
	s.bypass = true;
	s.levelNorm = 0.125;
	s.rangeNorm = std::nextafter (0.5, 1.0);
	for (int b = 0; b < kNumEqBands; ++b)
	{
		s.bands[b].gainNorm = 0.1 * b + 0.01;
		s.bands[b].freqNorm = 0.2 + 0.05 * b;
		s.bands[b].qNorm = -0.3 * b; // stored as it comes, even outside 0..1
		s.bands[b].enabled = (b % 2) == 0;
	}
	for (int i = 0; i < 6; ++i)
		s.reserved[i] = 1000.0 + i;
	s.reservedFlags[1] = true;
	s.reservedFlags[3] = true;
	return s;
}

} // namespace

TEST (PlugState, InitialRecordWritesItsKnownBytes)
{
	auto bytes = written (makeInitialPlugState ());
	ASSERT_EQ (bytes.size (), 260u);
	EXPECT_EQ (at<int64> (bytes, 0), 0);
	EXPECT_EQ (at<int32> (bytes, 8), 0);
	EXPECT_EQ (at<double> (bytes, 12), 0.75);
	EXPECT_EQ (at<double> (bytes, 20), 1.0);
	for (size_t b = 0; b < 6; ++b)
	{
		EXPECT_EQ (at<double> (bytes, 28 + 28 * b), 0.5);
		EXPECT_EQ (at<double> (bytes, 36 + 28 * b), 0.5);
		EXPECT_EQ (at<double> (bytes, 44 + 28 * b), 0.50515);
		EXPECT_EQ (at<int32> (bytes, 52 + 28 * b), 1);
	}
	for (size_t i = 0; i < 6; ++i)
		EXPECT_EQ (at<double> (bytes, 196 + 8 * i), 0.0);
	for (size_t j = 0; j < 4; ++j)
		EXPECT_EQ (at<int32> (bytes, 244 + 4 * j), 0);
}

TEST (PlugState, RoundTripKeepsEveryFieldBitForBit)
{
	PlugState original = distinctRecord ();
	original.bands[2].gainNorm = std::nan ("");
	auto bytes = written (original);
	ASSERT_EQ (bytes.size (), 260u);

	PlugState back = makeInitialPlugState ();
	auto stream = streamWith (bytes);
	ASSERT_EQ (readPlugState (&back, stream), kResultOk);
	EXPECT_TRUE (samePlugState (original, back));
	EXPECT_EQ (written (back), bytes);
}

TEST (PlugState, ShortStreamChangesNothing)
{
	auto bytes = written (distinctRecord ());
	const PlugState before = makeInitialPlugState ();
	for (size_t length : {size_t (0), size_t (7), size_t (100), size_t (259)})
	{
		PlugState target = before;
		auto stream = streamWith (std::vector<uint8_t> (bytes.begin (), bytes.begin () + length));
		EXPECT_EQ (readPlugState (&target, stream), kResultFalse) << length;
		EXPECT_TRUE (samePlugState (target, before)) << length;
	}
	PlugState target = before;
	EXPECT_EQ (readPlugState (&target, nullptr), kResultFalse);
	EXPECT_EQ (readPlugState (nullptr, streamWith (bytes)), kResultFalse);
	EXPECT_TRUE (samePlugState (target, before));
}

TEST (PlugState, SwitchSlotsAndHeaderAreReadByTheirRules)
{
	struct Case
	{
		size_t offset;
		int32 value;
		bool expected;
		bool PlugState::*flag; // null: the flag is a band's enabled flag (band 1)
	};
	const Case cases[] = {
	    {8, -1, false, &PlugState::bypass},   {8, 2, true, &PlugState::bypass},
	    {52 + 28, -1, true, nullptr},          {52 + 28, 0, false, nullptr},
	    {244 + 8, 2, true, nullptr},           {244 + 8, -5, false, nullptr},
	};
	auto base = written (makeInitialPlugState ());
	for (const auto& c : cases)
	{
		auto bytes = base;
		put<int32> (bytes, c.offset, c.value);
		put<int64> (bytes, 0, 0x7766554433221100); // the header is ignored
		PlugState s {};
		ASSERT_EQ (readPlugState (&s, streamWith (bytes)), kResultOk);
		bool got = c.flag ? s.*c.flag : (c.offset < 244 ? s.bands[1].enabled : s.reservedFlags[2]);
		EXPECT_EQ (got, c.expected) << "offset " << c.offset << " value " << c.value;
	}
}

TEST (PlugState, LongerStreamLeavesTheRestUnread)
{
	auto bytes = written (distinctRecord ());
	bytes.resize (300, 0xAB);
	auto stream = streamWith (bytes);
	PlugState s {};
	ASSERT_EQ (readPlugState (&s, stream), kResultOk);
	int64 pos = 0;
	stream->tell (&pos);
	EXPECT_EQ (pos, 260);
	EXPECT_TRUE (samePlugState (s, distinctRecord ()));
}

TEST (PlugState, WriterReportsARefusedWriteAndKeepsThePrefix)
{
	const PlugState s = distinctRecord ();
	const auto full = written (s);
	for (int64 limit : {int64 (0), int64 (4), int64 (12), int64 (259)})
	{
		auto stream = owned (new LimitedStream (limit));
		EXPECT_EQ (writePlugState (&s, stream), kResultFalse) << limit;
		ASSERT_LE (stream->bytes.size (), static_cast<size_t> (limit));
		EXPECT_TRUE (std::equal (stream->bytes.begin (), stream->bytes.end (), full.begin ()));
	}
	auto exact = owned (new LimitedStream (260));
	EXPECT_EQ (writePlugState (&s, exact), kResultOk);
	EXPECT_EQ (writePlugState (&s, nullptr), kResultFalse);
}
