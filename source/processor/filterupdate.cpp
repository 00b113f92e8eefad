// The filter update: normalized parameter values to filter settings and coefficients.

#include "source/processor/plugprocessor.h"

#include "source/processor/dsp/parametercurves.h"
#include "source/processor/dsp/peakingdesign.h"
#include "source/processor/dsp/shelvingdesign.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// Corners and centres are kept below fs/2, where the designs turn unstable. At 44.1 kHz
// and above no setting within the parameter ranges comes near this limit; it only acts
// at low sample rates and for stored values outside 0..1.
constexpr double kMaxDesignFrequencyRatio = 0.45;
// The peaking design takes its centre in whole hertz as a 16-bit integer.
constexpr double kMaxPeakCentreHz = 32767.0;

double limitDesignFrequency (double freqHz, double fs)
{
	const double limit = kMaxDesignFrequencyRatio * fs;
	return freqHz > limit ? limit : freqHz;
}

// Normalized values outside 0..1 only come from a corrupted or hand-made stored state;
// the curves would extend far beyond their ranges (a gain of 50 asks for +1584 dB).
// Held at the ends; a value that is not a number counts as 0.
double unitRange (double n) { return n > 1.0 ? 1.0 : (n >= 0.0 ? n : 0.0); }

void storeSection (const SectionCoefs& c, int32 i, double* b0, double* b1, double* b2, double* a1,
                   double* a2)
{
	b0[i] = c.b0;
	b1[i] = c.b1;
	b2[i] = c.b2;
	a1[i] = c.a1;
	a2[i] = c.a2;
}

} // namespace

void PlugProcessor::designLowShelf (int32 index, double g, double fc, double fs)
{
	SectionCoefs c = designLowShelfSection (g, fc, fs);
	filterUsable[index] = isUsableSection (c) ? 1 : 0;
	if (filterUsable[index])
		storeSection (c, index, coefB0, coefB1, coefB2, coefA1, coefA2);
}

void PlugProcessor::designHighShelf (int32 index, double g, double fc, double fs)
{
	SectionCoefs c = designHighShelfSection (g, fc, fs);
	filterUsable[index] = isUsableSection (c) ? 1 : 0;
	if (filterUsable[index])
		storeSection (c, index, coefB0, coefB1, coefB2, coefA1, coefA2);
}

void PlugProcessor::designPeakFilter (int32 index, int16 f0, double g, double bw, double fs)
{
	SectionCoefs c = designPeakSection (f0, g, bw, fs);
	filterUsable[index] = isUsableSection (c) ? 1 : 0;
	if (filterUsable[index])
		storeSection (c, index, coefB0, coefB1, coefB2, coefA1, coefA2);
}

void PlugProcessor::updateFilters (bool reset)
{
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		const PlugBandState& band = plugState.bands[b];
		// A gain that is not a number stays one: the section keeps its coefficients.
		filterGainDb[b] = bandGainDb (std::isnan (band.gainNorm) ? band.gainNorm : unitRange (band.gainNorm));
		const double freqNorm = unitRange (band.freqNorm);
		if (b == kBandLF)
			filterFreqHz[b] = lowShelfFreqHz (freqNorm);
		else if (b == kBandHF)
			filterFreqHz[b] = highShelfFreqHz (freqNorm);
		else
			filterFreqHz[b] = peakFreqHz (freqNorm);
		filterQ[b] = bandQ (unitRange (band.qNorm));
		filterOn[b] = bandOnFlag (band.enabled);
	}
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		filterGainDb[b + kNumEqBands] = filterGainDb[b];
		filterFreqHz[b + kNumEqBands] = filterFreqHz[b];
		filterQ[b + kNumEqBands] = filterQ[b];
		filterOn[b + kNumEqBands] = filterOn[b];
	}

	rangeFactor = ::Steinberg::Vst::rangeFactor (unitRange (plugState.rangeNorm)); // NaN: 0.01

	for (int32 i = 0; i < kNumFilters; ++i)
	{
		const double gainDb = filterGainDb[i];
		if (gainDb == 0.0)
			continue; // 0 dB is never designed: the section keeps its coefficients
		if (std::isnan (gainDb))
		{
			filterUsable[i] = 0; // kept too, and skipped like 0 dB
			continue;
		}
		const double g = gainDb * rangeFactor;
		const int32 band = i % kNumEqBands;
		const double freq = limitDesignFrequency (filterFreqHz[i], sampleRateHz);
		if (band == kBandLF)
			designLowShelf (i, g, freq, sampleRateHz);
		else if (band == kBandHF)
			designHighShelf (i, g, freq, sampleRateHz);
		else
		{
			if (!(freq >= 0.0))
			{
				filterUsable[i] = 0; // not a frequency the design can take
				continue;
			}
			const double centre = freq > kMaxPeakCentreHz ? kMaxPeakCentreHz : freq;
			const auto f0 = static_cast<int16> (static_cast<int32> (centre));
			designPeakFilter (i, f0, g, filterFreqHz[i] / filterQ[i], sampleRateHz);
		}
	}

	filtersUpdated = true;

	outputGainTarget = outputGainFromLevel (unitRange (plugState.levelNorm));

	if (reset)
	{
		smootherState = smoothingFeedbackCoef != 0.0
		                    ? (1.0 - smoothingInCoef) * outputGainTarget / smoothingFeedbackCoef
		                    : outputGainTarget;
	}
}

} // namespace Vst
} // namespace Steinberg
