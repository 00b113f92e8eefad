#include "cparamdisplay.h"
#include "../cbitmap.h"
#include "../cdrawcontext.h"
#include "../numbertext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay (const CRect& size, CBitmap* background, int32_t style)
: CControl (size, nullptr, -1, background), style (style), fontID (kNormalFont)
{
	fontID->remember ();
	setWantsFocus (false);
}

CParamDisplay::CParamDisplay (const CParamDisplay& o)
: CControl (o), valueToString (o.valueToString), horiTxtAlign (o.horiTxtAlign), style (o.style),
  valuePrecision (o.valuePrecision), fontID (o.fontID), fontColor (o.fontColor), backColor (o.backColor),
  frameColor (o.frameColor), shadowColor (o.shadowColor), textInset (o.textInset), frameWidth (o.frameWidth)
{
	fontID->remember ();
}

CParamDisplay::~CParamDisplay () noexcept { fontID->forget (); }

void CParamDisplay::drawStyleChanged () { setDirty (); }

void CParamDisplay::setFont (CFontRef font)
{
	if (!font || font == fontID)
		return;
	font->remember ();
	fontID->forget ();
	fontID = font;
	drawStyleChanged ();
}

void CParamDisplay::setFontColor (CColor color)
{
	if (color != fontColor)
	{
		fontColor = color;
		drawStyleChanged ();
	}
}

void CParamDisplay::setBackColor (CColor color)
{
	if (color != backColor)
	{
		backColor = color;
		drawStyleChanged ();
	}
}

void CParamDisplay::setFrameColor (CColor color)
{
	if (color != frameColor)
	{
		frameColor = color;
		drawStyleChanged ();
	}
}

void CParamDisplay::setShadowColor (CColor color)
{
	if (color != shadowColor)
	{
		shadowColor = color;
		drawStyleChanged ();
	}
}

void CParamDisplay::setHoriAlign (CHoriTxtAlign hAlign)
{
	if (hAlign != horiTxtAlign)
	{
		horiTxtAlign = hAlign;
		drawStyleChanged ();
	}
}

void CParamDisplay::setStyle (int32_t val)
{
	if (val != style)
	{
		style = val;
		drawStyleChanged ();
	}
}

void CParamDisplay::setTextInset (const CPoint& p)
{
	if (p != textInset)
	{
		textInset = p;
		drawStyleChanged ();
	}
}

void CParamDisplay::setFrameWidth (CCoord width)
{
	if (width != frameWidth)
	{
		frameWidth = width;
		drawStyleChanged ();
	}
}

void CParamDisplay::setPrecision (uint8_t val)
{
	if (val != valuePrecision)
	{
		valuePrecision = val;
		drawStyleChanged ();
	}
}

void CParamDisplay::draw (CDrawContext* context)
{
	std::string text;
	if (!valueToString || !valueToString (getValue (), text, this))
		text = fixedToText (getValue (), valuePrecision);
	drawBack (context);
	drawPlatformText (context, text.c_str ());
	setDirty (false);
}

void CParamDisplay::drawBack (CDrawContext* context, CBitmap* newBack)
{
	CBitmap* bmp = newBack ? newBack : getDrawBackground ();
	if (bmp)
		bmp->draw (context, getViewSize ());
	else if (!(style & kNoDrawStyle) && !getTransparency ())
	{
		context->setDrawMode (kAliasing);
		context->setFillColor (backColor);
		context->drawRect (getViewSize (), kDrawFilled);
	}
	if (!(style & (kNoFrame | kNoDrawStyle)) && !getTransparency ())
	{
		context->setDrawMode (kAliasing);
		context->setLineStyle (kLineSolid);
		context->setLineWidth (frameWidth > 0. ? frameWidth : context->getHairlineSize ());
		context->setFrameColor (frameColor);
		context->drawRect (getViewSize (), kDrawStroked);
	}
}

void CParamDisplay::drawPlatformText (CDrawContext* context, UTF8StringPtr string)
{
	if (!string || !*string || (style & kNoTextStyle))
		return;
	CRect r (getViewSize ());
	r.inset (textInset.x, textInset.y);
	context->setFont (fontID);
	if (style & kShadowText)
	{
		CRect s (r);
		s.offset (1, 1);
		context->setFontColor (shadowColor);
		context->drawString (string, s, horiTxtAlign, true);
	}
	context->setFontColor (fontColor);
	context->drawString (string, r, horiTxtAlign, true);
}

} // VSTGUI
