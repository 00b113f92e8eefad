// Inputs outside the normal range must never turn into NaN, infinity or an
// unstable section in the sample loop.

#include "hostparameterchanges.h"
#include "statechanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace ord3ltest;

namespace {

/** Runs a few blocks of noise through a processor at fs with state s; true when every
    output sample is finite. */
bool staysFinite (double fs, const PlugState& s, std::string* why)
{
	auto p = owned (new TestableProcessor ());
	if (p->start (fs, 256, kSample64) != kResultOk)
		return false;
	p->setState (streamOf (s));
	std::mt19937 rng (7);
	std::uniform_real_distribution<double> d (-1.0, 1.0);
	bool finite = true;
	for (int round = 0; round < 40 && finite; ++round)
	{
		TestBlock<double> block (256);
		for (int32 j = 0; j < 256; ++j)
		{
			block.inL[j] = d (rng);
			block.inR[j] = d (rng);
		}
		p->process (block.data);
		for (int c = 0; c < 2; ++c)
			for (double x : block.output (c))
				if (!std::isfinite (x))
					finite = false;
	}
	if (!finite && why)
		*why = "fs " + std::to_string (fs);
	p->setActive (false);
	return finite;
}

} // namespace

TEST (Robustness, ExtremeSettingsStayFiniteAtEverySampleRate)
{
	const double rates[] = {8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0,
	                        48000.0, 88200.0, 96000.0, 192000.0, 384000.0};
	std::mt19937 rng (11);
	std::uniform_int_distribution<int> corner (0, 1);
	for (double fs : rates)
	{
		for (int trial = 0; trial < 6; ++trial)
		{
			PlugState s = makeInitialPlugState ();
			for (auto& band : s.bands)
			{
				band.gainNorm = corner (rng) ? 1.0 : 0.0; // +-16 dB
				band.freqNorm = trial < 3 ? 1.0 : corner (rng);
				band.qNorm = corner (rng);
			}
			s.rangeNorm = 1.0;
			s.levelNorm = 1.0;
			std::string why;
			EXPECT_TRUE (staysFinite (fs, s, &why)) << why << " trial " << trial;
		}
	}
}

TEST (Robustness, BrokenStoredValuesDoNotBreakTheFilters)
{
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	const double values[] = {nan, inf, -inf, -3.0, 1.25, 4.0, 1e300, -1e300,
	                         std::nextafter (0.5, 1.0), std::nextafter (0.5, 0.0)};
	for (double v : values)
	{
		for (int field = 0; field < 5; ++field)
		{
			PlugState s = makeInitialPlugState ();
			for (auto& band : s.bands)
			{
				band.gainNorm = 0.9;
				switch (field)
				{
					case 0: band.gainNorm = v; break;
					case 1: band.freqNorm = v; break;
					case 2: band.qNorm = v; break;
					default: break;
				}
			}
			if (field == 3)
				s.rangeNorm = v;
			if (field == 4)
				s.levelNorm = v;
			for (double fs : {44100.0, 96000.0})
			{
				std::string why;
				EXPECT_TRUE (staysFinite (fs, s, &why)) << "value " << v << " field " << field << " " << why;
			}
		}
	}
}

TEST (Robustness, StoredValuesOutsideTheRangeAreHeldAtItsEnds)
{
	// A stored MF gain of 50 asked for +1584 dB: every 32-bit sample became infinite.
	// The update reads it as 1 (+16 dB), a NaN gain as 0 dB (the band does not run), and
	// the record keeps the bytes it was given.
	struct Case
	{
		double gainNorm;
		double gainDb; // the MF2 filter's working gain
		bool runs;
	};
	const Case cases[] = {{50.0, 16.0, true}, {-50.0, -16.0, true},
	                      {std::numeric_limits<double>::quiet_NaN (), std::nan (""), false}};
	for (const Case& c : cases)
	{
		PlugState s = makeInitialPlugState ();
		s.bands[kBandMF2].gainNorm = c.gainNorm;
		s.bands[kBandMF2].freqNorm = 3.0;
		s.bands[kBandMF2].qNorm = -2.0;
		auto run = [&] (auto sample) {
			using Sample = decltype (sample);
			auto p = owned (new TestableProcessor ());
			ASSERT_EQ (p->start (48000.0, 256, sizeof (Sample) == 4 ? kSample32 : kSample64), kResultOk);
			auto in = streamOf (s);
			ASSERT_EQ (p->setState (in), kResultOk);
			TestBlock<Sample> block (256);
			std::mt19937 rng (3);
			std::uniform_real_distribution<double> d (-1.0, 1.0);
			for (int round = 0; round < 20; ++round)
			{
				for (int32 j = 0; j < 256; ++j)
				{
					block.inL[j] = static_cast<Sample> (d (rng));
					block.inR[j] = static_cast<Sample> (d (rng));
				}
				p->process (block.data);
				for (int ch = 0; ch < 2; ++ch)
					for (Sample x : block.output (ch))
						ASSERT_TRUE (std::isfinite (x)) << c.gainNorm << " round " << round;
			}
			if (std::isnan (c.gainDb))
				EXPECT_TRUE (std::isnan (p->filterGainDb[kBandMF2]));
			else
				EXPECT_EQ (p->filterGainDb[kBandMF2], c.gainDb);
			EXPECT_EQ (p->filterFreqHz[kBandMF2], 15999.999999999996) << "held at 1";
			EXPECT_EQ (p->filterQ[kBandMF2], 1.0) << "held at 0";
			EXPECT_EQ (p->sectionRuns (kBandMF2), c.runs) << c.gainNorm;
			auto out = owned (new MemoryStream ());
			ASSERT_EQ (p->getState (out), kResultOk);
			EXPECT_EQ (bytesOf (*out), bytesOf (*streamOf (s))) << c.gainNorm;
			p->setActive (false);
		};
		run (float ());
		run (double ());
	}
}
