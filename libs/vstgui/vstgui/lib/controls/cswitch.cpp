#include "cswitch.h"
#include "../cbitmap.h"
#include "../cdrawcontext.h"
#include <cmath>

namespace VSTGUI {

CSwitchBase::CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                          const CPoint& offset)
: CControl (size, listener, tag, nullptr), offset (offset)
{
	heightOfOneImage = size.getHeight ();
	setBackground (background);
}

CSwitchBase::CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                          CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                          const CPoint& offset)
: CControl (size, listener, tag, nullptr), offset (offset), subPixmaps (subPixmaps),
  heightOfOneImage (heightOfOneImage), maxPositions (iMaxPositions), autoFrames (false)
{
	setBackground (background);
}

CSwitchBase::CSwitchBase (const CSwitchBase& other)
: CControl (other), offset (other.offset), subPixmaps (other.subPixmaps),
  heightOfOneImage (other.heightOfOneImage), maxPositions (other.maxPositions),
  autoFrames (other.autoFrames)
{
}

void CSwitchBase::setBackground (CBitmap* background)
{
	CControl::setBackground (background);
	if (autoFrames)
	{
		if (heightOfOneImage <= 0.)
			heightOfOneImage = getHeight ();
		subPixmaps = (background && heightOfOneImage > 0.)
		                 ? static_cast<int32_t> (background->getHeight () / heightOfOneImage)
		                 : 0;
	}
}

void CSwitchBase::setNumSubPixmaps (int32_t n)
{
	autoFrames = false;
	subPixmaps = n;
	setDirty ();
}

void CSwitchBase::setHeightOfOneImage (const CCoord& height)
{
	heightOfOneImage = height;
	if (autoFrames)
		setBackground (getBackground ());
	setDirty ();
}

int32_t CSwitchBase::positionCount () const
{
	// Without frames a switch still has two positions.
	int32_t n = getNumPositions ();
	return n >= 2 ? n : 2;
}

void CSwitchBase::draw (CDrawContext* context)
{
	int32_t n = positionCount ();
	int32_t index = static_cast<int32_t> (std::lround (getValueNormalized () * (n - 1)));
	CBitmap* bmp = getDrawBackground ();
	if (bmp && subPixmaps > 0)
	{
		if (index >= subPixmaps)
			index = subPixmaps - 1;
		bmp->draw (context, getViewSize (), CPoint (offset.x, offset.y + index * heightOfOneImage));
	}
	else
	{
		// No frames: one cell per position, the chosen one filled.
		const CRect& r = getViewSize ();
		bool vertical = dynamic_cast<CHorizontalSwitch*> (this) == nullptr;
		context->setDrawMode (kAliasing);
		context->setLineWidth (1);
		context->setFrameColor (kGreyCColor);
		for (int32_t i = 0; i < n; ++i)
		{
			CRect cell (r);
			if (vertical)
			{
				cell.top = r.top + r.getHeight () * i / n;
				cell.bottom = r.top + r.getHeight () * (i + 1) / n;
			}
			else
			{
				cell.left = r.left + r.getWidth () * i / n;
				cell.right = r.left + r.getWidth () * (i + 1) / n;
			}
			context->setFillColor (i == index ? kWhiteCColor : kBlackCColor);
			context->drawRect (cell, kDrawFilledAndStroked);
		}
	}
	setDirty (false);
}

CMouseEventResult CSwitchBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons & kLButton))
		return kMouseEventNotHandled;
	// A down during its own drag (a further button pressed): that drag's edit ends here
	// with its value, so the new gesture's edit is the only one open.
	if (isEditing ())
		endEdit ();
	beginEdit ();
	if (checkDefaultValue (buttons))
	{
		endEdit ();
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	}
	mouseStartValue = getValue ();
	return onMouseMoved (where, buttons);
}

CMouseEventResult CSwitchBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons & kLButton) || !isEditing ())
		return kMouseEventNotHandled;
	double norm = calculateNormValue (where);
	setValue (getMin () + static_cast<float> (norm) * getRange ());
	if (getValue () != getOldValue ())
		valueChanged ();
	if (isDirty ())
		invalid ();
	return kMouseEventHandled;
}

CMouseEventResult CSwitchBase::onMouseUp (CPoint& /*where*/, const CButtonState& /*buttons*/)
{
	if (isEditing ())
		endEdit ();
	return kMouseEventHandled;
}

CMouseEventResult CSwitchBase::onMouseCancel ()
{
	if (isEditing ())
	{
		value = mouseStartValue;
		if (isDirty ())
		{
			valueChanged ();
			invalid ();
		}
		endEdit ();
	}
	return kMouseEventHandled;
}

bool CSwitchBase::sizeToFit ()
{
	CBitmap* bmp = getDrawBackground ();
	if (!bmp || heightOfOneImage <= 0.)
		return false;
	CRect r (getViewSize ());
	r.setWidth (bmp->getWidth ());
	r.setHeight (heightOfOneImage);
	setViewSize (r);
	setMouseableArea (r);
	return true;
}

namespace {
double quantize (double pos, double length, int32_t n)
{
	// The cell under the pointer; positions outside the view go to the end cells.
	if (!(length > 0.))
		return 0.;
	double cell = std::floor (pos / (length / n));
	if (!(cell >= 0.))
		cell = 0.;
	if (cell > n - 1)
		cell = n - 1;
	return cell / (n - 1);
}
} // namespace

double CVerticalSwitch::calculateNormValue (const CPoint& where) const
{
	return quantize (where.y - getViewSize ().top, getHeight (), positionCount ());
}

double CHorizontalSwitch::calculateNormValue (const CPoint& where) const
{
	return quantize (where.x - getViewSize ().left, getWidth (), positionCount ());
}

} // VSTGUI
