// Block processing: parameter changes first, then silence, bypass or the equaliser path.
// Runs on the host's processing thread: no allocation, no lock, no wait.

#include "source/processor/plugprocessor.h"

#include "source/processor/dsp/equaliserpath.h"
#include "source/processor/dsp/sectiontransition.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cstring>

namespace Steinberg {
namespace Vst {

void PlugProcessor::applyParameterChanges (IParameterChanges* changes)
{
	if (!changes)
		return;
	const int32 count = changes->getParameterCount ();
	for (int32 i = 0; i < count; ++i)
	{
		IParamValueQueue* queue = changes->getParameterData (i);
		if (!queue)
			continue;
		const int32 points = queue->getPointCount ();
		const ParamID tag = queue->getParameterId ();

		// The last point holds for the whole block; sample offsets are not used.
		int32 offset = 0;
		ParamValue value = 0.0;
		auto lastValue = [&] () {
			return points > 0 && queue->getPoint (points - 1, offset, value) == kResultOk;
		};
		if (tag == kBypassId)
		{
			if (lastValue ())
				plugState.bypass = value > 0.5;
		}
		else if (tag == kLevelId)
		{
			if (lastValue ())
				plugState.levelNorm = value;
		}
		else if (tag == kRangeId)
		{
			if (lastValue ())
				plugState.rangeNorm = value;
		}
		else if (tag >= kGainLFId && tag <= kChanStatusHFId)
		{
			const int32 band = static_cast<int32> (tag - kGainLFId) / 4;
			const int32 field = static_cast<int32> (tag - kGainLFId) % 4;
			const bool shelfQ = field == 2 && (band == kBandLF || band == kBandHF);
			if (!shelfQ && lastValue ())
			{
				PlugBandState& b = plugState.bands[band];
				switch (field)
				{
					case 0: b.gainNorm = value; break;
					case 1: b.freqNorm = value; break;
					case 2: b.qNorm = value; break;
					default: b.enabled = value > 0.5; break;
				}
			}
		}
		updateFilters (false);
	}
}

namespace {

/** Bytes of one channel of the block, by the block's own sample size. */
size_t channelBytes (const ProcessData& data)
{
	return static_cast<size_t> (data.numSamples) *
	       (data.symbolicSampleSize == kSample32 ? sizeof (Sample32) : sizeof (Sample64));
}

} // namespace

void PlugProcessor::writeSilence (ProcessData& data, uint64 silenceMask)
{
	AudioBusBuffers& in = data.inputs[0];
	AudioBusBuffers& out = data.outputs[0];
	out.silenceFlags = silenceMask;
	if (!in.channelBuffers32 || !out.channelBuffers32)
		return;
	const size_t bytes = channelBytes (data);
	const int32 channels = std::min (in.numChannels, out.numChannels);
	for (int32 c = 0; c < channels; ++c)
	{
		void* dst = out.channelBuffers32[c];
		if (dst && dst != in.channelBuffers32[c])
			std::memset (dst, 0, bytes);
	}
}

tresult PLUGIN_API PlugProcessor::process (ProcessData& data)
{
	const bool active = processingAllowed.load (std::memory_order_acquire);
	if (active)
	{
		bool recordChanged = false;
		StampedState incoming;
		if (stateFromMain.fetch (incoming))
		{
			plugState = incoming.state;
			appliedGeneration = incoming.generation;
			updateFilters (false);
			recordChanged = true;
		}
		if (data.inputParameterChanges && data.inputParameterChanges->getParameterCount () > 0)
		{
			applyParameterChanges (data.inputParameterChanges);
			recordChanged = true;
		}
		if (recordChanged)
			stateFromProcess.publish ({plugState, appliedGeneration});
	}

	if (data.numInputs == 0 || data.numOutputs == 0 || !data.inputs || !data.outputs)
		return kResultOk;
	if (data.numSamples <= 0)
		return kResultOk;

	AudioBusBuffers& in = data.inputs[0];
	AudioBusBuffers& out = data.outputs[0];

	// Not active (no work buffers): pass silence on rather than leave garbage.
	if (!active || workBufferSamples <= 0)
	{
		const int32 channels = std::min (in.numChannels, out.numChannels);
		writeSilence (data, channels >= 64 ? ~uint64 (0) : ((uint64 (1) << channels) - 1));
		return kResultOk;
	}

	if (in.silenceFlags != 0)
	{
		writeSilence (data, in.silenceFlags);
		return kResultOk;
	}
	out.silenceFlags = 0;

	if (plugState.bypass)
	{
		if (!in.channelBuffers32 || !out.channelBuffers32)
			return kResultOk;
		const size_t bytes = channelBytes (data);
		const int32 channels = std::min (in.numChannels, out.numChannels);
		for (int32 c = 0; c < channels; ++c)
		{
			void* src = in.channelBuffers32[c];
			void* dst = out.channelBuffers32[c];
			if (src && dst && src != dst)
				std::memcpy (dst, src, bytes);
		}
		return kResultOk;
	}

	// The equaliser path reads and writes channels 0 and 1 of both buses.
	if (in.numChannels < 2 || out.numChannels < 2 || !in.channelBuffers32 || !out.channelBuffers32 ||
	    !in.channelBuffers32[0] || !in.channelBuffers32[1] || !out.channelBuffers32[0] ||
	    !out.channelBuffers32[1])
	{
		writeSilence (data, 0);
		return kResultOk;
	}

	if (data.symbolicSampleSize == kSample32)
		processAudio<Sample32> (in.channelBuffers32, out.channelBuffers32, data.numSamples);
	else
		processAudio<Sample64> (in.channelBuffers64, out.channelBuffers64, data.numSamples);
	return kResultOk;
}

void PlugProcessor::prepareSectionMemories ()
{
	// Without an update since the last block, the same sections run with the coefficients
	// that filtered their memories: nothing to do.
	if (!filtersUpdated)
		return;
	filtersUpdated = false;
	for (int32 i = 0; i < kNumFilters; ++i)
	{
		const bool runs = sectionRuns (i);
		if (runs)
		{
			const SectionCoefs now = sectionCoefs (i);
			if (!sectionRan[i])
			{
				// Memories from whenever the section last ran belong to another signal, and
				// raw ones would meet the new numerator: start from silence.
				filterW1[i] = filterW2[i] = 0.0;
			}
			else if (!sameSection (now, memoryCoefs[i]))
				carrySectionState (memoryCoefs[i], now, filterW1[i], filterW2[i]);
			memoryCoefs[i] = now;
		}
		sectionRan[i] = runs ? 1 : 0;
	}
}

template <typename SampleType>
void PlugProcessor::processAudio (SampleType** inputChannels, SampleType** outputChannels,
                                  int32 numSamples)
{
	prepareSectionMemories ();

	EqualiserPathState st;
	st.gainDb = filterGainDb;
	st.on = filterOn;
	st.usable = filterUsable;
	st.b0 = coefB0;
	st.b1 = coefB1;
	st.b2 = coefB2;
	st.a1 = coefA1;
	st.a2 = coefA2;
	st.w1 = filterW1;
	st.w2 = filterW2;
	st.smoothingFeedbackCoef = smoothingFeedbackCoef;
	st.smoothingInCoef = smoothingInCoef;
	st.outputGainTarget = outputGainTarget;
	st.smootherState = &smootherState;

	// A block longer than the work buffers is filtered in parts; every result is the same
	// as in one pass, since sections and smoother carry their state sample by sample.
	for (int32 done = 0; done < numSamples;)
	{
		const int32 part = std::min (numSamples - done, workBufferSamples);
		SampleType* in[2] = {inputChannels[0] + done, inputChannels[1] + done};
		SampleType* out[2] = {outputChannels[0] + done, outputChannels[1] + done};
		processEqualiserPath<SampleType> (st, workBufferL.get (), workBufferR.get (), in, out, part);
		done += part;
	}
}

template void PlugProcessor::processAudio<Sample32> (Sample32**, Sample32**, int32);
template void PlugProcessor::processAudio<Sample64> (Sample64**, Sample64**, int32);

} // namespace Vst
} // namespace Steinberg
