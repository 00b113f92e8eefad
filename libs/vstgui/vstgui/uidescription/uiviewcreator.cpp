#include "uiviewcreator.h"
#include "detail/uiviewcreatorattributes.h"
#include "iuidescription.h"
#include "uiattributes.h"
#include "uiviewfactory.h"
#include "../lib/cbitmap.h"
#include "../lib/cviewcontainer.h"
#include "../lib/controls/cbuttons.h"
#include "../lib/controls/cknob.h"
#include "../lib/controls/cswitch.h"
#include "../lib/controls/ctextlabel.h"
#include "../lib/numbertext.h"
#include <cmath>
#include <cstdio>

namespace VSTGUI {
namespace UIViewCreator {

//------------------------------------------------------------------------
bool parseSize (const std::string& str, CPoint& point) { return UIAttributes::stringToPoint (str, point); }

bool pointToString (const CPoint& p, std::string& string)
{
	string = doubleToString (p.x) + ", " + doubleToString (p.y);
	return true;
}

std::string doubleToString (double value, uint32_t precision)
{
	if (!std::isfinite (value))
		return "0";
	if (precision > 17)
		precision = 17;
	std::string s = fixedToText (value, precision);
	if (s.find ('.') != std::string::npos)
	{
		while (!s.empty () && s.back () == '0')
			s.pop_back ();
		if (!s.empty () && s.back () == '.')
			s.pop_back ();
	}
	if (s == "-0")
		s = "0";
	return s;
}

bool colorToString (const CColor& color, std::string& string, const IUIDescription* desc)
{
	if (desc)
		if (UTF8StringPtr name = desc->lookupColorName (color))
		{
			string = name;
			return true;
		}
	char buffer[16];
	std::snprintf (buffer, sizeof (buffer), "#%02x%02x%02x%02x", color.red, color.green, color.blue, color.alpha);
	string = buffer;
	return true;
}

bool stringToColor (const std::string* value, CColor& color, const IUIDescription* desc)
{
	if (!value)
		return false;
	if (desc)
		return desc->getColor (value->c_str (), color);
	return parseHexColor (value->c_str (), color);
}

bool bitmapToString (CBitmap* bitmap, std::string& string, const IUIDescription* desc)
{
	if (!bitmap || !desc)
		return false;
	UTF8StringPtr name = desc->lookupBitmapName (bitmap);
	if (!name)
		return false;
	string = name;
	return true;
}

bool stringToBitmap (const std::string* value, CBitmap*& bitmap, const IUIDescription* desc)
{
	if (!value || !desc)
		return false;
	if (value->empty ())
	{
		bitmap = nullptr;
		return true;
	}
	bitmap = desc->getBitmap (value->c_str ());
	return bitmap != nullptr;
}

void applyStyleMask (const std::string* value, int32_t mask, int32_t& style)
{
	if (!value)
		return;
	if (*value == kTrue)
		style |= mask;
	else
		style &= ~mask;
}

bool getStandardAttributeListValues (const std::string& attributeName, IViewCreator::ConstStringPtrList& values)
{
	if (attributeName == kAttrOrientation)
	{
		values.push_back (&kHorizontal);
		values.push_back (&kVertical);
		return true;
	}
	if (attributeName == kAttrTextAlignment)
	{
		values.push_back (&kLeft);
		values.push_back (&kCenter);
		values.push_back (&kRight);
		return true;
	}
	return false;
}

//------------------------------------------------------------------------
namespace {

using AttrType = IViewCreator::AttrType;

struct AttrInfo
{
	const std::string& name;
	AttrType type;
};

template <size_t N>
AttrType findType (const AttrInfo (&table)[N], const std::string& name)
{
	for (const auto& a : table)
		if (a.name == name)
			return a.type;
	return IViewCreator::kUnknownType;
}

template <size_t N>
void addNames (const AttrInfo (&table)[N], IViewCreator::StringList& names)
{
	for (const auto& a : table)
		names.push_back (a.name);
}

bool getBool (const UIAttributes& a, const std::string& name, bool& v) { return a.getBooleanAttribute (name, v); }

bool getColor (const UIAttributes& a, const std::string& name, const IUIDescription* desc, CColor& c)
{
	return stringToColor (a.getAttributeValue (name), c, desc);
}

bool getBitmap (const UIAttributes& a, const std::string& name, const IUIDescription* desc, CBitmap*& b)
{
	return stringToBitmap (a.getAttributeValue (name), b, desc);
}

std::string boolString (bool b) { return b ? kTrue : kFalse; }

constexpr double kPi = 3.14159265358979323846;

//------------------------------------------------------------------------
const AttrInfo kViewAttrs[] = {
    {kAttrOrigin, IViewCreator::kPointType},         {kAttrSize, IViewCreator::kPointType},
    {kAttrTransparent, IViewCreator::kBooleanType},  {kAttrMouseEnabled, IViewCreator::kBooleanType},
    {kAttrWantsFocus, IViewCreator::kBooleanType},   {kAttrVisible, IViewCreator::kBooleanType},
    {kAttrOpacity, IViewCreator::kFloatType},        {kAttrBitmap, IViewCreator::kBitmapType},
    {kAttrDisabledBitmap, IViewCreator::kBitmapType}, {kAttrTooltip, IViewCreator::kStringType},
    {kAttrCustomViewName, IViewCreator::kStringType}, {kAttrSubController, IViewCreator::kStringType},
};

class CViewCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CView"; }
	IdStringPtr getBaseViewName () const override { return nullptr; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new CView (CRect (0, 0, 0, 0));
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		CPoint p;
		CRect r (view->getViewSize ());
		if (a.getPointAttribute (kAttrOrigin, p))
			r.moveTo (p);
		if (a.getPointAttribute (kAttrSize, p))
			r.setSize (p);
		view->setViewSize (r, false);
		view->setMouseableArea (r);
		bool b;
		if (getBool (a, kAttrTransparent, b))
			view->setTransparency (b);
		if (getBool (a, kAttrMouseEnabled, b))
			view->setMouseEnabled (b);
		if (getBool (a, kAttrWantsFocus, b))
			view->setWantsFocus (b);
		if (getBool (a, kAttrVisible, b))
			view->setVisible (b);
		double d;
		if (a.getDoubleAttribute (kAttrOpacity, d))
			view->setAlphaValue (static_cast<float> (std::fmin (std::fmax (d, 0.), 1.)));
		CBitmap* bmp;
		if (getBitmap (a, kAttrBitmap, desc, bmp))
			view->setBackground (bmp);
		if (getBitmap (a, kAttrDisabledBitmap, desc, bmp))
			view->setDisabledBackground (bmp);
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kViewAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& name) const override { return findType (kViewAttrs, name); }
	bool getAttributeValue (CView* view, const std::string& name, std::string& value,
	                        const IUIDescription* desc) const override
	{
		if (name == kAttrOrigin)
			return pointToString (view->getViewSize ().getTopLeft (), value);
		if (name == kAttrSize)
			return pointToString (view->getViewSize ().getSize (), value);
		if (name == kAttrTransparent)
			return value = boolString (view->getTransparency ()), true;
		if (name == kAttrMouseEnabled)
			return value = boolString (view->getMouseEnabled ()), true;
		if (name == kAttrWantsFocus)
			return value = boolString (view->wantsFocus ()), true;
		if (name == kAttrVisible)
			return value = boolString (view->isVisible ()), true;
		if (name == kAttrOpacity)
			return value = doubleToString (view->getAlphaValue (), 3), true;
		if (name == kAttrBitmap)
			return bitmapToString (view->getBackground (), value, desc);
		if (name == kAttrDisabledBitmap)
			return bitmapToString (view->getDisabledBackground (), value, desc);
		return false;
	}
};

//------------------------------------------------------------------------
const std::string kDrawStyleStroked = "stroked";
const std::string kDrawStyleFilled = "filled";
const std::string kDrawStyleFilledAndStroked = "filled and stroked";

const AttrInfo kContainerAttrs[] = {
    {kAttrBackgroundColor, IViewCreator::kColorType},
    {kAttrBackgroundColorDrawStyle, IViewCreator::kListType},
};

class CViewContainerCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CViewContainer"; }
	IdStringPtr getBaseViewName () const override { return "CView"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new CViewContainer (CRect (0, 0, 100, 100));
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		auto* c = view->asViewContainer ();
		if (!c)
			return false;
		CColor color;
		if (getColor (a, kAttrBackgroundColor, desc, color))
			c->setBackgroundColor (color);
		if (const std::string* s = a.getAttributeValue (kAttrBackgroundColorDrawStyle))
		{
			if (*s == kDrawStyleStroked)
				c->setBackgroundColorDrawStyle (CViewContainerDrawStyle::kStroked);
			else if (*s == kDrawStyleFilled)
				c->setBackgroundColorDrawStyle (CViewContainerDrawStyle::kFilled);
			else
				c->setBackgroundColorDrawStyle (CViewContainerDrawStyle::kFilledAndStroked);
		}
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kContainerAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& name) const override { return findType (kContainerAttrs, name); }
	bool getAttributeValue (CView* view, const std::string& name, std::string& value,
	                        const IUIDescription* desc) const override
	{
		auto* c = view->asViewContainer ();
		if (!c)
			return false;
		if (name == kAttrBackgroundColor)
			return colorToString (c->getBackgroundColor (), value, desc);
		if (name == kAttrBackgroundColorDrawStyle)
		{
			switch (c->getBackgroundColorDrawStyle ())
			{
				case CViewContainerDrawStyle::kStroked: value = kDrawStyleStroked; break;
				case CViewContainerDrawStyle::kFilled: value = kDrawStyleFilled; break;
				default: value = kDrawStyleFilledAndStroked; break;
			}
			return true;
		}
		return false;
	}
	bool getPossibleListValues (const std::string& name, ConstStringPtrList& values) const override
	{
		if (name != kAttrBackgroundColorDrawStyle)
			return false;
		values.push_back (&kDrawStyleStroked);
		values.push_back (&kDrawStyleFilled);
		values.push_back (&kDrawStyleFilledAndStroked);
		return true;
	}
};

//------------------------------------------------------------------------
const AttrInfo kControlAttrs[] = {
    {kAttrControlTag, IViewCreator::kTagType},      {kAttrDefaultValue, IViewCreator::kFloatType},
    {kAttrMinValue, IViewCreator::kFloatType},      {kAttrMaxValue, IViewCreator::kFloatType},
    {kAttrWheelIncValue, IViewCreator::kFloatType},
};

class CControlCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CControl"; }
	IdStringPtr getBaseViewName () const override { return "CView"; }
	// CControl itself is not made from a description; its subclasses are.
	CView* create (const UIAttributes&, const IUIDescription*) const override { return nullptr; }
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		auto* control = dynamic_cast<CControl*> (view);
		if (!control)
			return false;
		double d;
		if (a.getDoubleAttribute (kAttrMinValue, d))
			control->setMin (static_cast<float> (d));
		if (a.getDoubleAttribute (kAttrMaxValue, d))
			control->setMax (static_cast<float> (d));
		if (a.getDoubleAttribute (kAttrDefaultValue, d))
			control->setDefaultValue (static_cast<float> (d));
		if (a.getDoubleAttribute (kAttrWheelIncValue, d))
			control->setWheelInc (static_cast<float> (d));
		if (const std::string* tagName = a.getAttributeValue (kAttrControlTag))
		{
			int32_t tag = -1;
			if (!tagName->empty ())
			{
				tag = desc ? desc->getTagForName (tagName->c_str ()) : -1;
				if (tag == -1)
					UIAttributes::stringToInteger (*tagName, tag);
			}
			if (desc)
				control->setListener (desc->getControlListener (tagName->c_str ()));
			control->setTag (tag);
		}
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kControlAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& name) const override { return findType (kControlAttrs, name); }
	bool getAttributeValue (CView* view, const std::string& name, std::string& value,
	                        const IUIDescription* desc) const override
	{
		auto* control = dynamic_cast<CControl*> (view);
		if (!control)
			return false;
		if (name == kAttrControlTag)
		{
			if (control->getTag () == -1)
				return false;
			UTF8StringPtr tagName = desc ? desc->lookupControlTagName (control->getTag ()) : nullptr;
			value = tagName ? std::string (tagName) : std::to_string (control->getTag ());
			return true;
		}
		if (name == kAttrDefaultValue)
			return value = doubleToString (control->getDefaultValue ()), true;
		if (name == kAttrMinValue)
			return value = doubleToString (control->getMin ()), true;
		if (name == kAttrMaxValue)
			return value = doubleToString (control->getMax ()), true;
		if (name == kAttrWheelIncValue)
			return value = doubleToString (control->getWheelInc ()), true;
		return false;
	}
};

//------------------------------------------------------------------------
const std::string kAttrCoronaLineCapButt = "corona-line-cap-butt";

const AttrInfo kKnobAttrs[] = {
    {kAttrAngleStart, IViewCreator::kFloatType},       {kAttrAngleRange, IViewCreator::kFloatType},
    {kAttrValueInset, IViewCreator::kFloatType},       {kAttrZoomFactor, IViewCreator::kFloatType},
    {kAttrCoronaInset, IViewCreator::kFloatType},      {kAttrHandleLineWidth, IViewCreator::kFloatType},
    {kAttrCoronaColor, IViewCreator::kColorType},      {kAttrHandleShadowColor, IViewCreator::kColorType},
    {kAttrHandleColor, IViewCreator::kColorType},      {kAttrHandleBitmap, IViewCreator::kBitmapType},
    {kAttrCircleDrawing, IViewCreator::kBooleanType},  {kAttrCoronaDrawing, IViewCreator::kBooleanType},
    {kAttrCoronaFromCenter, IViewCreator::kBooleanType}, {kAttrCoronaInverted, IViewCreator::kBooleanType},
    {kAttrCoronaDashDot, IViewCreator::kBooleanType},  {kAttrCoronaOutline, IViewCreator::kBooleanType},
    {kAttrCoronaLineCapButt, IViewCreator::kBooleanType}, {kAttrSkipHandleDrawing, IViewCreator::kBooleanType},
};

struct KnobStyleBit
{
	const std::string& name;
	int32_t bit;
};
const KnobStyleBit kKnobStyleBits[] = {
    {kAttrCircleDrawing, kHandleCircleDrawing},   {kAttrCoronaDrawing, kCoronaDrawing},
    {kAttrCoronaFromCenter, kCoronaFromCenter},   {kAttrCoronaInverted, kCoronaInverted},
    {kAttrCoronaDashDot, kCoronaLineDashDot},     {kAttrCoronaOutline, kCoronaOutline},
    {kAttrCoronaLineCapButt, kCoronaLineCapButt}, {kAttrSkipHandleDrawing, kSkipHandleDrawing},
};

// Knob angles in a description are degrees clockwise from the positive x axis (y
// downward), the knob's own are radians counter-clockwise: the sign flips.
class CKnobCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CKnob"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	UTF8StringPtr getDisplayName () const override { return "Knob"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new CKnob (CRect (0, 0, 0, 0), nullptr, -1, nullptr, nullptr);
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		auto* knob = dynamic_cast<CKnob*> (view);
		if (!knob)
			return false;
		double d;
		if (a.getDoubleAttribute (kAttrAngleStart, d))
			knob->setStartAngle (static_cast<float> (-d * kPi / 180.));
		if (a.getDoubleAttribute (kAttrAngleRange, d))
			knob->setRangeAngle (static_cast<float> (-d * kPi / 180.));
		if (a.getDoubleAttribute (kAttrValueInset, d))
			knob->setInsetValue (d);
		if (a.getDoubleAttribute (kAttrZoomFactor, d))
			knob->setZoomFactor (static_cast<float> (d));
		if (a.getDoubleAttribute (kAttrCoronaInset, d))
			knob->setCoronaInset (d);
		if (a.getDoubleAttribute (kAttrHandleLineWidth, d))
			knob->setHandleLineWidth (d);
		CColor c;
		if (getColor (a, kAttrCoronaColor, desc, c))
			knob->setCoronaColor (c);
		if (getColor (a, kAttrHandleShadowColor, desc, c))
			knob->setColorShadowHandle (c);
		if (getColor (a, kAttrHandleColor, desc, c))
			knob->setColorHandle (c);
		CBitmap* bmp;
		if (getBitmap (a, kAttrHandleBitmap, desc, bmp))
			knob->setHandleBitmap (bmp);
		int32_t style = knob->getDrawStyle ();
		for (const auto& s : kKnobStyleBits)
			applyStyleMask (a.getAttributeValue (s.name), s.bit, style);
		knob->setDrawStyle (style);
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kKnobAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& name) const override { return findType (kKnobAttrs, name); }
	bool getAttributeValue (CView* view, const std::string& name, std::string& value,
	                        const IUIDescription* desc) const override
	{
		auto* knob = dynamic_cast<CKnob*> (view);
		if (!knob)
			return false;
		if (name == kAttrAngleStart)
			return value = doubleToString (-knob->getStartAngle () * 180. / kPi, 5), true;
		if (name == kAttrAngleRange)
			return value = doubleToString (-knob->getRangeAngle () * 180. / kPi, 5), true;
		if (name == kAttrValueInset)
			return value = doubleToString (knob->getInsetValue ()), true;
		if (name == kAttrZoomFactor)
			return value = doubleToString (knob->getZoomFactor ()), true;
		if (name == kAttrCoronaInset)
			return value = doubleToString (knob->getCoronaInset ()), true;
		if (name == kAttrHandleLineWidth)
			return value = doubleToString (knob->getHandleLineWidth ()), true;
		if (name == kAttrCoronaColor)
			return colorToString (knob->getCoronaColor (), value, desc);
		if (name == kAttrHandleShadowColor)
			return colorToString (knob->getColorShadowHandle (), value, desc);
		if (name == kAttrHandleColor)
			return colorToString (knob->getColorHandle (), value, desc);
		if (name == kAttrHandleBitmap)
			return bitmapToString (knob->getHandleBitmap (), value, desc);
		for (const auto& s : kKnobStyleBits)
			if (name == s.name)
				return value = boolString ((knob->getDrawStyle () & s.bit) != 0), true;
		return false;
	}
};

//------------------------------------------------------------------------
const AttrInfo kSwitchAttrs[] = {
    {kAttrHeightOfOneImage, IViewCreator::kFloatType},
    {kAttrSubPixmaps, IViewCreator::kIntegerType},
};

template <class Switch>
class SwitchCreator : public ViewCreatorAdapter
{
public:
	SwitchCreator (IdStringPtr name, UTF8StringPtr displayName) : name (name), displayName (displayName) {}
	IdStringPtr getViewName () const override { return name; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	UTF8StringPtr getDisplayName () const override { return displayName; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new Switch (CRect (0, 0, 0, 0), nullptr, -1, nullptr);
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription*) const override
	{
		auto* sw = dynamic_cast<Switch*> (view);
		if (!sw)
			return false;
		double d;
		if (a.getDoubleAttribute (kAttrHeightOfOneImage, d))
			sw->setHeightOfOneImage (d);
		else if (sw->getHeightOfOneImage () <= 0.)
			sw->setHeightOfOneImage (sw->getHeight ());
		int32_t n;
		if (a.getIntegerAttribute (kAttrSubPixmaps, n) && n >= 0)
			sw->setNumSubPixmaps (n);
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kSwitchAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& n) const override { return findType (kSwitchAttrs, n); }
	bool getAttributeValue (CView* view, const std::string& n, std::string& value,
	                        const IUIDescription*) const override
	{
		auto* sw = dynamic_cast<Switch*> (view);
		if (!sw)
			return false;
		if (n == kAttrHeightOfOneImage)
			return value = doubleToString (sw->getHeightOfOneImage ()), true;
		if (n == kAttrSubPixmaps)
			return value = std::to_string (sw->getNumSubPixmaps ()), true;
		return false;
	}

private:
	IdStringPtr name;
	UTF8StringPtr displayName;
};

//------------------------------------------------------------------------
const AttrInfo kOnOffAttrs[] = {
    {kAttrOnColor, IViewCreator::kColorType},
    {kAttrOffColor, IViewCreator::kColorType},
};

class COnOffButtonCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "COnOffButton"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	UTF8StringPtr getDisplayName () const override { return "OnOff Button"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new COnOffButton (CRect (0, 0, 0, 0));
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		auto* button = dynamic_cast<COnOffButton*> (view);
		if (!button)
			return false;
		CColor c;
		if (getColor (a, kAttrOnColor, desc, c))
			button->setOnColor (c);
		if (getColor (a, kAttrOffColor, desc, c))
			button->setOffColor (c);
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kOnOffAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& n) const override { return findType (kOnOffAttrs, n); }
};

//------------------------------------------------------------------------
const std::string kAttrStyleShadowText = "style-shadow-text";

const AttrInfo kParamDisplayAttrs[] = {
    {kAttrFont, IViewCreator::kFontType},            {kAttrFontColor, IViewCreator::kColorType},
    {kAttrBackColor, IViewCreator::kColorType},       {kAttrFrameColor, IViewCreator::kColorType},
    {kAttrShadowColor, IViewCreator::kColorType},     {kAttrTextAlignment, IViewCreator::kListType},
    {kAttrTextInset, IViewCreator::kPointType},       {kAttrFrameWidth, IViewCreator::kFloatType},
    {kAttrValuePrecision, IViewCreator::kIntegerType}, {kAttrStyleNoFrame, IViewCreator::kBooleanType},
    {kAttrStyleNoText, IViewCreator::kBooleanType},   {kAttrStyleNoDraw, IViewCreator::kBooleanType},
    {kAttrStyleShadowText, IViewCreator::kBooleanType},
};

class CParamDisplayCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CParamDisplay"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	UTF8StringPtr getDisplayName () const override { return "Parameter Display"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new CParamDisplay (CRect (0, 0, 0, 0));
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription* desc) const override
	{
		auto* display = dynamic_cast<CParamDisplay*> (view);
		if (!display)
			return false;
		if (const std::string* fontName = a.getAttributeValue (kAttrFont))
			if (desc)
				if (CFontRef font = desc->getFont (fontName->c_str ()))
					display->setFont (font);
		CColor c;
		if (getColor (a, kAttrFontColor, desc, c))
			display->setFontColor (c);
		if (getColor (a, kAttrBackColor, desc, c))
			display->setBackColor (c);
		if (getColor (a, kAttrFrameColor, desc, c))
			display->setFrameColor (c);
		if (getColor (a, kAttrShadowColor, desc, c))
			display->setShadowColor (c);
		if (const std::string* s = a.getAttributeValue (kAttrTextAlignment))
			display->setHoriAlign (*s == kLeft ? kLeftText : *s == kRight ? kRightText : kCenterText);
		CPoint p;
		if (a.getPointAttribute (kAttrTextInset, p))
			display->setTextInset (p);
		double d;
		if (a.getDoubleAttribute (kAttrFrameWidth, d))
			display->setFrameWidth (d);
		int32_t n;
		if (a.getIntegerAttribute (kAttrValuePrecision, n) && n >= 0 && n <= 16)
			display->setPrecision (static_cast<uint8_t> (n));
		int32_t style = display->getStyle ();
		applyStyleMask (a.getAttributeValue (kAttrStyleNoFrame), kNoFrame, style);
		applyStyleMask (a.getAttributeValue (kAttrStyleNoText), kNoTextStyle, style);
		applyStyleMask (a.getAttributeValue (kAttrStyleNoDraw), kNoDrawStyle, style);
		applyStyleMask (a.getAttributeValue (kAttrStyleShadowText), kShadowText, style);
		display->setStyle (style);
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kParamDisplayAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& n) const override { return findType (kParamDisplayAttrs, n); }
	bool getAttributeValue (CView* view, const std::string& n, std::string& value,
	                        const IUIDescription* desc) const override
	{
		auto* display = dynamic_cast<CParamDisplay*> (view);
		if (!display)
			return false;
		if (n == kAttrFont)
		{
			UTF8StringPtr name = desc ? desc->lookupFontName (display->getFont ()) : nullptr;
			if (!name)
				return false;
			value = name;
			return true;
		}
		if (n == kAttrFontColor)
			return colorToString (display->getFontColor (), value, desc);
		if (n == kAttrBackColor)
			return colorToString (display->getBackColor (), value, desc);
		if (n == kAttrFrameColor)
			return colorToString (display->getFrameColor (), value, desc);
		if (n == kAttrShadowColor)
			return colorToString (display->getShadowColor (), value, desc);
		if (n == kAttrTextAlignment)
		{
			value = display->getHoriAlign () == kLeftText
			            ? kLeft
			            : display->getHoriAlign () == kRightText ? kRight : kCenter;
			return true;
		}
		if (n == kAttrTextInset)
			return pointToString (display->getTextInset (), value);
		if (n == kAttrFrameWidth)
			return value = doubleToString (display->getFrameWidth ()), true;
		if (n == kAttrValuePrecision)
			return value = std::to_string (display->getPrecision ()), true;
		if (n == kAttrStyleNoFrame)
			return value = boolString (display->getStyle () & kNoFrame), true;
		if (n == kAttrStyleNoText)
			return value = boolString (display->getStyle () & kNoTextStyle), true;
		if (n == kAttrStyleNoDraw)
			return value = boolString (display->getStyle () & kNoDrawStyle), true;
		if (n == kAttrStyleShadowText)
			return value = boolString (display->getStyle () & kShadowText), true;
		return false;
	}
	bool getPossibleListValues (const std::string& n, ConstStringPtrList& values) const override
	{
		return getStandardAttributeListValues (n, values) && n == kAttrTextAlignment;
	}
};

//------------------------------------------------------------------------
const AttrInfo kTextLabelAttrs[] = {
    {kAttrTitle, IViewCreator::kStringType},
};

class CTextLabelCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CTextLabel"; }
	IdStringPtr getBaseViewName () const override { return "CParamDisplay"; }
	UTF8StringPtr getDisplayName () const override { return "Label"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		return new CTextLabel (CRect (0, 0, 100, 20));
	}
	bool apply (CView* view, const UIAttributes& a, const IUIDescription*) const override
	{
		auto* label = dynamic_cast<CTextLabel*> (view);
		if (!label)
			return false;
		if (const std::string* title = a.getAttributeValue (kAttrTitle))
			label->setText (UTF8String (*title));
		return true;
	}
	bool getAttributeNames (StringList& names) const override
	{
		addNames (kTextLabelAttrs, names);
		return true;
	}
	AttrType getAttributeType (const std::string& n) const override { return findType (kTextLabelAttrs, n); }
	bool getAttributeValue (CView* view, const std::string& n, std::string& value,
	                        const IUIDescription*) const override
	{
		auto* label = dynamic_cast<CTextLabel*> (view);
		if (!label || n != kAttrTitle)
			return false;
		value = label->getText ().getString ();
		return true;
	}
};

} // namespace

void registerStandardCreators ()
{
	static CViewCreator viewCreator;
	static CViewContainerCreator containerCreator;
	static CControlCreator controlCreator;
	static CKnobCreator knobCreator;
	static SwitchCreator<CVerticalSwitch> verticalSwitchCreator ("CVerticalSwitch", "Vertical Switch");
	static SwitchCreator<CHorizontalSwitch> horizontalSwitchCreator ("CHorizontalSwitch", "Horizontal Switch");
	static COnOffButtonCreator onOffButtonCreator;
	static CParamDisplayCreator paramDisplayCreator;
	static CTextLabelCreator textLabelCreator;
	for (const IViewCreator* c :
	     std::initializer_list<const IViewCreator*> {&viewCreator, &containerCreator, &controlCreator,
	                                                   &knobCreator, &verticalSwitchCreator,
	                                                   &horizontalSwitchCreator, &onOffButtonCreator,
	                                                   &paramDisplayCreator, &textLabelCreator})
		UIViewFactory::registerViewCreator (*c);
}

} // UIViewCreator
} // VSTGUI
