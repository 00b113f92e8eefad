#include "cbuttons.h"
#include "../cbitmap.h"
#include "../cdrawcontext.h"

namespace VSTGUI {

COnOffButton::COnOffButton (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                            int32_t style)
: CControl (size, listener, tag, background), style (style)
{
	setWantsFocus (true);
}

void COnOffButton::draw (CDrawContext* context)
{
	bool on = getValue () == getMax ();
	if (CBitmap* bmp = getDrawBackground ())
		bmp->draw (context, getViewSize (), CPoint (0, on ? getHeight () : 0));
	else
	{
		context->setDrawMode (kAliasing);
		context->setLineWidth (1);
		context->setFillColor (on ? onColor : offColor);
		context->setFrameColor (kGreyCColor);
		context->drawRect (getViewSize (), kDrawFilledAndStroked);
	}
	setDirty (false);
}

void COnOffButton::toggle ()
{
	value = (getValue () == getMax ()) ? getMin () : getMax ();
	if (style == kPreListenerUpdate)
		invalid ();
	beginEdit ();
	valueChanged ();
	endEdit ();
	if (style == kPostListenerUpdate)
		invalid ();
}

CMouseEventResult COnOffButton::onMouseDown (CPoint& /*where*/, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	// The reset gesture returns the button to its default instead of toggling it, as it
	// does for knobs, sliders and switches.
	if (checkDefaultValue (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	toggle ();
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COnOffButton::onKeyDown (VstKeyCode& keyCode)
{
	// Return only: Space is the host's transport key and must reach it untouched.
	if (keyCode.virt == VKEY_RETURN && keyCode.modifier == 0)
	{
		toggle ();
		return 1;
	}
	return -1;
}

bool COnOffButton::sizeToFit ()
{
	CBitmap* bmp = getDrawBackground ();
	if (!bmp)
		return false;
	CRect r (getViewSize ());
	r.setWidth (bmp->getWidth ());
	r.setHeight (bmp->getHeight () / 2.);
	setViewSize (r);
	setMouseableArea (r);
	return true;
}

} // VSTGUI
