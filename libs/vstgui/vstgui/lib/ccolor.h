#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

// Red, green, blue and alpha bytes; alpha 255 is opaque.
struct CColor
{
	constexpr CColor (uint8_t red = 255, uint8_t green = 255, uint8_t blue = 255,
	                  uint8_t alpha = 255)
	: red (red), green (green), blue (blue), alpha (alpha)
	{
	}

	constexpr bool operator== (const CColor& o) const
	{
		return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
	}
	constexpr bool operator!= (const CColor& o) const { return !(*this == o); }

	template <typename T = double>
	T normRed () const { return static_cast<T> (red) / static_cast<T> (255); }
	template <typename T = double>
	T normGreen () const { return static_cast<T> (green) / static_cast<T> (255); }
	template <typename T = double>
	T normBlue () const { return static_cast<T> (blue) / static_cast<T> (255); }
	template <typename T = double>
	T normAlpha () const { return static_cast<T> (alpha) / static_cast<T> (255); }

	uint8_t red;
	uint8_t green;
	uint8_t blue;
	uint8_t alpha;
};

constexpr CColor kTransparentCColor (255, 255, 255, 0);
constexpr CColor kBlackCColor (0, 0, 0, 255);
constexpr CColor kWhiteCColor (255, 255, 255, 255);
constexpr CColor kGreyCColor (127, 127, 127, 255);
constexpr CColor kRedCColor (255, 0, 0, 255);
constexpr CColor kGreenCColor (0, 255, 0, 255);
constexpr CColor kBlueCColor (0, 0, 255, 255);
constexpr CColor kYellowCColor (255, 255, 0, 255);
constexpr CColor kCyanCColor (0, 255, 255, 255);
constexpr CColor kMagentaCColor (255, 0, 255, 255);

// Integral helper used by parsers: "#rrggbb" or "#rrggbbaa" (hex, either case).
bool parseHexColor (const char* text, CColor& color);

} // VSTGUI
