#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace VSTGUI {

// Numbers as text with a point as the decimal mark, whatever locale the host process has
// chosen: the C library's strtod/printf family follows LC_NUMERIC, and hosts built on Qt or
// GTK switch to the user's locale at start-up.

// The whole text as a finite double, in the form strtod reads in the "C" locale: leading
// blanks, an optional sign, a decimal or "0x" hexadecimal number. A result that overflows or
// underflows into the subnormal range is refused, as strtod's ERANGE was.
bool textToDouble (std::string_view text, double& value);
// The whole text as a decimal 32-bit integer: leading blanks, an optional sign, digits.
bool textToInteger (std::string_view text, int32_t& value);
// What printf's "%.*f" gives in the "C" locale ("inf", "nan" for non-finite values).
std::string fixedToText (double value, uint32_t precision);

} // VSTGUI
