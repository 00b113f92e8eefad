#pragma once

// An on/off parameter (step count 1): the SDK's "On"/"Off" value texts, read back in any
// letter case, and a number text read with a point in every locale and limited to 0..1.

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

class TSSwitchParameter : public Parameter
{
public:
	TSSwitchParameter (const TChar* title, ParamID tag, int32 flags, ParamValue defaultValueNormalized);
	~TSSwitchParameter () SMTG_OVERRIDE = default;

	/** "On" (1) or "Off" (0) in any letter case with blanks around it, or a finite number
	    limited to 0..1; "onn", "12abc", "nan" and the like are refused. */
	bool fromString (const TChar* string, ParamValue& valueNormalized) const SMTG_OVERRIDE;
};

} // namespace Vst
} // namespace Steinberg
