#pragma once

// The two ways a host moves a processor from one record to another: the record as the
// stream setState reads, or one parameter queue per value that differs.

#include "hostparameterchanges.h"
#include "public.sdk/source/common/memorystream.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"

#include <algorithm>
#include <vector>

namespace ord3ltest {

/** The record's 260 bytes in a stream positioned at its start. */
inline IPtr<MemoryStream> streamOf (const PlugState& s)
{
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

/** Adds the queues from a to b to changes, in tag order or, with reversed, the other way. */
inline void addStateChanges (HostParameterChanges& changes, const PlugState& a, const PlugState& b,
                             bool reversed = false)
{
	std::vector<std::pair<ParamID, double>> queues;
	auto add = [&] (ParamID id, double from, double to) {
		if (from != to)
			queues.push_back ({id, to});
	};
	add (kBypassId, a.bypass ? 1.0 : 0.0, b.bypass ? 1.0 : 0.0);
	add (kLevelId, a.levelNorm, b.levelNorm);
	add (kRangeId, a.rangeNorm, b.rangeNorm);
	for (int32 band = 0; band < kNumEqBands; ++band)
	{
		const PlugBandState& x = a.bands[band];
		const PlugBandState& y = b.bands[band];
		const ParamID base = kGainLFId + 4 * band;
		add (base, x.gainNorm, y.gainNorm);
		add (base + 1, x.freqNorm, y.freqNorm);
		if (band != kBandLF && band != kBandHF)
			add (base + 2, x.qNorm, y.qNorm);
		add (base + 3, x.enabled ? 1.0 : 0.0, y.enabled ? 1.0 : 0.0);
	}
	if (reversed)
		std::reverse (queues.begin (), queues.end ());
	for (const auto& [id, value] : queues)
		changes.add (id, {{0, value}});
}

} // namespace ord3ltest
