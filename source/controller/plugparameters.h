#pragma once

// The 25 parameters of the edit controller, in registration (index) order. The controller
// builds its parameter objects from this table; the tests hold it against the processor's
// curves, a new processor's record and the controls of "plug.uidesc".

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

enum class ParamCurve
{
	kLinear,      // plain = min + n * (max - min)
	kExponential, // plain = min * (max / min)^n
	kSwitch,      // off at n <= 0.5, on above; plain = n
};

struct PlugParameterSpec
{
	ParamID tag;
	const TChar* title;
	const TChar* units; // null: none
	double minPlain;    // plain value at normalized 0 (switches: 0)
	double maxPlain;    // plain value at normalized 1 (switches: 1)
	double defaultPlain;
	ParamCurve curve;
	int32 precision; // decimals of the value text; a switch shows "On"/"Off"
	int32 flags;     // ParameterInfo flags
};

constexpr int32 kNumPlugParameters = 25;
extern const PlugParameterSpec kPlugParameters[kNumPlugParameters];

/** A new parameter object for one row, with one reference for the parameter container. */
Parameter* makePlugParameter (const PlugParameterSpec& spec);

} // namespace Vst
} // namespace Steinberg
