#pragma once

// The processor's parameter record and its stored form: 260 bytes, little endian,
// no version, size or checksum. Read by the processor and by the controller.

#include "pluginterfaces/base/ibstream.h"
#include "source/processor/plugids.h"

namespace Steinberg {
namespace Vst {

struct PlugBandState
{
	double gainNorm; // normalized gain, 0.5 = 0 dB
	double freqNorm; // normalized frequency
	double qNorm;    // normalized Q
	bool enabled;    // band switched on
};

struct PlugState
{
	bool bypass;
	double levelNorm;  // normalized output level, 0.75 = 0 dB
	double rangeNorm;  // normalized Range, the factor on every band's gain
	PlugBandState bands[kNumEqBands];
	// Only a stored state sets these. The doubles are written back unchanged; a flag
	// comes back as 1 when its stored 32-bit value was positive, otherwise as 0.
	double reserved[6];
	bool reservedFlags[4];
};

/** Size of the stored record in bytes. */
constexpr int32 kPlugStateStreamSize = 260;

/** The record of a new processor. */
PlugState makeInitialPlugState ();

/** Fills state from the stream. Changes nothing in state unless all 260 bytes were read;
    a null, short or failing stream gives kResultFalse. Values are taken as they come. */
tresult readPlugState (PlugState* state, IBStream* stream);

/** Writes the 260-byte record. kResultFalse for a null state or stream, or at the first
    write the stream does not take in full (what was written stays). */
tresult writePlugState (const PlugState* state, IBStream* stream);

/** Field-for-field equality, doubles compared bit for bit. */
bool samePlugState (const PlugState& a, const PlugState& b);

} // namespace Vst
} // namespace Steinberg
