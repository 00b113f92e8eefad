#pragma once

// A processor whose section memories can switch by another rule than the shipping one,
// so that tests and the transient benchmark measure alternatives beside it in one run:
//  - raw switching, as the sample loops would with no carry-over: every section, running
//    or not, keeps the memories it has whatever its coefficients became;
//  - another carry rule in place of carrySectionState, applied where and when the
//    processor applies its own (once per equaliser-path block, for running sections).

#include "source/processor/dsp/sectiontransition.h"
#include "source/processor/plugprocessor.h"

namespace ord3ltest {

using CarryRule = void (*) (const Steinberg::Vst::SectionCoefs& from,
                            const Steinberg::Vst::SectionCoefs& to, double& w1, double& w2);

template <typename Processor>
class MemorySwitching : public Processor
{
public:
	bool rawMemorySwitching {false};
	CarryRule carryRule {nullptr}; // null: the processor's own

	Steinberg::tresult PLUGIN_API process (Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE
	{
		using Steinberg::int32;
		if (!rawMemorySwitching && !carryRule)
			return Processor::process (data);
		// The block's changes (and a record handed over by setState) first, with no audio...
		Steinberg::Vst::ProcessData changesOnly = data;
		changesOnly.numSamples = 0;
		Processor::process (changesOnly);
		// ...then the memories by the chosen rule, left marked as filtered by the current
		// coefficients in a block in which the section ran, so that the processor's own
		// carry finds nothing to do.
		for (int32 i = 0; i < Processor::kNumFilters; ++i)
		{
			const Steinberg::Vst::SectionCoefs now = this->sectionCoefs (i);
			if (rawMemorySwitching)
			{
				this->memoryCoefs[i] = now;
				this->sectionRan[i] = 1;
			}
			else if (takesEqualiserPath (data))
			{
				const bool runs = this->sectionRuns (i);
				if (runs && !this->sectionRan[i])
					this->filterW1[i] = this->filterW2[i] = 0.0;
				else if (runs && !Steinberg::Vst::sameSection (now, this->memoryCoefs[i]))
					carryRule (this->memoryCoefs[i], now, this->filterW1[i], this->filterW2[i]);
				if (runs)
					this->memoryCoefs[i] = now;
				this->sectionRan[i] = runs ? 1 : 0;
			}
		}
		Steinberg::Vst::ProcessData audio = data;
		audio.inputParameterChanges = nullptr;
		return Processor::process (audio);
	}

private:
	/** The block will be filtered: samples on both buses, input not flagged silent, not
	    bypassed (the blocks the tests and the benchmark play are otherwise well formed). */
	bool takesEqualiserPath (const Steinberg::Vst::ProcessData& data) const
	{
		return data.numSamples > 0 && data.numInputs > 0 && data.numOutputs > 0 && data.inputs &&
		       data.outputs && data.inputs[0].silenceFlags == 0 && !this->plugState.bypass;
	}
};

} // namespace ord3ltest
