#include "source/processor/plugprocessor.h"

#include "source/processor/dsp/parametercurves.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <new>

namespace Steinberg {
namespace Vst {

PlugProcessor::PlugProcessor ()
{
	setControllerClass (kPlugControllerUID);
	plugState = makeInitialPlugState ();
}

PlugProcessor::~PlugProcessor () = default; // the work buffers free themselves

FUnknown* PlugProcessor::createInstance (void* /*context*/)
{
	return static_cast<IAudioProcessor*> (new PlugProcessor ());
}

tresult PLUGIN_API PlugProcessor::initialize (FUnknown* context)
{
	if (AudioEffect::initialize (context) != kResultOk)
		return kResultFalse;

	addAudioInput (STR16 ("AudioInput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
	addAudioOutput (STR16 ("AudioOutput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);

	sampleRateHz = 44100.0;
	maxBlockSamples = 0;
	for (int32 i = 0; i < kNumFilters; ++i)
	{
		coefB0[i] = coefB1[i] = coefB2[i] = coefA1[i] = coefA2[i] = 0.0;
		filterW1[i] = filterW2[i] = 0.0;
		filterUsable[i] = 0;
		memoryCoefs[i] = {};
		sectionRan[i] = 0;
	}
	// A terminate without setActive (false) may have left buffers behind.
	processingAllowed.store (false, std::memory_order_release);
	processorActive = false;
	workBufferL.reset ();
	workBufferR.reset ();
	workBufferSamples = 0;
	smoothingInCoef = smoothingFeedbackCoef = 0.0;
	smoothingTimeMs = 50.0;
	return kResultOk;
}

tresult PLUGIN_API PlugProcessor::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                      SpeakerArrangement* outputs, int32 numOuts)
{
	if (numIns > 0 && (!inputs || SpeakerArr::getChannelCount (inputs[0]) != 2))
		return kResultFalse;
	if (numOuts > 0 && (!outputs || SpeakerArr::getChannelCount (outputs[0]) != 2))
		return kResultFalse;
	return AudioEffect::setBusArrangements (inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API PlugProcessor::canProcessSampleSize (int32 symbolicSampleSize)
{
	return (symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64) ? kResultTrue
	                                                                            : kResultFalse;
}

tresult PLUGIN_API PlugProcessor::setupProcessing (ProcessSetup& setup)
{
	// Taken even when the base refuses the sample size; setActive (true) uses them.
	sampleRateHz = setup.sampleRate;
	maxBlockSamples = setup.maxSamplesPerBlock;
	return AudioEffect::setupProcessing (setup);
}

void PlugProcessor::calcSmoothingCoefs (double timeMs, double fs, double& inCoef, double& feedbackCoef)
{
	::Steinberg::Vst::calcSmoothingCoefs (timeMs, fs, inCoef, feedbackCoef);
	// A sample rate that is not a positive number gives no usable smoother: follow the target.
	if (!(feedbackCoef >= 0.0 && feedbackCoef < 1.0))
	{
		feedbackCoef = 0.0;
		inCoef = 1.0;
	}
}

tresult PLUGIN_API PlugProcessor::setActive (TBool state)
{
	if (state)
	{
		if (maxBlockSamples < 0)
			return kInvalidArgument;
		processingAllowed.store (false, std::memory_order_release);
		if (processorActive)
			plugState = latestRecordWhileActive ();

		// Silent memories; the first block starts every running section from them.
		for (int32 i = 0; i < kNumFilters; ++i)
		{
			filterW1[i] = filterW2[i] = 0.0;
			sectionRan[i] = 0;
		}

		workBufferL.reset ();
		workBufferR.reset ();
		workBufferSamples = 0;
		const auto size = static_cast<size_t> (maxBlockSamples);
		workBufferL.reset (new (std::nothrow) double[size] ());
		workBufferR.reset (new (std::nothrow) double[size] ());
		if (!workBufferL || !workBufferR)
		{
			workBufferL.reset ();
			workBufferR.reset ();
			processorActive = false;
			return kOutOfMemory;
		}
		workBufferSamples = maxBlockSamples;

		calcSmoothingCoefs (smoothingTimeMs, sampleRateHz, smoothingInCoef, smoothingFeedbackCoef);
		updateFilters (true);

		// Hand-over starts afresh: both sides agree on the current record.
		stateFromMain.clear ();
		stateFromProcess.clear ();
		lastSetState = {plugState, setGeneration};
		lastProcessState = lastSetState;
		appliedGeneration = setGeneration;
		processorActive = true;
		processingAllowed.store (true, std::memory_order_release);
	}
	else
	{
		processingAllowed.store (false, std::memory_order_release);
		if (processorActive)
		{
			// Keep what was set or applied last; a record set after the last block is
			// applied here.
			PlugState latest = latestRecordWhileActive ();
			if (!samePlugState (latest, plugState))
			{
				plugState = latest;
				updateFilters (false);
			}
		}
		processorActive = false;
		workBufferL.reset ();
		workBufferR.reset ();
		workBufferSamples = 0;
	}
	return AudioEffect::setActive (state);
}

PlugState PlugProcessor::latestRecordWhileActive ()
{
	StampedState fetched;
	if (stateFromProcess.fetch (fetched))
		lastProcessState = fetched;
	return lastProcessState.generation < setGeneration ? lastSetState.state : lastProcessState.state;
}

tresult PLUGIN_API PlugProcessor::setState (IBStream* state)
{
	if (!processorActive)
	{
		tresult result = readPlugState (&plugState, state);
		updateFilters (false);
		return result;
	}

	// Active: the processing thread owns plugState and the filters. Hand the record over;
	// the next block applies it before it is filtered.
	PlugState incoming {};
	tresult result = readPlugState (&incoming, state);
	if (result != kResultOk)
		return result;
	lastSetState = {incoming, ++setGeneration};
	stateFromMain.publish (lastSetState);
	return result;
}

tresult PLUGIN_API PlugProcessor::getState (IBStream* state)
{
	if (!processorActive)
		return writePlugState (&plugState, state);
	PlugState latest = latestRecordWhileActive ();
	return writePlugState (&latest, state);
}

} // namespace Vst
} // namespace Steinberg
