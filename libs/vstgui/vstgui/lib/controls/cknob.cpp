#include "cknob.h"
#include "../cbitmap.h"
#include "../cdrawcontext.h"
#include "../cframe.h"
#include "../cgraphicspath.h"
#include <cmath>

namespace VSTGUI {

namespace {
constexpr float kPi = 3.14159265358979323846f;
constexpr float kTwoPi = 2.f * kPi;
} // namespace

// The default sweep: from the lower left (225 degrees) clockwise through the top to the
// lower right, 270 degrees in all.
CKnobBase::CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
: CControl (size, listener, tag, background), startAngle (5.f * kPi / 4.f), rangeAngle (-3.f * kPi / 2.f)
{
	compute ();
}

CKnobBase::CKnobBase (const CKnobBase& k)
: CControl (k), CMouseWheelEditingSupport (k), startAngle (k.startAngle), rangeAngle (k.rangeAngle),
  zoomFactor (k.zoomFactor), inset (k.inset)
{
	compute ();
}

void CKnobBase::setStartAngle (float val)
{
	startAngle = val;
	compute ();
}

void CKnobBase::setRangeAngle (float val)
{
	rangeAngle = val;
	compute ();
}

void CKnobBase::compute ()
{
	halfAngle = (kTwoPi - std::fabs (rangeAngle)) * 0.5f;
	setDirty ();
}

void CKnobBase::valueToPoint (CPoint& point) const
{
	float alpha = startAngle + getValueNormalized () * rangeAngle;
	CPoint c (getWidth () / 2., getHeight () / 2.);
	double xr = c.x - inset;
	double yr = c.y - inset;
	point.x = c.x + std::cos (alpha) * xr;
	point.y = c.y - std::sin (alpha) * yr;
}

float CKnobBase::valueFromPoint (CPoint& point) const
{
	// point is relative to the view's top-left corner; angles count counter-clockwise
	// from the positive x axis with y upward.
	double cx = getWidth () / 2.;
	double cy = getHeight () / 2.;
	double alpha = std::atan2 (cy - point.y, point.x - cx);
	double range = std::fabs (rangeAngle);
	double t = (rangeAngle < 0.f ? -1. : 1.) * (alpha - startAngle);
	t = std::fmod (t, static_cast<double> (kTwoPi));
	if (t < 0.)
		t += kTwoPi;
	double v;
	if (range <= 0.)
		v = 0.;
	else if (t <= range)
		v = t / range;
	else // in the gap between the ends: the nearer end
		v = (t - range < kTwoPi - t) ? 1. : 0.;
	return getMin () + static_cast<float> (v) * getRange ();
}

CMouseEventResult CKnobBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	invalidMouseWheelEditTimer (this);
	beginEdit ();
	if (checkDefaultValue (buttons))
	{
		endEdit ();
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	}
	mouseState.active = true;
	mouseState.firstPoint = where;
	mouseState.lastPoint = where;
	mouseState.entryValue = getValue ();
	mouseState.startValue = getValue ();
	mouseState.downValue = getValue ();
	mouseState.oldButton = buttons;
	mouseState.range = kCKnobRange;
	if (buttons & kZoomModifier)
		mouseState.range *= zoomFactor;
	mouseState.coef = getRange () / mouseState.range;
	CFrame* frame = getFrame ();
	mouseState.modeLinear = frame && frame->getKnobMode () == kLinearMode;
	if (mouseState.modeLinear)
		return kMouseEventHandled;
	// Circular: the click itself may jump to the pointer's angle.
	CPoint p (where);
	p.offset (-getViewSize ().left, -getViewSize ().top);
	mouseState.startValue = valueFromPoint (p);
	return onMouseMoved (where, buttons);
}

CMouseEventResult CKnobBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton () || !isEditing () || !mouseState.active)
		return kMouseEventNotHandled;
	float newValue;
	if (mouseState.modeLinear)
	{
		// Up and right raise the value.
		CCoord diff = (mouseState.firstPoint.y - where.y) + (where.x - mouseState.firstPoint.x);
		if (buttons != mouseState.oldButton)
		{
			// A modifier change re-anchors the drag at the current value.
			float range = kCKnobRange;
			if (buttons & kZoomModifier)
				range *= zoomFactor;
			float coef2 = getRange () / range;
			mouseState.entryValue += static_cast<float> (diff * (mouseState.coef - coef2));
			mouseState.coef = coef2;
			mouseState.oldButton = buttons;
		}
		newValue = mouseState.entryValue + static_cast<float> (diff * mouseState.coef);
		newValue = std::fmin (std::fmax (newValue, getMin ()), getMax ());
	}
	else
	{
		CPoint p (where);
		p.offset (-getViewSize ().left, -getViewSize ().top);
		newValue = valueFromPoint (p);
		// Passing through the gap between the ends pins the value at the end it came
		// from instead of jumping to the other one.
		float half = getRange () / 2.f;
		if (mouseState.startValue - newValue > half)
			newValue = getMax ();
		else if (mouseState.startValue - newValue < -half)
			newValue = getMin ();
		mouseState.startValue = newValue;
	}
	mouseState.lastPoint = where;
	setValue (newValue);
	if (getValue () != getOldValue ())
		valueChanged ();
	if (isDirty ())
		invalid ();
	return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseUp (CPoint& /*where*/, const CButtonState& /*buttons*/)
{
	if (mouseState.active && isEditing ())
		endEdit ();
	mouseState.active = false;
	return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseCancel ()
{
	if (mouseState.active && isEditing ())
	{
		// Back to the value of the mouse-down.
		value = mouseState.downValue;
		if (isDirty ())
		{
			valueChanged ();
			invalid ();
		}
		endEdit ();
	}
	mouseState.active = false;
	return kMouseEventHandled;
}

bool CKnobBase::onWheel (const CPoint& /*where*/, const CMouseWheelAxis& /*axis*/, const float& distance,
                         const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return false;
	onMouseWheelEditing (this);
	float d = distance;
	if (buttons & kZoomModifier)
		d *= 0.1f;
	setValueNormalized (getValueNormalized () + d * getWheelInc ());
	if (isDirty ())
	{
		invalid ();
		valueChanged ();
	}
	return true;
}

int32_t CKnobBase::onKeyDown (VstKeyCode& keyCode)
{
	float d = 0.f;
	switch (keyCode.virt)
	{
		case VKEY_UP:
		case VKEY_RIGHT:
			d = 1.f;
			break;
		case VKEY_DOWN:
		case VKEY_LEFT:
			d = -1.f;
			break;
		case VKEY_ESCAPE:
			if (mouseState.active && isEditing ())
			{
				onMouseCancel ();
				return 1;
			}
			return -1;
		default:
			return -1;
	}
	if (buttonStateFromKeyModifiers (keyCode.modifier) & kZoomModifier)
		d *= 0.1f;
	setValueNormalized (getValueNormalized () + d * getWheelInc ());
	if (isDirty ())
	{
		invalid ();
		beginEdit ();
		valueChanged ();
		endEdit ();
	}
	return 1;
}

void CKnobBase::setViewSize (const CRect& rect, bool doInvalid)
{
	CControl::setViewSize (rect, doInvalid);
	compute ();
}

bool CKnobBase::sizeToFit ()
{
	CBitmap* bmp = getDrawBackground ();
	if (!bmp)
		return false;
	CRect r (getViewSize ());
	r.setWidth (bmp->getWidth ());
	r.setHeight (bmp->getHeight ());
	setViewSize (r);
	setMouseableArea (r);
	return true;
}

//------------------------------------------------------------------------
CKnob::CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              CBitmap* handle, const CPoint& offset, int32_t drawStyle)
: CKnobBase (size, listener, tag, background), offset (offset), drawStyle (drawStyle)
{
	setHandleBitmap (handle);
}

CKnob::CKnob (const CKnob& k)
: CKnobBase (k), offset (k.offset), drawStyle (k.drawStyle), colorHandle (k.colorHandle),
  colorShadowHandle (k.colorShadowHandle), coronaColor (k.coronaColor),
  handleLineWidth (k.handleLineWidth), coronaInset (k.coronaInset)
{
	setHandleBitmap (k.pHandle);
}

CKnob::~CKnob () noexcept
{
	if (pHandle)
		pHandle->forget ();
}

void CKnob::setHandleBitmap (CBitmap* bitmap)
{
	if (bitmap == pHandle)
		return;
	if (bitmap)
		bitmap->remember ();
	if (pHandle)
		pHandle->forget ();
	pHandle = bitmap;
	if (pHandle)
		inset = static_cast<CCoord> (std::sqrt (pHandle->getWidth () * pHandle->getWidth () +
		                                        pHandle->getHeight () * pHandle->getHeight ()) /
		                             2. + 2.);
	setDirty ();
}

void CKnob::setDrawStyle (int32_t style)
{
	if (style != drawStyle)
	{
		drawStyle = style;
		setDirty ();
	}
}

void CKnob::setCoronaColor (CColor color)
{
	if (color != coronaColor)
	{
		coronaColor = color;
		setDirty ();
	}
}

void CKnob::setColorShadowHandle (CColor color)
{
	if (color != colorShadowHandle)
	{
		colorShadowHandle = color;
		setDirty ();
	}
}

void CKnob::setColorHandle (CColor color)
{
	if (color != colorHandle)
	{
		colorHandle = color;
		setDirty ();
	}
}

void CKnob::setHandleLineWidth (CCoord width)
{
	if (width != handleLineWidth)
	{
		handleLineWidth = width;
		setDirty ();
	}
}

void CKnob::setCoronaInset (CCoord val)
{
	if (val != coronaInset)
	{
		coronaInset = val;
		setDirty ();
	}
}

void CKnob::draw (CDrawContext* context)
{
	if (CBitmap* bmp = getDrawBackground ())
		bmp->draw (context, getViewSize (), offset);
	if (drawStyle & kCoronaDrawing)
		drawCorona (context);
	if (!(drawStyle & kSkipHandleDrawing))
		drawHandle (context);
	setDirty (false);
}

void CKnob::drawHandle (CDrawContext* context)
{
	CPoint where;
	valueToPoint (where);
	CPoint origin (getWidth () / 2., getHeight () / 2.);
	where.offset (getViewSize ().left, getViewSize ().top);
	origin.offset (getViewSize ().left, getViewSize ().top);
	if (pHandle)
	{
		CCoord w = pHandle->getWidth ();
		CCoord h = pHandle->getHeight ();
		CRect r (where.x - w / 2., where.y - h / 2., where.x + w / 2., where.y + h / 2.);
		pHandle->draw (context, r.makeIntegral ());
		return;
	}
	context->setDrawMode (kAntiAliasing);
	context->setLineStyle (CLineStyle (CLineStyle::kLineCapRound));
	context->setLineWidth (handleLineWidth);
	if (drawStyle & kHandleCircleDrawing)
	{
		CCoord r = std::max<CCoord> (2., handleLineWidth * 2.);
		context->setFillColor (colorHandle);
		context->setFrameColor (colorShadowHandle);
		context->drawEllipse (CRect (where.x - r, where.y - r, where.x + r, where.y + r),
		                      kDrawFilledAndStroked);
		return;
	}
	context->setFrameColor (colorShadowHandle);
	context->drawLine (CPoint (origin.x + 1, origin.y + 1), CPoint (where.x + 1, where.y + 1));
	context->setFrameColor (colorHandle);
	context->drawLine (origin, where);
}

void CKnob::drawCorona (CDrawContext* context)
{
	CRect r (getViewSize ());
	r.inset (coronaInset, coronaInset);
	if (r.isEmpty ())
		return;
	// Screen angles: degrees clockwise from the positive x axis with y downward.
	auto toScreen = [] (float mathAngle) { return -mathAngle * 180. / kPi; };
	float v = getValueNormalized ();
	float from = (drawStyle & kCoronaFromCenter) ? 0.5f : ((drawStyle & kCoronaInverted) ? 1.f : 0.f);
	float a0 = startAngle + from * rangeAngle;
	float a1 = startAngle + v * rangeAngle;
	double s0 = toScreen (a0);
	double s1 = toScreen (a1);
	if (s0 == s1)
		return;
	auto path = owned (context->createGraphicsPath ());
	path->addArc (r, std::min (s0, s1), std::max (s0, s1), true);
	context->setDrawMode (kAntiAliasing);
	context->setFrameColor (coronaColor);
	context->setLineWidth (handleLineWidth);
	context->setLineStyle ((drawStyle & kCoronaLineDashDot) ? kLineOnOffDash
	                                                        : CLineStyle ((drawStyle & kCoronaLineCapButt)
	                                                                          ? CLineStyle::kLineCapButt
	                                                                          : CLineStyle::kLineCapRound));
	context->drawGraphicsPath (path, CDrawContext::kPathStroked);
}

} // VSTGUI
