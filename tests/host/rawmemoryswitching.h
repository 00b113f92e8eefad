#pragma once

// A processor that can switch coefficients over the raw section memories, as the
// sample loops would with no carry-over: every section, running or not, keeps the
// memories it has whatever its coefficients became. Tests and the transient
// benchmark measure "before" with it, beside the shipping behaviour in one run.

#include "source/processor/plugprocessor.h"

namespace ord3ltest {

template <typename Processor>
class RawMemorySwitching : public Processor
{
public:
	bool rawMemorySwitching {false};

	Steinberg::tresult PLUGIN_API process (Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE
	{
		if (!rawMemorySwitching)
			return Processor::process (data);
		// The block's changes (and a record handed over by setState) first, with no audio...
		Steinberg::Vst::ProcessData changesOnly = data;
		changesOnly.numSamples = 0;
		Processor::process (changesOnly);
		// ...then every section's memories count as filtered by its current coefficients
		// in a block in which it ran, so that the block leaves them as they are.
		for (Steinberg::int32 i = 0; i < Processor::kNumFilters; ++i)
		{
			this->memoryCoefs[i] = this->sectionCoefs (i);
			this->sectionRan[i] = 1;
		}
		Steinberg::Vst::ProcessData audio = data;
		audio.inputParameterChanges = nullptr;
		return Processor::process (audio);
	}
};

} // namespace ord3ltest
