#include "ccolor.h"
#include <cstring>

namespace VSTGUI {

namespace {
int hexDigit (char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}
} // namespace

bool parseHexColor (const char* text, CColor& color)
{
	if (!text || text[0] != '#')
		return false;
	size_t len = std::strlen (text + 1);
	if (len != 6 && len != 8)
		return false;
	uint8_t bytes[4] = {0, 0, 0, 255};
	for (size_t i = 0; i < len / 2; ++i)
	{
		int hi = hexDigit (text[1 + 2 * i]);
		int lo = hexDigit (text[2 + 2 * i]);
		if (hi < 0 || lo < 0)
			return false;
		bytes[i] = static_cast<uint8_t> (hi * 16 + lo);
	}
	color = CColor (bytes[0], bytes[1], bytes[2], bytes[3]);
	return true;
}

} // VSTGUI
