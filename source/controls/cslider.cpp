#include "source/controls/cslider.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/vstguidebug.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace VSTGUI {

namespace {

// The ramp's step period, in ms.
constexpr uint32_t kRampTimerPeriod = 16;

constexpr bool hasBits (int32_t word, int32_t bits) { return (word & bits) != 0; }

// Truncation toward zero into 32 bits without undefined behaviour for huge travels
// (a handle range near 2^32) or a NaN from an empty value range.
double truncToInt32 (double v)
{
	if (std::isnan (v))
		return 0.;
	constexpr double lo = static_cast<double> (std::numeric_limits<int32_t>::min ());
	constexpr double hi = static_cast<double> (std::numeric_limits<int32_t>::max ());
	return static_cast<double> (static_cast<int32_t> (std::clamp (std::trunc (v), lo, hi)));
}

} // namespace

//------------------------------------------------------------------------
// CSliderBase
//------------------------------------------------------------------------
struct CSliderBase::Impl
{
	// Running Ramp timer; dropping the reference stops the ramp.
	SharedPointer<CVSTGUITimer> rampTimer;
	int32_t style {0};
	float zoomFactor {10.f};
	CSliderMode mode {CSliderMode::UseGlobal};
	CPoint offsetHandle;
	// Geometry along the slider axis, pixels relative to the view's origin.
	CCoord handleWidth {1.};
	CCoord handleHeight {1.};
	CCoord handleRange {0.};
	CCoord minPos {0.};
	CCoord maxPos {0.};
	CCoord handleMinPos {0.};
	// Drag bookkeeping.
	CPoint lastMousePoint;
	float zoomAnchorValue {0.f};
	float startValue {0.f};
	CButtonState lastButtons {0};
	CCoord grabDelta {0.};
};

// Nothing in this program changes it, so every slider left at UseGlobal is TSFreeClick.
CSliderMode CSliderBase::globalMode = CSliderMode::TSFreeClick;

CSliderBase::CSliderBase (const CRect& size, IControlListener* listener, int32_t tag)
: CControl (size, listener, tag, nullptr), impl (std::make_unique<Impl> ())
{
	// Defined from the start so that a cancel of a wheel edit on a never-clicked slider
	// restores a real value; the anchor starts in its "unset" state.
	impl->zoomAnchorValue = getMin () - 1.f;
	impl->startValue = getValue ();
}

CSliderBase::CSliderBase (const CSliderBase& other)
: CControl (other), CMouseWheelEditingSupport (other), impl (std::make_unique<Impl> (*other.impl))
{
	// The ramp timer's callback works on the slider that started the ramp; a copy never
	// shares it, so no timer can outlive the slider it calls into.
	impl->rampTimer = nullptr;
}

CSliderBase::~CSliderBase () noexcept = default;

void CSliderBase::setStyle (int32_t style)
{
	vstgui_assert (hasBits (style, kHorizontal) != hasBits (style, kVertical));
	impl->style = style;
}

int32_t CSliderBase::getStyle () const { return impl->style; }
bool CSliderBase::isStyleHorizontal () const { return hasBits (impl->style, kHorizontal); }
bool CSliderBase::isStyleRight () const { return hasBits (impl->style, kRight); }
bool CSliderBase::isStyleBottom () const { return hasBits (impl->style, kBottom); }

bool CSliderBase::isInverseStyle () const
{
	return isStyleHorizontal () ? hasBits (impl->style, kRight) : hasBits (impl->style, kTop);
}

void CSliderBase::setZoomFactor (float val) { impl->zoomFactor = val; }
float CSliderBase::getZoomFactor () const { return impl->zoomFactor; }

void CSliderBase::setSliderMode (CSliderMode mode) { impl->mode = mode; }
CSliderMode CSliderBase::getSliderMode () const { return impl->mode; }

CSliderMode CSliderBase::getEffectiveSliderMode () const
{
	return impl->mode == CSliderMode::UseGlobal ? globalMode : impl->mode;
}

void CSliderBase::setGlobalMode (CSliderMode mode)
{
	vstgui_assert (mode != CSliderMode::UseGlobal, "do not set the global mode to use global");
	globalMode = mode;
}

CSliderMode CSliderBase::getGlobalMode () { return globalMode; }

void CSliderBase::setOffsetHandle (const CPoint& val)
{
	impl->offsetHandle = val;
	updateInternalHandleValues ();
}

CPoint CSliderBase::getOffsetHandle () const { return impl->offsetHandle; }

void CSliderBase::setHandleSizePrivate (CCoord width, CCoord height)
{
	impl->handleWidth = width;
	impl->handleHeight = height;
	updateInternalHandleValues ();
}

CPoint CSliderBase::getHandleSizePrivate () const
{
	return CPoint (impl->handleWidth, impl->handleHeight);
}

void CSliderBase::setHandleRangePrivate (CCoord range)
{
	impl->handleRange = range;
	updateInternalHandleValues ();
}

CCoord CSliderBase::getHandleRangePrivate () const { return impl->handleRange; }

void CSliderBase::setHandleMinPosPrivate (CCoord pos)
{
	impl->handleMinPos = pos;
	updateInternalHandleValues ();
}

CCoord CSliderBase::getHandleMinPosPrivate () const { return impl->handleMinPos; }
CCoord CSliderBase::getMinPosPrivate () const { return impl->minPos; }
CCoord CSliderBase::getMaxPosPrivate () const { return impl->maxPos; }

void CSliderBase::updateInternalHandleValues ()
{
	if (isStyleHorizontal ())
	{
		impl->minPos = impl->handleMinPos + impl->offsetHandle.x;
		impl->maxPos = impl->minPos + impl->handleRange + impl->handleWidth;
	}
	else
	{
		impl->minPos = impl->handleMinPos + impl->offsetHandle.y;
		impl->maxPos = impl->minPos + impl->handleRange + impl->handleHeight;
	}
}

CPoint CSliderBase::getControlSizePrivate () const
{
	return CPoint (getViewSize ().getWidth (), getViewSize ().getHeight ());
}

void CSliderBase::setViewSize (const CRect& rect, bool invalid)
{
	CControl::setViewSize (rect, invalid);
	if (isStyleHorizontal ())
	{
		impl->handleMinPos = rect.left - getViewSize ().left;
		impl->handleRange = rect.getWidth () - impl->handleWidth - 2. * impl->offsetHandle.x;
	}
	else
	{
		impl->handleMinPos = rect.top - getViewSize ().top;
		impl->handleRange = rect.getHeight () - impl->handleHeight - 2. * impl->offsetHandle.y;
	}
	updateInternalHandleValues ();
}

double CSliderBase::handlePixel (float normValue) const
{
	if (hasBits (impl->style, kRight | kBottom))
		normValue = 1.f - normValue;
	return std::floor (static_cast<double> (normValue) * impl->handleRange);
}

CRect CSliderBase::calculateHandleRect (float normValue) const
{
	const double p = handlePixel (normValue);
	const CPoint& o = impl->offsetHandle;
	CRect r;
	if (isStyleHorizontal ())
	{
		r.left = std::max (p + o.x, impl->minPos);
		r.top = o.y;
		r.right = std::min (r.left + impl->handleWidth, impl->maxPos);
		r.bottom = r.top + impl->handleHeight;
	}
	else
	{
		r.top = std::max (p + o.y, impl->minPos);
		r.left = o.x;
		r.bottom = std::min (r.top + impl->handleHeight, impl->maxPos);
		r.right = r.left + impl->handleWidth;
	}
	r.offset (getViewSize ().left, getViewSize ().top);
	return r;
}

//------------------------------------------------------------------------
// Pointer, wheel and keys
//------------------------------------------------------------------------
float CSliderBase::calculateDelta (const CPoint& where, CRect* handleRect) const
{
	const CRect& vs = getViewSize ();
	const bool horizontal = isStyleHorizontal ();
	const CPoint& o = impl->offsetHandle;
	const double origin = horizontal ? vs.left + o.x : vs.top + o.y;
	const double handleSize = horizontal ? impl->handleWidth : impl->handleHeight;
	const double pointer = horizontal ? where.x : where.y;
	// Puts the handle's leading edge at pointer - handleSize / 2 + 1.
	const double freeClickDelta = origin + handleSize * 0.5 - 1.;

	const CSliderMode mode = getEffectiveSliderMode ();
	if (mode == CSliderMode::FreeClick)
		return static_cast<float> (freeClickDelta);

	float normValue = getValueNormalized ();
	if (hasBits (impl->style, kRight | kBottom))
		normValue = 1.f - normValue;
	const double pos = origin + truncToInt32 (static_cast<double> (normValue) * impl->handleRange);

	CRect rect;
	if (horizontal)
	{
		rect.left = pos;
		rect.top = vs.top + o.y;
		rect.right = pos + impl->handleWidth;
		rect.bottom = rect.top + impl->handleHeight;
	}
	else
	{
		rect.left = vs.left + o.x;
		rect.top = pos;
		rect.right = rect.left + impl->handleWidth;
		rect.bottom = pos + impl->handleHeight;
	}
	if (handleRect)
		*handleRect = rect;

	if (mode == CSliderMode::TSFreeClick && !rect.pointInside (where))
		return static_cast<float> (freeClickDelta);
	return static_cast<float> (origin + (pointer - pos));
}

CMouseEventResult CSliderBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons & kLButton))
		return kMouseEventNotHandled;

	invalidMouseWheelEditTimer (this);

	const CSliderMode mode = getEffectiveSliderMode ();
	CRect handleRect;
	impl->grabDelta =
	    calculateDelta (where, mode != CSliderMode::FreeClick ? &handleRect : nullptr);
	const bool onHandle = handleRect.pointInside (where);

	if (mode == CSliderMode::Touch && !onHandle)
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

	impl->zoomAnchorValue = getMin () - 1.f;
	impl->lastButtons = buttons;

	if ((mode != CSliderMode::RelativeTouch || onHandle) && checkDefaultValue (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

	if (mode == CSliderMode::Ramp && !onHandle)
		impl->rampTimer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { doRamping (); },
		                                           kRampTimerPeriod, true);

	impl->startValue = getValue ();
	beginEdit ();
	impl->lastMousePoint = where;

	if (buttons & kZoomModifier)
		return kMouseEventHandled;

	// The edit is open now, so the slider must see the mouse-up even when the move is
	// refused (another button held as well): otherwise the edit would never end.
	const CMouseEventResult result = onMouseMoved (where, buttons);
	return result == kMouseEventNotHandled ? kMouseEventHandled : result;
}

CMouseEventResult CSliderBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (buttons.getButtonState () != kLButton || !isEditing ())
		return kMouseEventNotHandled;

	if (impl->rampTimer)
	{
		impl->lastMousePoint = where;
		return kMouseEventHandled;
	}

	auto currentNormValue = [this] () {
		return (getValue () - getMin ()) / (getMax () - getMin ());
	};
	const bool zoom = (buttons & kZoomModifier) != 0;
	if (impl->zoomAnchorValue == getMin () - 1.f)
		impl->zoomAnchorValue = currentNormValue ();
	if (impl->lastButtons != buttons && zoom)
	{
		impl->zoomAnchorValue = currentNormValue ();
		impl->lastButtons = buttons;
	}
	else if (!zoom)
		impl->zoomAnchorValue = currentNormValue ();

	const double pointer = isStyleHorizontal () ? where.x : where.y;
	// The handle's leading edge along its travel, where the pointer puts it.
	const float edge = static_cast<float> (pointer - impl->grabDelta);
	float normValue = edge / static_cast<float> (impl->handleRange);
	if (hasBits (impl->style, kRight | kBottom))
		normValue = 1.f - normValue;
	if (zoom)
		normValue = impl->zoomAnchorValue + (normValue - impl->zoomAnchorValue) / impl->zoomFactor;

	setValueNormalized (normValue);
	if (!zoom)
		settleOnPixel (std::floor (static_cast<double> (edge)));
	if (isDirty ())
	{
		valueChanged ();
		invalid ();
	}
	return kMouseEventHandled;
}

// The value of a whole pixel comes out of the division in onMouseMoved as the nearest
// float, which for about half the pixels lies just below the pixel's boundary; on a
// reversed slider 1 - value rounds once more, to the coarser grid of floats near 1. The
// handle would then be drawn, and found by the next click, one pixel short of where the
// pointer put it, and each further click on it would settle it one more pixel along.
// This moves the value to the nearest float that lies on the pixel.
void CSliderBase::settleOnPixel (double pixel)
{
	// NaN (an empty travel) and positions beyond the ends, where the value is limited to
	// an end and lies on the end pixel, are left alone.
	if (!(pixel >= 0. && pixel <= impl->handleRange))
		return;
	auto reaches = [&] (float v) {
		setValue (v);
		return handlePixel (getValueNormalized ()) >= pixel;
	};
	const float derived = getValue ();
	if (reaches (derived))
		return;
	// The end the handle moves toward lies on the last pixel, at or past `pixel`, so the
	// value sought lies between it and the derived one: bisect, in value, down to
	// neighbouring floats.
	float shortOf = derived;
	float reached = hasBits (impl->style, kRight | kBottom) ? getMin () : getMax ();
	if (!std::isfinite (reached))
	{
		setValue (derived);
		return;
	}
	for (;;)
	{
		const float mid = shortOf + (reached - shortOf) * 0.5f;
		if (mid == shortOf || mid == reached)
			break;
		(reaches (mid) ? reached : shortOf) = mid;
	}
	// A pixel too narrow for any float in it keeps the derived value.
	if (!reaches (reached) || handlePixel (getValueNormalized ()) != pixel)
		setValue (derived);
}

void CSliderBase::doRamping ()
{
	// Called from the timer, where nobody else holds the slider: a listener that drops
	// it in valueChanged must not pull it away before invalid () below.
	SharedPointer<CSliderBase> guard (this);
	const float normValue = getValueNormalized ();
	const CRect r = calculateHandleRect (normValue);
	const bool horizontal = isStyleHorizontal ();
	const CPoint& target = impl->lastMousePoint;

	float step;
	if (horizontal)
	{
		const double centre = r.left + r.getWidth () * 0.5;
		step = centre > target.x ? -0.1f : 0.1f;
	}
	else
	{
		const double centre = r.top + r.getHeight () * 0.5;
		step = centre > target.y ? 0.1f : -0.1f;
	}
	if (isInverseStyle ())
		step = -step;

	const CRect& vs = getViewSize ();
	const double origin = horizontal ? vs.left + impl->offsetHandle.x : vs.top + impl->offsetHandle.y;
	const double handleSize = horizontal ? impl->handleWidth : impl->handleHeight;
	const double freeClickDelta = origin + handleSize * 0.5 - 1.;

	// The value at which the handle would stand under the pointer after a free click.
	const double pointer = horizontal ? target.x : target.y;
	float targetValue =
	    static_cast<float> (pointer - freeClickDelta) / static_cast<float> (impl->handleRange);
	if (hasBits (impl->style, kRight | kBottom))
		targetValue = 1.f - targetValue;

	float newValue = normValue + step * getWheelInc ();
	if ((step < 0.f && targetValue > newValue) || (step > 0.f && targetValue < newValue))
	{
		// Passed the pointer: stop ramping and go on as a free-click drag.
		impl->rampTimer = nullptr;
		impl->grabDelta = freeClickDelta;
		newValue = targetValue;
	}

	setValueNormalized (newValue);
	if (isDirty ())
	{
		valueChanged ();
		invalid ();
	}
}

CMouseEventResult CSliderBase::onMouseUp (CPoint& /*where*/, const CButtonState& /*buttons*/)
{
	if (isEditing ())
	{
		impl->lastButtons = 0;
		impl->rampTimer = nullptr;
		endEdit ();
	}
	return kMouseEventHandled;
}

CMouseEventResult CSliderBase::onMouseCancel ()
{
	if (isEditing ())
	{
		// Stored directly, not through setValue: the value goes back exactly as it was.
		value = impl->startValue;
		if (isDirty ())
		{
			valueChanged ();
			invalid ();
		}
		impl->lastButtons = 0;
		impl->rampTimer = nullptr;
		endEdit ();
	}
	return kMouseEventHandled;
}

bool CSliderBase::onWheel (const CPoint& /*where*/, const CMouseWheelAxis& axis,
                           const float& distance, const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return false;
	const bool horizontal = isStyleHorizontal ();
	if (horizontal ? axis != kMouseWheelAxisX : axis != kMouseWheelAxisY)
		return false;

	// A cancel during this wheel edit returns to the value before its first step.
	if (!isEditing ())
		impl->startValue = getValue ();
	onMouseWheelEditing (this);

	float d = distance;
	if (horizontal)
		d = -d;
	if (isInverseStyle ())
		d = -d;
	const float normValue = getValueNormalized ();
	if (buttons & kZoomModifier)
		d *= 0.1f;
	setValueNormalized (normValue + d * getWheelInc ());
	if (isDirty ())
	{
		invalid ();
		valueChanged ();
	}
	return true;
}

int32_t CSliderBase::onKeyDown (VstKeyCode& keyCode)
{
	float step;
	switch (keyCode.virt)
	{
		case VKEY_UP:
		case VKEY_RIGHT: step = 1.f; break;
		case VKEY_DOWN:
		case VKEY_LEFT: step = -1.f; break;
		case VKEY_ESCAPE:
			if (isEditing ())
			{
				onMouseCancel ();
				return 1;
			}
			return -1;
		default: return -1;
	}
	if (isInverseStyle ())
		step = -step;
	const float normValue = getValueNormalized ();
	if (buttonStateFromKeyModifiers (keyCode.modifier) & kZoomModifier)
		step *= 0.1f;
	setValueNormalized (normValue + step * getWheelInc ());
	if (isDirty ())
	{
		invalid ();
		// Each press is a complete edit of its own.
		beginEdit ();
		valueChanged ();
		endEdit ();
	}
	return 1;
}

//------------------------------------------------------------------------
// CSlider
//------------------------------------------------------------------------
struct CSlider::Impl
{
	CPoint offset; // source offset into the background bitmap
	SharedPointer<CBitmap> handleBitmap;
	CCoord frameWidth {1.};
	int32_t drawStyle {0};
	CColor frameColor {127, 127, 127, 255};
	CColor backColor {0, 0, 0, 255};
	CColor valueColor {255, 255, 255, 255};
};

CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
                  int32_t iMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                  const int32_t style)
: CSliderBase (size, listener, tag), impl (std::make_unique<Impl> ())
{
	impl->offset = offset;
	setBackground (background);
	// The axis must be known before setHandle recomputes the travel.
	setStyle (style);
	setHandle (handle);
	const CRect& vs = getViewSize ();
	setHandleMinPosPrivate (isStyleHorizontal () ? iMinPos - vs.left : iMinPos - vs.top);
	// In double: the difference of two int32 positions may not fit 32 bits.
	setHandleRangePrivate (static_cast<double> (iMaxPos) - static_cast<double> (iMinPos));
	setWantsFocus (true);
}

CSlider::CSlider (const CRect& rect, IControlListener* listener, int32_t tag,
                  const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
                  CBitmap* background, const CPoint& offset, const int32_t style)
: CSliderBase (rect, listener, tag), impl (std::make_unique<Impl> ())
{
	impl->offset = offset;
	setBackground (background);
	setStyle (style);
	setHandle (handle);
	const CPoint handleSize = getHandleSizePrivate ();
	setHandleRangePrivate (static_cast<double> (rangeHandle) -
	                       (isStyleHorizontal () ? handleSize.x : handleSize.y));
	setOffsetHandle (offsetHandle);
	setWantsFocus (true);
}

CSlider::CSlider (const CSlider& slider)
: CSliderBase (slider), impl (std::make_unique<Impl> (*slider.impl))
{
}

CSlider::~CSlider () noexcept = default;

CView* CSlider::newCopy () const { return new CSlider (*this); }

void CSlider::setOffset (const CPoint& val) { impl->offset = val; }
CPoint CSlider::getOffset () const { return impl->offset; }

void CSlider::setHandle (CBitmap* handle)
{
	impl->handleBitmap = handle;
	if (impl->handleBitmap)
	{
		setHandleSizePrivate (impl->handleBitmap->getWidth (), impl->handleBitmap->getHeight ());
		setViewSize (getViewSize (), true);
	}
	else
		setHandleSizePrivate (1., 1.);
}

CBitmap* CSlider::getHandle () const { return impl->handleBitmap; }

void CSlider::setDrawStyle (int32_t style)
{
	if (style == impl->drawStyle)
		return;
	impl->drawStyle = style;
	invalid ();
}

int32_t CSlider::getDrawStyle () const { return impl->drawStyle; }

void CSlider::setFrameWidth (CCoord width)
{
	if (width == impl->frameWidth)
		return;
	impl->frameWidth = width;
	invalid ();
}

CCoord CSlider::getFrameWidth () const { return impl->frameWidth; }

void CSlider::setFrameColor (CColor color)
{
	if (color == impl->frameColor)
		return;
	impl->frameColor = color;
	invalid ();
}

void CSlider::setBackColor (CColor color)
{
	if (color == impl->backColor)
		return;
	impl->backColor = color;
	invalid ();
}

void CSlider::setValueColor (CColor color)
{
	if (color == impl->valueColor)
		return;
	impl->valueColor = color;
	invalid ();
}

CColor CSlider::getFrameColor () const { return impl->frameColor; }
CColor CSlider::getBackColor () const { return impl->backColor; }
CColor CSlider::getValueColor () const { return impl->valueColor; }

bool CSlider::sizeToFit ()
{
	CBitmap* bitmap = getDrawBackground ();
	if (!bitmap)
		return false;
	const CRect r (getViewSize ().getTopLeft (), CPoint (bitmap->getWidth (), bitmap->getHeight ()));
	setViewSize (r, true);
	setMouseableArea (r);
	return true;
}

void CSlider::draw (CDrawContext* context)
{
	if (CBitmap* background = getDrawBackground ())
		background->draw (context, CRect (getViewSize ().getTopLeft (), getControlSizePrivate ()),
		                  getOffset (), 1.f);

	const int32_t drawStyle = impl->drawStyle;
	if (drawStyle != 0)
	{
		CCoord lineWidth = getFrameWidth ();
		if (lineWidth < 0.)
			lineWidth = context->getHairlineSize ();
		const bool frame = hasBits (drawStyle, kDrawFrame);
		const bool back = hasBits (drawStyle, kDrawBack);
		CRect r (getViewSize ());

		context->setDrawMode (kAntiAliasing);
		context->setLineStyle (kLineSolid);
		context->setLineWidth (lineWidth);

		if (frame || back)
		{
			context->setFrameColor (impl->frameColor);
			context->setFillColor (impl->backColor);
			if (auto path = owned (context->createGraphicsPath ()))
			{
				// The stroke is centred on the path: inset so it stays inside the view.
				if (frame)
					r.inset (lineWidth / 2., lineWidth / 2.);
				path->addRect (r);
				if (back)
					context->drawGraphicsPath (path, CDrawContext::kPathFilled);
				if (frame)
					context->drawGraphicsPath (path, CDrawContext::kPathStroked);
			}
			else
				context->drawRect (r, frame && back ? kDrawFilledAndStroked
				                                    : (frame ? kDrawStroked : kDrawFilled));
		}

		if (hasBits (drawStyle, kDrawValue))
		{
			context->setDrawMode (kAliasing);
			if (frame)
				r.inset (lineWidth / 2., lineWidth / 2.);
			float normValue = getValueNormalized ();
			const bool inverted = hasBits (drawStyle, kDrawInverted);
			if (hasBits (drawStyle, kDrawValueFromCenter))
			{
				if (inverted)
					normValue = 1.f - normValue;
				if (isStyleHorizontal ())
				{
					const CCoord width = r.getWidth ();
					r.right = r.left + normValue * width;
					r.left += width * 0.5;
				}
				else
				{
					const CCoord height = r.getHeight ();
					r.bottom = r.top + normValue * height;
					r.top += height * 0.5;
				}
			}
			else if (isStyleHorizontal ())
			{
				if (inverted)
					r.left = r.right - normValue * r.getWidth ();
				else
					r.right = r.left + normValue * r.getWidth ();
			}
			else
			{
				if (inverted)
					r.bottom = r.top + normValue * r.getHeight ();
				else
					r.top = r.bottom - normValue * r.getHeight ();
			}
			r.normalize ();
			if (r.getWidth () >= 0.5 && r.getHeight () >= 0.5)
			{
				context->setFillColor (impl->valueColor);
				if (auto path = owned (context->createGraphicsPath ()))
				{
					path->addRect (r);
					context->drawGraphicsPath (path, CDrawContext::kPathFilled);
				}
				else
					context->drawRect (r, kDrawFilled);
			}
		}
	}

	if (CBitmap* handle = getHandle ())
		handle->draw (context, calculateHandleRect (getValueNormalized ()), CPoint (0, 0), 1.f);

	setDirty (false);
}

//------------------------------------------------------------------------
// Orientation shorthands
//------------------------------------------------------------------------
CVerticalSlider::CVerticalSlider (const CRect& size, IControlListener* listener, int32_t tag,
                                  int32_t iMinPos, int32_t iMaxPos, CBitmap* handle,
                                  CBitmap* background, const CPoint& offset, const int32_t style)
: CSlider (size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kVertical)
{
}

CVerticalSlider::CVerticalSlider (const CRect& rect, IControlListener* listener, int32_t tag,
                                  const CPoint& offsetHandle, int32_t rangeHandle,
                                  CBitmap* handle, CBitmap* background, const CPoint& offset,
                                  const int32_t style)
: CSlider (rect, listener, tag, offsetHandle, rangeHandle, handle, background, offset,
           style | kVertical)
{
}

CVerticalSlider::~CVerticalSlider () noexcept = default;

CHorizontalSlider::CHorizontalSlider (const CRect& size, IControlListener* listener, int32_t tag,
                                      int32_t iMinPos, int32_t iMaxPos, CBitmap* handle,
                                      CBitmap* background, const CPoint& offset,
                                      const int32_t style)
: CSlider (size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kHorizontal)
{
}

CHorizontalSlider::CHorizontalSlider (const CRect& rect, IControlListener* listener, int32_t tag,
                                      const CPoint& offsetHandle, int32_t rangeHandle,
                                      CBitmap* handle, CBitmap* background, const CPoint& offset,
                                      const int32_t style)
: CSlider (rect, listener, tag, offsetHandle, rangeHandle, handle, background, offset,
           style | kHorizontal)
{
}

CHorizontalSlider::~CHorizontalSlider () noexcept = default;

} // VSTGUI
