#pragma once

// One block of stereo audio as a host hands it to process: two buses, their
// channel pointer arrays, and the ProcessData that points at them.

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <vector>

namespace ord3ltest {

using namespace Steinberg;
using namespace Steinberg::Vst;

template <typename Sample>
struct TestBlock
{
	explicit TestBlock (int32 numSamples, bool inPlace = false)
	: inL (numSamples), inR (numSamples), outL (numSamples), outR (numSamples), inPlace (inPlace)
	{
		wire (numSamples);
	}

	void wire (int32 numSamples)
	{
		inPtr[0] = inL.data ();
		inPtr[1] = inR.data ();
		outPtr[0] = inPlace ? inL.data () : outL.data ();
		outPtr[1] = inPlace ? inR.data () : outR.data ();
		in = {};
		out = {};
		in.numChannels = 2;
		out.numChannels = 2;
		setChannels (in, inPtr);
		setChannels (out, outPtr);
		data = {};
		data.processMode = kRealtime;
		data.symbolicSampleSize = sizeof (Sample) == 4 ? kSample32 : kSample64;
		data.numSamples = numSamples;
		data.numInputs = 1;
		data.numOutputs = 1;
		data.inputs = &in;
		data.outputs = &out;
	}

	/** The samples the processor wrote for channel c. */
	const std::vector<Sample>& output (int c) const
	{
		return inPlace ? (c == 0 ? inL : inR) : (c == 0 ? outL : outR);
	}

	std::vector<Sample> inL, inR, outL, outR;
	bool inPlace;
	Sample* inPtr[2] {};
	Sample* outPtr[2] {};
	AudioBusBuffers in {};
	AudioBusBuffers out {};
	ProcessData data {};

private:
	static void setChannels (AudioBusBuffers& bus, float** p) { bus.channelBuffers32 = p; }
	static void setChannels (AudioBusBuffers& bus, double** p) { bus.channelBuffers64 = p; }
};

} // namespace ord3ltest
