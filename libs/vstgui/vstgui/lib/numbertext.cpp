#include "numbertext.h"
#include <charconv>
#include <cmath>
#include <limits>

namespace VSTGUI {

namespace {
bool isBlank (char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit (char c) { return c >= '0' && c <= '9'; }

// Skips leading blanks and one sign; from_chars itself takes neither blanks nor a '+'.
const char* skipBlanksAndSign (const char* p, const char* end, bool& negative)
{
	while (p != end && isBlank (*p))
		++p;
	negative = p != end && *p == '-';
	if (p != end && (*p == '-' || *p == '+'))
		++p;
	return p;
}
} // namespace

bool textToDouble (std::string_view text, double& value)
{
	const char* end = text.data () + text.size ();
	bool negative;
	const char* p = skipBlanksAndSign (text.data (), end, negative);
	auto format = std::chars_format::general;
	if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
	{
		format = std::chars_format::hex;
		p += 2;
	}
	// A second sign ("+-1", "0x-1") is not a number; from_chars would take the '-'.
	if (p == end || *p == '-' || *p == '+')
		return false;
	double v = 0.;
	auto result = std::from_chars (p, end, v, format);
	if (result.ec != std::errc () || result.ptr != end || !std::isfinite (v) ||
	    std::fpclassify (v) == FP_SUBNORMAL)
		return false;
	value = negative ? -v : v;
	return true;
}

bool textToInteger (std::string_view text, int32_t& value)
{
	const char* end = text.data () + text.size ();
	bool negative;
	const char* p = skipBlanksAndSign (text.data (), end, negative);
	if (p == end || !isDigit (*p))
		return false;
	uint64_t magnitude = 0;
	auto result = std::from_chars (p, end, magnitude);
	const uint64_t limit = negative ? uint64_t {1} << 31 : (uint64_t {1} << 31) - 1;
	if (result.ec != std::errc () || result.ptr != end || magnitude > limit)
		return false;
	value = static_cast<int32_t> (negative ? -static_cast<int64_t> (magnitude)
	                                       : static_cast<int64_t> (magnitude));
	return true;
}

std::string fixedToText (double value, uint32_t precision)
{
	// Sign, the 309 integer digits of the largest double, the point and the decimals.
	std::string text (2 + std::numeric_limits<double>::max_exponent10 + 1 + precision, '\0');
	auto result = std::to_chars (text.data (), text.data () + text.size (), value,
	                             std::chars_format::fixed, static_cast<int> (precision));
	text.resize (static_cast<size_t> (result.ptr - text.data ()));
	return text;
}

} // VSTGUI
