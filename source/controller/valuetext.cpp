#include "source/controller/valuetext.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace Steinberg {
namespace Vst {

namespace {

constexpr std::size_t kTextCapacity = 128; // characters of a String128, terminator included

bool isBlank (char c)
{
	return c == ' ' || c == '\t';
}

char asciiLower (char c)
{
	return c >= 'A' && c <= 'Z' ? static_cast<char> (c - 'A' + 'a') : c;
}

/** Copies a whole text into buffer as ASCII and points begin/end at it without the blanks
    around it. Refuses a null text, a non-ASCII character and a text longer than a String128
    holds; reading stops at the first character refused, so neither a surrogate nor a
    megabyte of text is looked at further. */
bool trimmedAscii (const TChar* text, char (&buffer)[kTextCapacity], const char*& begin, const char*& end)
{
	if (text == nullptr)
		return false;
	std::size_t length = 0;
	for (; text[length] != 0; ++length)
	{
		if (length + 1 >= kTextCapacity || text[length] >= 0x80)
			return false;
		buffer[length] = static_cast<char> (text[length]);
	}
	begin = buffer;
	end = buffer + length;
	while (begin < end && isBlank (*begin))
		++begin;
	while (end > begin && isBlank (end[-1]))
		--end;
	return true;
}

} // namespace

bool printFixed (double value, int32 precision, String128 text)
{
	text[0] = 0;
	if (!std::isfinite (value) || precision < 0)
		return false;
	char buffer[kTextCapacity];
	// One place is kept for the terminator.
	const auto result =
	    std::to_chars (buffer, buffer + kTextCapacity - 1, value, std::chars_format::fixed, precision);
	if (result.ec != std::errc ())
		return false;
	const std::size_t length = static_cast<std::size_t> (result.ptr - buffer);
	for (std::size_t i = 0; i < length; ++i)
		text[i] = static_cast<TChar> (buffer[i]);
	text[length] = 0;
	return true;
}

bool scanNumber (const TChar* text, const TChar* units, double& value)
{
	char buffer[kTextCapacity];
	const char* begin = nullptr;
	const char* end = nullptr;
	if (!trimmedAscii (text, buffer, begin, end))
		return false;

	// The parameter's units may follow the number.
	std::size_t unitsLength = 0;
	while (units && units[unitsLength] != 0)
		++unitsLength;
	if (unitsLength > 0 && static_cast<std::size_t> (end - begin) > unitsLength)
	{
		const char* tail = end - unitsLength;
		bool same = true;
		for (std::size_t i = 0; i < unitsLength && same; ++i)
			same = static_cast<TChar> (tail[i]) == units[i];
		if (same)
		{
			end -= unitsLength;
			while (end > begin && isBlank (end[-1]))
				--end;
		}
	}

	// from_chars takes a minus sign but no plus sign.
	if (begin < end && *begin == '+')
	{
		++begin;
		if (begin < end && (*begin == '-' || *begin == '+'))
			return false;
	}
	double parsed = 0.0;
	const auto result = std::from_chars (begin, end, parsed, std::chars_format::general);
	if (result.ec != std::errc () || result.ptr != end || begin == end || !std::isfinite (parsed))
		return false;
	value = parsed;
	return true;
}

bool matchesWord (const TChar* text, const char* word)
{
	if (word == nullptr)
		return false;
	char buffer[kTextCapacity];
	const char* begin = nullptr;
	const char* end = nullptr;
	if (!trimmedAscii (text, buffer, begin, end))
		return false;
	// Letter case is folded here, in ASCII, so that no locale takes part.
	for (; begin < end && *word != 0; ++begin, ++word)
	{
		if (asciiLower (*begin) != asciiLower (*word))
			return false;
	}
	return begin == end && *word == 0;
}

} // namespace Vst
} // namespace Steinberg
