#include "source/controller/tsrangeparameter.h"

#include "source/controller/valuetext.h"

#include "pluginterfaces/base/ustring.h"
#include <algorithm>
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

// The number is limited to the plain range before it goes through the class's curve.
bool rangeFromString (const RangeParameter& p, const TChar* string, ParamValue& valueNormalized)
{
	double plain = 0.0;
	if (!scanNumber (string, p.getInfo ().units, plain))
		return false;
	plain = std::min (std::max (plain, p.getMin ()), p.getMax ());
	valueNormalized = p.toNormalized (plain);
	return true;
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
	printFixed (plain, precision, string);
}

bool TSRangeParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	return rangeFromString (*this, string, valueNormalized);
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
	printFixed (toPlain (valueNormalized), precision, string);
}

bool TSExpRangeParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	return rangeFromString (*this, string, valueNormalized);
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
