#include "ccontrol.h"
#include "../cframe.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {

int32_t CControl::kZoomModifier = kShift;
int32_t CControl::kDefaultValueModifier = kAlt;
CControl::CheckDefaultValueFunc CControl::checkDefaultValueFunc = defaultCheckDefaultValue;

bool defaultCheckDefaultValue (CControl* /*control*/, CButtonState button)
{
	return button.getButtonState () == kLButton &&
	       button.getModifierState () == CControl::kDefaultValueModifier;
}

CControl::CControl (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* pBackground)
: CView (size), listener (listener), tag (tag)
{
	setBackground (pBackground);
	setWantsFocus (true);
}

CControl::CControl (const CControl& c)
: CView (c), listener (c.listener), subListeners (), tag (c.tag), oldValue (c.oldValue),
  defaultValue (c.defaultValue), value (c.value), vmin (c.vmin), vmax (c.vmax), wheelInc (c.wheelInc),
  editing (0)
{
}

CControl::~CControl () noexcept = default;

template <typename F>
void CControl::forEachListener (F f)
{
	// Listeners may unregister during the call; a copy keeps the walk valid.
	if (listener)
		f (listener);
	if (subListeners.empty ())
		return;
	auto copy = subListeners;
	for (auto* l : copy)
		if (std::find (subListeners.begin (), subListeners.end (), l) != subListeners.end ())
			f (l);
}

void CControl::setValue (float val)
{
	if (std::isnan (val))
		return;
	if (val < getMin ())
		val = getMin ();
	else if (val > getMax ())
		val = getMax ();
	if (val != value)
		value = val;
}

void CControl::setValueNormalized (float val)
{
	if (std::isnan (val))
		val = 0.f;
	val = std::clamp (val, 0.f, 1.f);
	setValue (getMin () + val * getRange ());
}

float CControl::getValueNormalized () const
{
	float range = getRange ();
	if (range == 0.f)
		return 0.f;
	return (getValue () - getMin ()) / range;
}

void CControl::setMin (float val)
{
	vmin = val;
	if (value < vmin)
		value = vmin;
}

void CControl::setMax (float val)
{
	vmax = val;
	if (value > vmax)
		value = vmax;
}

void CControl::bounceValue ()
{
	if (value > getMax ())
		value = getMax ();
	else if (value < getMin ())
		value = getMin ();
}

bool CControl::checkDefaultValue (CButtonState button)
{
	if (!checkDefaultValueFunc || !checkDefaultValueFunc (this, button))
		return false;
	if (getDefaultValue () == getValue ())
		return true;
	beginEdit ();
	setValue (getDefaultValue ());
	valueChanged ();
	endEdit ();
	setDirty (true);
	return true;
}

void CControl::setTag (int32_t val)
{
	if (val == tag)
		return;
	forEachListener ([this] (IControlListener* l) { l->controlTagWillChange (this); });
	tag = val;
	forEachListener ([this] (IControlListener* l) { l->controlTagDidChange (this); });
}

void CControl::beginEdit ()
{
	if (++editing != 1)
		return;
	SharedPointer<CControl> guard (this);
	if (CFrame* frame = getFrame ())
		frame->beginEdit (tag);
	forEachListener ([this] (IControlListener* l) { l->controlBeginEdit (this); });
}

void CControl::endEdit ()
{
	// An end without a begin is dropped instead of driving the depth below zero.
	if (editing <= 0)
		return;
	if (--editing != 0)
		return;
	SharedPointer<CControl> guard (this);
	forEachListener ([this] (IControlListener* l) { l->controlEndEdit (this); });
	if (CFrame* frame = getFrame ())
		frame->endEdit (tag);
}

void CControl::registerControlListener (IControlListener* l)
{
	if (l && std::find (subListeners.begin (), subListeners.end (), l) == subListeners.end ())
		subListeners.push_back (l);
}

void CControl::unregisterControlListener (IControlListener* l)
{
	auto it = std::find (subListeners.begin (), subListeners.end (), l);
	if (it != subListeners.end ())
		subListeners.erase (it);
}

void CControl::valueChanged ()
{
	SharedPointer<CControl> guard (this);
	forEachListener ([this] (IControlListener* l) { l->valueChanged (this); });
}

bool CControl::isDirty () const { return getOldValue () != value || CView::isDirty (); }

void CControl::setDirty (bool val)
{
	CView::setDirty (val);
	if (val)
		oldValue = value != -1.f ? -1.f : 0.f;
	else
		oldValue = value;
}

void CControl::draw (CDrawContext* context) { CView::draw (context); }

bool CControl::removed (CView* parent)
{
	if (isAttached ())
	{
		// The edit ends as it stands; a wheel edit's timer would otherwise end it later,
		// or never if the control is gone by then.
		if (pendingWheelEdit)
			pendingWheelEdit->dropTimer ();
		if (editing > 0)
		{
			editing = 1;
			endEdit ();
		}
	}
	return CView::removed (parent);
}

//------------------------------------------------------------------------
void CMouseWheelEditingSupport::onMouseWheelEditing (CControl* control)
{
	if (!control->isEditing ())
		control->beginEdit ();
	dropTimer ();
	// A new timer each time, so the 500 ms count from this wheel event.
	wheelEditTimer = makeOwned<CVSTGUITimer> (
	    [this, control] (CVSTGUITimer*) {
		    dropTimer ();
		    if (control->isEditing ())
			    control->endEdit ();
	    },
	    kWheelEditTimeout, true);
	timerControl = control;
	control->pendingWheelEdit = this;
}

void CMouseWheelEditingSupport::dropTimer ()
{
	wheelEditTimer = nullptr;
	if (timerControl && timerControl->pendingWheelEdit == this)
		timerControl->pendingWheelEdit = nullptr;
	timerControl = nullptr;
}

void CMouseWheelEditingSupport::invalidMouseWheelEditTimer (CControl* control)
{
	dropTimer ();
	// Whatever edit is open (a pending wheel edit, or a drag that a further mouse-down
	// interrupts) ends here with the value it has, before the new gesture begins.
	if (control->isEditing ())
		control->endEdit ();
}

} // VSTGUI
