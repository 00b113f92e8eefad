#pragma once

// Range parameters whose value texts show the plain value with a fixed number of
// decimals: linear (Level, Range, gains) and exponential (frequencies, Q). Texts are
// written and read with a point as decimal mark in every locale.

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

/** plain = min + n * (max - min). */
class TSRangeParameter : public RangeParameter
{
public:
	TSRangeParameter (const TChar* title, ParamID tag, const TChar* units, int32 flags,
	                  ParamValue minPlain, ParamValue maxPlain, ParamValue defaultValuePlain);
	~TSRangeParameter () SMTG_OVERRIDE = default;

	/** The plain value with `precision` decimals; magnitudes below 0.00005 print as +0. */
	void toString (ParamValue valueNormalized, String128 string) const SMTG_OVERRIDE;
	/** A finite number (optionally followed by the units), limited to min..max. */
	bool fromString (const TChar* string, ParamValue& valueNormalized) const SMTG_OVERRIDE;
};

/** plain = min * (max / min)^n; min and max above 0. */
class TSExpRangeParameter : public RangeParameter
{
public:
	TSExpRangeParameter (const TChar* title, ParamID tag, const TChar* units, int32 flags,
	                     ParamValue minPlain, ParamValue maxPlain, ParamValue defaultValuePlain);
	~TSExpRangeParameter () SMTG_OVERRIDE = default;

	void toString (ParamValue valueNormalized, String128 string) const SMTG_OVERRIDE;
	bool fromString (const TChar* string, ParamValue& valueNormalized) const SMTG_OVERRIDE;
	ParamValue toPlain (ParamValue valueNormalized) const SMTG_OVERRIDE;
	ParamValue toNormalized (ParamValue plainValue) const SMTG_OVERRIDE;
};

} // namespace Vst
} // namespace Steinberg
