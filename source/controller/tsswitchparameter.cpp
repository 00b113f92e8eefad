#include "source/controller/tsswitchparameter.h"

#include "source/controller/valuetext.h"

#include <algorithm>

namespace Steinberg {
namespace Vst {

TSSwitchParameter::TSSwitchParameter (const TChar* title, ParamID tag, int32 flags,
                                      ParamValue defaultValueNormalized)
: Parameter (title, tag, nullptr, defaultValueNormalized, 1, flags, kRootUnitId, nullptr)
{
}

bool TSSwitchParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	// The texts toString shows: "On" above 0.5, "Off" at 0.5 and below.
	if (matchesWord (string, "On"))
	{
		valueNormalized = 1.0;
		return true;
	}
	if (matchesWord (string, "Off"))
	{
		valueNormalized = 0.0;
		return true;
	}
	double number = 0.0;
	if (!scanNumber (string, nullptr, number))
		return false;
	// A switch's plain value is its normalized value.
	valueNormalized = std::min (std::max (number, 0.0), 1.0);
	return true;
}

} // namespace Vst
} // namespace Steinberg
