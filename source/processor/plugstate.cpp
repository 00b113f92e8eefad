#include "source/processor/plugstate.h"

#include "base/source/fstreamer.h"
#include <cstring>

namespace Steinberg {
namespace Vst {

PlugState makeInitialPlugState ()
{
	PlugState s {};
	s.bypass = false;
	s.levelNorm = 0.75;
	s.rangeNorm = 1.0;
	for (auto& band : s.bands)
	{
		band.gainNorm = 0.5;
		band.freqNorm = 0.5;
		// The decimal literal, not log10 (3.2): stored states of earlier versions hold it.
		band.qNorm = 0.50515;
		band.enabled = true;
	}
	return s;
}

tresult readPlugState (PlugState* state, IBStream* stream)
{
	if (!state || !stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);

	// Read everything into temporaries first so that a short stream changes nothing.
	int64 header = 0;
	int32 bypass = 0;
	double level = 0.0, range = 0.0;
	double gain[kNumEqBands] {}, freq[kNumEqBands] {}, q[kNumEqBands] {};
	int32 enabled[kNumEqBands] {};
	double reserved[6] {};
	int32 reservedFlags[4] {};

	if (!streamer.readInt64 (header) || !streamer.readInt32 (bypass) ||
	    !streamer.readDouble (level) || !streamer.readDouble (range))
		return kResultFalse;
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		if (!streamer.readDouble (gain[b]) || !streamer.readDouble (freq[b]) ||
		    !streamer.readDouble (q[b]) || !streamer.readInt32 (enabled[b]))
			return kResultFalse;
	}
	for (double& r : reserved)
		if (!streamer.readDouble (r))
			return kResultFalse;
	for (int32& f : reservedFlags)
		if (!streamer.readInt32 (f))
			return kResultFalse;

	state->bypass = bypass > 0;
	state->levelNorm = level;
	state->rangeNorm = range;
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		state->bands[b].gainNorm = gain[b];
		state->bands[b].freqNorm = freq[b];
		state->bands[b].qNorm = q[b];
		state->bands[b].enabled = enabled[b] != 0;
	}
	for (int32 i = 0; i < 6; ++i)
		state->reserved[i] = reserved[i];
	for (int32 j = 0; j < 4; ++j)
		state->reservedFlags[j] = reservedFlags[j] > 0;
	return kResultOk;
}

tresult writePlugState (const PlugState* state, IBStream* stream)
{
	if (!state || !stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);
	auto flag = [] (bool b) { return static_cast<int32> (b ? 1 : 0); };

	if (!streamer.writeInt64 (0) || !streamer.writeInt32 (flag (state->bypass)) ||
	    !streamer.writeDouble (state->levelNorm) || !streamer.writeDouble (state->rangeNorm))
		return kResultFalse;
	for (const auto& band : state->bands)
	{
		if (!streamer.writeDouble (band.gainNorm) || !streamer.writeDouble (band.freqNorm) ||
		    !streamer.writeDouble (band.qNorm) || !streamer.writeInt32 (flag (band.enabled)))
			return kResultFalse;
	}
	for (double r : state->reserved)
		if (!streamer.writeDouble (r))
			return kResultFalse;
	for (bool f : state->reservedFlags)
		if (!streamer.writeInt32 (flag (f)))
			return kResultFalse;
	return kResultOk;
}

bool samePlugState (const PlugState& a, const PlugState& b)
{
	auto same = [] (double x, double y) { return std::memcmp (&x, &y, sizeof (double)) == 0; };
	if (a.bypass != b.bypass || !same (a.levelNorm, b.levelNorm) || !same (a.rangeNorm, b.rangeNorm))
		return false;
	for (int32 i = 0; i < kNumEqBands; ++i)
	{
		const auto& x = a.bands[i];
		const auto& y = b.bands[i];
		if (!same (x.gainNorm, y.gainNorm) || !same (x.freqNorm, y.freqNorm) ||
		    !same (x.qNorm, y.qNorm) || x.enabled != y.enabled)
			return false;
	}
	for (int32 i = 0; i < 6; ++i)
		if (!same (a.reserved[i], b.reserved[i]))
			return false;
	for (int32 j = 0; j < 4; ++j)
		if (a.reservedFlags[j] != b.reservedFlags[j])
			return false;
	return true;
}

} // namespace Vst
} // namespace Steinberg
