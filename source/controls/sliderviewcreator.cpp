#include "source/controls/sliderviewcreator.h"

#include "source/controls/cslider.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/uidescription/detail/uiviewcreatorattributes.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewcreator.h"
#include "vstgui/uidescription/uiviewfactory.h"

namespace VSTGUI {
namespace UIViewCreator {

namespace {

constexpr bool hasBits (int32_t word, int32_t bits) { return (word & bits) != 0; }

void setBits (int32_t& word, int32_t bits, bool state)
{
	if (state)
		word |= bits;
	else
		word &= ~bits;
}

} // namespace

//------------------------------------------------------------------------
// SliderBaseCreator
//------------------------------------------------------------------------
const std::array<std::string, 6>& SliderBaseCreator::getModeStrings ()
{
	// Indexed by CSliderMode; the UI description stores these texts, never the numbers.
	static const std::array<std::string, 6> modeStrings {
	    "touch", "relative touch", "free click", "TS free click", "ramp", "use global"};
	static_assert (static_cast<size_t> (CSliderMode::UseGlobal) + 1 == 6,
	               "one mode text per CSliderMode member");
	return modeStrings;
}

bool SliderBaseCreator::apply (CView* view, const UIAttributes& attributes,
                               const IUIDescription* /*description*/) const
{
	auto* slider = dynamic_cast<CSliderBase*> (view);
	if (!slider)
		return false;

	const int32_t styleBefore = slider->getStyle ();
	bool geometryChanged = false;

	// Older descriptions said "free-click"; "mode" below wins when both are given.
	if (const std::string* freeClick = attributes.getAttributeValue (kAttrFreeClick))
		slider->setSliderMode (*freeClick == kTrue ? CSliderMode::FreeClick : CSliderMode::Touch);

	if (const std::string* modeText = attributes.getAttributeValue (kAttrMode))
	{
		const auto& modes = getModeStrings ();
		for (size_t i = 0; i < modes.size (); ++i)
		{
			if (*modeText == modes[i])
			{
				slider->setSliderMode (static_cast<CSliderMode> (i));
				break;
			}
		}
	}

	CPoint p;
	if (attributes.getPointAttribute (kAttrHandleOffset, p))
	{
		slider->setOffsetHandle (p);
		geometryChanged = true;
	}

	double d;
	if (attributes.getDoubleAttribute (kAttrZoomFactor, d))
		slider->setZoomFactor (static_cast<float> (d));

	if (const std::string* orientation = attributes.getAttributeValue (kAttrOrientation))
	{
		int32_t style = slider->getStyle ();
		setBits (style, VSTGUI::kHorizontal | VSTGUI::kVertical, false);
		setBits (style, *orientation == kVertical ? VSTGUI::kVertical : VSTGUI::kHorizontal, true);
		slider->setStyle (style);
	}

	if (const std::string* reverse = attributes.getAttributeValue (kAttrReverseOrientation))
	{
		int32_t style = slider->getStyle ();
		const bool reversed = *reverse == kTrue;
		if (hasBits (style, VSTGUI::kVertical))
		{
			setBits (style, VSTGUI::kBottom, !reversed);
			setBits (style, VSTGUI::kTop, reversed);
		}
		else if (hasBits (style, VSTGUI::kHorizontal))
		{
			setBits (style, VSTGUI::kLeft, !reversed);
			setBits (style, VSTGUI::kRight, reversed);
		}
		slider->setStyle (style);
	}

	// The handle's travel was worked out for the size applied before these attributes,
	// along the old axis and without the new offset; work it out again from the same size.
	if (geometryChanged || hasBits (styleBefore ^ slider->getStyle (), VSTGUI::kHorizontal))
		slider->setViewSize (slider->getViewSize (), true);

	return true;
}

bool SliderBaseCreator::getAttributeNames (StringList& attributeNames) const
{
	attributeNames.emplace_back (kAttrMode);
	attributeNames.emplace_back (kAttrOrientation);
	attributeNames.emplace_back (kAttrReverseOrientation);
	attributeNames.emplace_back (kAttrHandleOffset);
	attributeNames.emplace_back (kAttrZoomFactor);
	return true;
}

IViewCreator::AttrType SliderBaseCreator::getAttributeType (const std::string& attributeName) const
{
	if (attributeName == kAttrMode || attributeName == kAttrOrientation)
		return kListType;
	if (attributeName == kAttrReverseOrientation)
		return kBooleanType;
	if (attributeName == kAttrHandleOffset)
		return kPointType;
	if (attributeName == kAttrZoomFactor)
		return kFloatType;
	return kUnknownType;
}

bool SliderBaseCreator::getAttributeValue (CView* view, const std::string& attributeName,
                                           std::string& stringValue,
                                           const IUIDescription* /*desc*/) const
{
	auto* slider = dynamic_cast<CSliderBase*> (view);
	if (!slider)
		return false;

	if (attributeName == kAttrMode)
	{
		// A stored mode outside the table has no text; answering nothing keeps a bogus
		// name out of a saved description (reading it back then gives "use global").
		const auto index = static_cast<size_t> (slider->getSliderMode ());
		const auto& modes = getModeStrings ();
		if (index >= modes.size ())
			return false;
		stringValue = modes[index];
		return true;
	}
	if (attributeName == kAttrHandleOffset)
		return pointToString (slider->getOffsetHandle (), stringValue);
	if (attributeName == kAttrZoomFactor)
	{
		stringValue = doubleToString (static_cast<double> (slider->getZoomFactor ()), 6);
		return true;
	}
	const int32_t style = slider->getStyle ();
	if (attributeName == kAttrOrientation)
	{
		stringValue = hasBits (style, VSTGUI::kVertical) ? kVertical : kHorizontal;
		return true;
	}
	if (attributeName == kAttrReverseOrientation)
	{
		const bool reversed = (hasBits (style, VSTGUI::kVertical) && hasBits (style, VSTGUI::kTop)) ||
		                      (hasBits (style, VSTGUI::kHorizontal) && hasBits (style, VSTGUI::kRight));
		stringValue = reversed ? kTrue : kFalse;
		return true;
	}
	return false;
}

bool SliderBaseCreator::getPossibleListValues (const std::string& attributeName,
                                               ConstStringPtrList& values) const
{
	if (attributeName == kAttrOrientation)
		return getStandardAttributeListValues (attributeName, values);
	if (attributeName == kAttrMode)
	{
		for (const auto& name : getModeStrings ())
			values.emplace_back (&name);
		return true;
	}
	return false;
}

//------------------------------------------------------------------------
// SliderCreator
//------------------------------------------------------------------------
namespace {

struct DrawStyleAttribute
{
	const std::string& name;
	int32_t bit;
};

const std::array<DrawStyleAttribute, 5>& drawStyleAttributes ()
{
	static const std::array<DrawStyleAttribute, 5> table {{
	    {kAttrDrawFrame, CSlider::kDrawFrame},
	    {kAttrDrawBack, CSlider::kDrawBack},
	    {kAttrDrawValue, CSlider::kDrawValue},
	    {kAttrDrawValueFromCenter, CSlider::kDrawValueFromCenter},
	    {kAttrDrawValueInverted, CSlider::kDrawInverted},
	}};
	return table;
}

} // namespace

SliderCreator::SliderCreator () { UIViewFactory::registerViewCreator (*this); }
SliderCreator::~SliderCreator () noexcept { UIViewFactory::unregisterViewCreator (*this); }

IdStringPtr SliderCreator::getViewName () const { return "CSlider"; }
IdStringPtr SliderCreator::getBaseViewName () const { return "CControl"; }
UTF8StringPtr SliderCreator::getDisplayName () const { return "Slider"; }

CView* SliderCreator::create (const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/) const
{
	// Size, bitmaps and geometry come from the attributes applied afterwards.
	return new CSlider (CRect (0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint (0, 0),
	                    VSTGUI::kLeft | VSTGUI::kHorizontal);
}

bool SliderCreator::apply (CView* view, const UIAttributes& attributes,
                           const IUIDescription* description) const
{
	auto* slider = dynamic_cast<CSlider*> (view);
	if (!slider)
		return false;

	CBitmap* bitmap = nullptr;
	if (stringToBitmap (attributes.getAttributeValue (kAttrHandleBitmap), bitmap, description))
		slider->setHandle (bitmap);

	CPoint p;
	if (attributes.getPointAttribute (kAttrBitmapOffset, p))
		slider->setOffset (p);

	int32_t drawStyle = slider->getDrawStyle ();
	for (const auto& attr : drawStyleAttributes ())
		if (const std::string* value = attributes.getAttributeValue (attr.name))
			applyStyleMask (value, attr.bit, drawStyle);
	slider->setDrawStyle (drawStyle);

	double d;
	if (attributes.getDoubleAttribute (kAttrFrameWidth, d))
		slider->setFrameWidth (d);

	CColor color;
	if (stringToColor (attributes.getAttributeValue (kAttrFrameColor), color, description))
		slider->setFrameColor (color);
	if (stringToColor (attributes.getAttributeValue (kAttrBackColor), color, description))
		slider->setBackColor (color);
	if (stringToColor (attributes.getAttributeValue (kAttrValueColor), color, description))
		slider->setValueColor (color);

	return SliderBaseCreator::apply (view, attributes, description);
}

bool SliderCreator::getAttributeNames (StringList& attributeNames) const
{
	SliderBaseCreator::getAttributeNames (attributeNames);
	attributeNames.emplace_back (kAttrHandleBitmap);
	attributeNames.emplace_back (kAttrBitmapOffset);
	for (const auto& attr : drawStyleAttributes ())
		attributeNames.emplace_back (attr.name);
	attributeNames.emplace_back (kAttrFrameWidth);
	attributeNames.emplace_back (kAttrFrameColor);
	attributeNames.emplace_back (kAttrBackColor);
	attributeNames.emplace_back (kAttrValueColor);
	return true;
}

IViewCreator::AttrType SliderCreator::getAttributeType (const std::string& attributeName) const
{
	if (attributeName == kAttrHandleBitmap)
		return kBitmapType;
	if (attributeName == kAttrBitmapOffset)
		return kPointType;
	for (const auto& attr : drawStyleAttributes ())
		if (attributeName == attr.name)
			return kBooleanType;
	if (attributeName == kAttrFrameWidth)
		return kFloatType;
	if (attributeName == kAttrFrameColor || attributeName == kAttrBackColor ||
	    attributeName == kAttrValueColor)
		return kColorType;
	return SliderBaseCreator::getAttributeType (attributeName);
}

bool SliderCreator::getAttributeValue (CView* view, const std::string& attributeName,
                                       std::string& stringValue, const IUIDescription* desc) const
{
	auto* slider = dynamic_cast<CSlider*> (view);
	if (!slider)
		return false;

	if (attributeName == kAttrHandleBitmap)
	{
		// No handle: an empty text, which reads back as "no bitmap".
		stringValue.clear ();
		if (CBitmap* handle = slider->getHandle ())
			return bitmapToString (handle, stringValue, desc);
		return true;
	}
	if (attributeName == kAttrBitmapOffset)
		return pointToString (slider->getOffset (), stringValue);
	for (const auto& attr : drawStyleAttributes ())
	{
		if (attributeName == attr.name)
		{
			stringValue = hasBits (slider->getDrawStyle (), attr.bit) ? kTrue : kFalse;
			return true;
		}
	}
	if (attributeName == kAttrFrameWidth)
	{
		stringValue = doubleToString (slider->getFrameWidth ());
		return true;
	}
	if (attributeName == kAttrFrameColor)
		return colorToString (slider->getFrameColor (), stringValue, desc);
	if (attributeName == kAttrBackColor)
		return colorToString (slider->getBackColor (), stringValue, desc);
	if (attributeName == kAttrValueColor)
		return colorToString (slider->getValueColor (), stringValue, desc);
	return SliderBaseCreator::getAttributeValue (view, attributeName, stringValue, desc);
}

namespace {
// Registered with the view factory for as long as the module is loaded.
const SliderCreator gSliderCreator;
} // namespace

} // UIViewCreator
} // VSTGUI
