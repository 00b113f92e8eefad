#pragma once

#include "vstguibase.h"
#include "cstring.h"

namespace VSTGUI {

enum CTxtFace
{
	kNormalFace = 0,
	kBoldFace = 1 << 1,
	kItalicFace = 1 << 2,
	kUnderlineFace = 1 << 3,
	kStrikethroughFace = 1 << 4
};

// A font by family name, size in points and style bits; the drawing context resolves
// the family through fontconfig when it draws.
class CFontDesc : public AtomicReferenceCounted
{
public:
	CFontDesc (UTF8StringPtr name = nullptr, const CCoord& size = 0., const int32_t style = 0)
	: name (name), size (size), style (style)
	{
	}
	CFontDesc (const CFontDesc&) = default;

	const UTF8String& getName () const { return name; }
	CCoord getSize () const { return size; }
	int32_t getStyle () const { return style; }
	void setName (const UTF8String& n) { name = n; }
	void setSize (CCoord s) { size = s; }
	void setStyle (int32_t s) { style = s; }

	bool operator== (const CFontDesc& o) const
	{
		return name == o.name && size == o.size && style == o.style;
	}

private:
	UTF8String name;
	CCoord size;
	int32_t style;
};

// The library's built-in fonts (names "~ SystemFont" ... in UI descriptions).
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

} // VSTGUI
