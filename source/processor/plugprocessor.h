#pragma once

// The audio processor component: one stereo input and one stereo output bus,
// six filter sections per channel, Range, a smoothed output Level and Bypass.

#include "public.sdk/source/vst/vstaudioeffect.h"
#include "source/processor/dsp/equaliserpath.h"
#include "source/processor/dsp/sectioncoefs.h"
#include "source/processor/latestvaluechannel.h"
#include "source/processor/plugstate.h"

#include <memory>

namespace Steinberg {
namespace Vst {

class PlugProcessor : public AudioEffect
{
public:
	PlugProcessor ();
	~PlugProcessor () SMTG_OVERRIDE;

	/** Create function of the processor class; the context is not used. */
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
	                                       SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API process (ProcessData& data) SMTG_OVERRIDE;

	// Twelve filters, index = channel * 6 + EqBand (0..5 left, 6..11 right).
	static constexpr int32 kNumFilters = ::Steinberg::Vst::kNumFilters;

protected:
	/** Turns plugState into the per-filter values, the Range factor, the level target and
	    the coefficients of every section whose gain is not 0 dB. With reset, the level
	    smoother jumps to its target. */
	void updateFilters (bool reset);
	void designLowShelf (int32 index, double g, double fc, double fs);
	void designHighShelf (int32 index, double g, double fc, double fs);
	void designPeakFilter (int32 index, int16 f0, double g, double bw, double fs);
	void calcSmoothingCoefs (double timeMs, double fs, double& inCoef, double& feedbackCoef);

	/** The equaliser path over one block (numSamples >= 1), in parts of the work-buffer size. */
	template <typename SampleType>
	void processAudio (SampleType** inputChannels, SampleType** outputChannels, int32 numSamples);

	void applyParameterChanges (IParameterChanges* changes);
	void writeSilence (ProcessData& data, uint64 silenceMask);

	// --- Parameter record and per-filter values
	PlugState plugState;
	double sampleRateHz {44100.0};
	double filterGainDb[kNumFilters] {};  // dB
	double filterFreqHz[kNumFilters] {};  // Hz
	double filterQ[kNumFilters] {};
	int16 filterOn[kNumFilters] {};
	double outputGainTarget {0.0};        // linear gain the level smoother moves towards
	double rangeFactor {0.0};             // factor on every band's gain, 0.01 .. 1

	// --- Sections: H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2), direct form II
	double coefB0[kNumFilters] {};
	double coefB1[kNumFilters] {};
	double coefB2[kNumFilters] {};
	double coefA1[kNumFilters] {};
	double coefA2[kNumFilters] {};
	double filterW1[kNumFilters] {};
	double filterW2[kNumFilters] {};
	// A section whose last design was not finite and stable does not run (its previous
	// coefficients stay, its memories are kept).
	uint8 filterUsable[kNumFilters] {};

	// --- Memories across setting changes. Before each block on the equaliser path, a
	// running section whose memories were filtered by other coefficients has them carried
	// over to its current ones (sectiontransition.h), once, however many updates came in
	// between; one that did not run in the previous such block starts from silence.
	SectionCoefs memoryCoefs[kNumFilters] {}; // the coefficients that last filtered the memories
	uint8 sectionRan[kNumFilters] {};         // ran in the previous equaliser-path block
	bool filtersUpdated {false};              // an update ran since that block

	bool sectionRuns (int32 i) const
	{
		return ::Steinberg::Vst::sectionRuns (filterGainDb[i], filterOn[i], filterUsable[i]);
	}
	SectionCoefs sectionCoefs (int32 i) const
	{
		return {coefB0[i], coefB1[i], coefB2[i], coefA1[i], coefA2[i]};
	}
	/** Start of a block on the equaliser path, before any sample is filtered: brings the
	    memories of every running section to its current coefficients. */
	void prepareSectionMemories ();

	// --- Work buffers, owned from setActive (true) to setActive (false)
	int32 maxBlockSamples {0};
	std::unique_ptr<double[]> workBufferL;
	std::unique_ptr<double[]> workBufferR;
	int32 workBufferSamples {0};

	// --- Output level smoothing
	double smoothingTimeMs {50.0};
	double smoothingInCoef {0.0};       // 1 - c
	double smoothingFeedbackCoef {0.0}; // c
	double smootherState {0.0};         // current smoothed output gain

	// --- State hand-over between the main thread and the processing thread.
	// While active the processing thread alone writes plugState and runs the filter
	// update; setState publishes the new record, and process takes it before its next
	// block. process publishes the record it applied, so getState can write the latest.
	struct StampedState
	{
		PlugState state;
		uint64 generation; // of the most recent setState the record includes
	};
	LatestValueChannel<StampedState> stateFromMain;      // main -> processing
	LatestValueChannel<StampedState> stateFromProcess;   // processing -> main
	StampedState lastSetState {};       // main thread
	StampedState lastProcessState {};   // main thread: latest fetched from process
	uint64 setGeneration {0};           // main thread
	uint64 appliedGeneration {0};       // processing thread
	bool processorActive {false};       // main thread
	std::atomic<bool> processingAllowed {false}; // read by process

	/** Main thread, while active: the latest record, set or applied. */
	PlugState latestRecordWhileActive ();
};

} // namespace Vst
} // namespace Steinberg
