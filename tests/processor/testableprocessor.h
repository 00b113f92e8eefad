#pragma once

// The processor with its members opened up for inspection, plus a helper that
// drives it through the host calls of a normal session.

#include "memoryswitching.h"
#include "source/processor/plugprocessor.h"
#include "testblock.h"

namespace ord3ltest {

using namespace Steinberg;
using namespace Steinberg::Vst;

/** With rawMemorySwitching set, coefficients switch over the raw memories. */
class TestableProcessor : public MemorySwitching<PlugProcessor>
{
public:
	using PlugProcessor::coefA1;
	using PlugProcessor::coefA2;
	using PlugProcessor::coefB0;
	using PlugProcessor::coefB1;
	using PlugProcessor::coefB2;
	using PlugProcessor::filterFreqHz;
	using PlugProcessor::filterGainDb;
	using PlugProcessor::filterOn;
	using PlugProcessor::filterQ;
	using PlugProcessor::filterUsable;
	using PlugProcessor::filterW1;
	using PlugProcessor::filterW2;
	using PlugProcessor::maxBlockSamples;
	using PlugProcessor::outputGainTarget;
	using PlugProcessor::plugState;
	using PlugProcessor::processSetup;
	using PlugProcessor::rangeFactor;
	using PlugProcessor::sampleRateHz;
	using PlugProcessor::sectionRan;
	using PlugProcessor::sectionRuns;
	using PlugProcessor::smootherState;
	using PlugProcessor::smoothingFeedbackCoef;
	using PlugProcessor::smoothingInCoef;
	using PlugProcessor::smoothingTimeMs;
	using PlugProcessor::workBufferL;
	using PlugProcessor::workBufferR;
	using PlugProcessor::workBufferSamples;

	/** initialize, setupProcessing and (optionally) setActive (true). */
	tresult start (double sampleRate = 48000.0, int32 maxBlock = 512, int32 sampleSize = kSample32,
	               bool activate = true)
	{
		tresult r = initialize (nullptr);
		if (r != kResultOk)
			return r;
		ProcessSetup setup {kRealtime, sampleSize, maxBlock, sampleRate};
		r = setupProcessing (setup);
		if (r != kResultOk)
			return r;
		return activate ? setActive (true) : kResultOk;
	}
};

} // namespace ord3ltest
