#include "source/controller/tsrangeparameter.h"

#include "pluginterfaces/base/ustring.h"
#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

void setUpRange (ParameterInfo& info, ParamValue& minPlain, ParamValue& maxPlain, const TChar* title,
                 ParamID tag, const TChar* units, int32 flags, ParamValue min, ParamValue max)
{
	minPlain = min;
	maxPlain = max;
	UString (info.title, str16BufferSize (String128)).assign (title);
	if (units)
		UString (info.units, str16BufferSize (String128)).assign (units);
	info.flags = flags;
	info.id = tag;
	info.stepCount = 0;
	info.unitId = kRootUnitId;
}

void printPlain (ParamValue plain, int32 precision, String128 string)
{
	UString wrapper (string, str16BufferSize (String128));
	if (!wrapper.printFloat (plain, precision))
		string[0] = 0;
}

} // namespace

TSRangeParameter::TSRangeParameter (const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                    ParamValue min, ParamValue max, ParamValue defaultValuePlain)
{
	setUpRange (info, minPlain, maxPlain, title, tag, units, flags, min, max);
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
}

void TSRangeParameter::toString (ParamValue valueNormalized, String128 string) const
{
	ParamValue plain = toPlain (valueNormalized);
	// Keeps "-0.0" off the display for values that round to zero.
	if (std::fabs (plain) < 0.00005)
		plain = 0.0;
	printPlain (plain, precision, string);
}

TSExpRangeParameter::TSExpRangeParameter (const TChar* title, ParamID tag, const TChar* units,
                                          int32 flags, ParamValue min, ParamValue max,
                                          ParamValue defaultValuePlain)
{
	setUpRange (info, minPlain, maxPlain, title, tag, units, flags, min, max);
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
}

void TSExpRangeParameter::toString (ParamValue valueNormalized, String128 string) const
{
	printPlain (toPlain (valueNormalized), precision, string);
}

ParamValue TSExpRangeParameter::toPlain (ParamValue valueNormalized) const
{
	const ParamValue min = getMin ();
	const ParamValue max = getMax ();
	double r = std::log (max / min);
	r = r * valueNormalized;
	return std::exp (r) * min;
}

ParamValue TSExpRangeParameter::toNormalized (ParamValue plainValue) const
{
	const ParamValue min = getMin ();
	const ParamValue max = getMax ();
	return std::log (plainValue / min) / std::log (max / min);
}

} // namespace Vst
} // namespace Steinberg
