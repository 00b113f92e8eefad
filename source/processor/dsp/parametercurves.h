// Normalized (0..1) parameter values to plain filter and level settings.
// The controller shows the same curves as value texts; both sides must give
// the same numbers, so every constant is kept exactly as stored.
#pragma once

#include <cstdint>

namespace Steinberg {
namespace Vst {

// Band gain in dB: -16 .. +16, exactly 0.0 at n = 0.5.
double bandGainDb (double n);
// Band frequencies in Hz: LF 20*100^n, MF 40*400^n, HF 500*36^n.
double lowShelfFreqHz (double n);
double peakFreqHz (double n);
double highShelfFreqHz (double n);
// Band Q: 10^n, 1 .. 10.
double bandQ (double n);
// On/off switch as the processor's 16-bit flag: 1 when on, 0 when off.
int16_t bandOnFlag (bool enabled);
// Factor applied to every band gain: n, floored at 0.01 (NaN gives 0.01).
double rangeFactor (double n);
// Linear output level target: -36 .. +12 dB (48 n - 36).
double outputGainFromLevel (double n);

// One-pole level smoother: after timeMs of samples all but exp(-2.2) of a
// step remains. inCoef = 1 - c, feedbackCoef = c.
void calcSmoothingCoefs (double timeMs, double fs, double& inCoef, double& feedbackCoef);

// General forms of the curves, for any range.
double rescaleLinear (double x, double inMin, double inMax, double outMin, double outMax);
double normalizedToExp (double n, double min, double max);
double expToNormalized (double x, double min, double max);

} // namespace Vst
} // namespace Steinberg
