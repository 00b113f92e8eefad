#pragma once

// Numbers and words as value texts, read and written the same whatever the process's locale
// is: a point as decimal mark, ASCII letter case (the host owns the locale; Qt and GTK
// hosts switch it to the user's at start-up).

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

/** Writes value with `precision` decimals ("%.*f" in the C locale) into text. Never
    writes past the 128 characters of a String128: a value that is not finite or whose
    text would not fit (or a precision below 0) leaves text empty and returns false. */
bool printFixed (double value, int32 precision, String128 text);

/** Reads a whole text as one finite decimal number: blanks around it, an optional sign,
    and after it optionally the parameter's own units ("-6 dB"). Anything else (trailing
    letters, "nan", "inf", an overflow, a comma, non-ASCII characters, a text longer than
    a String128, a null text) returns false and leaves value untouched. */
bool scanNumber (const TChar* text, const TChar* units, double& value);

/** True when a whole text is word (ASCII), ignoring the letter case and blanks around it:
    " oFF " matches "Off". A null text or word, non-ASCII characters and a text longer than
    a String128 never match. */
bool matchesWord (const TChar* text, const char* word);

} // namespace Vst
} // namespace Steinberg
