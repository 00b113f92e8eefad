#pragma once

#include "iviewcreator.h"
#include "../lib/crect.h"
#include "../lib/ccolor.h"
#include <string>

namespace VSTGUI {
namespace UIViewCreator {

// "x, y"
bool parseSize (const std::string& str, CPoint& point);
bool pointToString (const CPoint& p, std::string& string);
// Fixed-point text with at most precision digits after the point, trailing zeros cut.
std::string doubleToString (double value, uint32_t precision = 8);
bool colorToString (const CColor& color, std::string& string, const IUIDescription* desc);
// A colour name of the description or "#rrggbb[aa]".
bool stringToColor (const std::string* value, CColor& color, const IUIDescription* desc);
bool bitmapToString (CBitmap* bitmap, std::string& string, const IUIDescription* desc);
bool stringToBitmap (const std::string* value, CBitmap*& bitmap, const IUIDescription* desc);
// Sets mask in style when value is "true", clears it for any other text.
void applyStyleMask (const std::string* value, int32_t mask, int32_t& style);
// The library's lists for standard list attributes ("orientation", "text-alignment").
bool getStandardAttributeListValues (const std::string& attributeName,
                                     IViewCreator::ConstStringPtrList& values);

} // UIViewCreator
} // VSTGUI
