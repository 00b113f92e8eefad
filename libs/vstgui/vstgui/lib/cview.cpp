#include "cview.h"
#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "cviewcontainer.h"
#include "../uidescription/icontroller.h"
#include <algorithm>
#include <cstring>

namespace VSTGUI {

CView::CView (const CRect& size) : size (size), mouseableArea (size) {}

CView::CView (const CView& v)
: CBaseObject (), size (v.size), mouseableArea (v.mouseableArea), alphaValue (v.alphaValue),
  mouseEnabled (v.mouseEnabled), visible (v.visible), transparent (v.transparent),
  focusWanted (v.focusWanted)
{
	setBackground (v.background);
	setDisabledBackground (v.disabledBackground);
	// Attributes are not copied: a view controller belongs to one view only.
}

CView::~CView () noexcept
{
	if (!willDeleteSent)
	{
		willDeleteSent = true;
		forEachListener ([this] (IViewListener* l) { l->viewWillDelete (this); });
	}
	deleteViewController ();
	if (background)
		background->forget ();
	if (disabledBackground)
		disabledBackground->forget ();
}

void CView::beforeDelete ()
{
	// The sub-controller goes first, while the views it watches still exist.
	deleteViewController ();
	if (!willDeleteSent)
	{
		willDeleteSent = true;
		forEachListener ([this] (IViewListener* l) { l->viewWillDelete (this); });
	}
}

void CView::deleteViewController ()
{
	IController* controller = nullptr;
	uint32_t outSize = 0;
	if (getAttribute (kCViewControllerAttribute, sizeof (controller), &controller, outSize) &&
	    outSize == sizeof (controller))
	{
		removeAttribute (kCViewControllerAttribute);
		delete controller;
	}
}

template <typename F>
void CView::forEachListener (F f)
{
	// A listener may unregister itself (or others) during the call.
	auto copy = viewListeners;
	for (auto* l : copy)
		if (std::find (viewListeners.begin (), viewListeners.end (), l) != viewListeners.end ())
			f (l);
}

void CView::draw (CDrawContext* context)
{
	if (auto* bmp = getDrawBackground ())
		bmp->draw (context, getViewSize ());
	setDirty (false);
}

void CView::drawRect (CDrawContext* context, const CRect& /*updateRect*/) { draw (context); }

CMouseEventResult CView::onMouseDown (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseCancel () { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }

bool CView::onWheel (const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
	return false;
}

int32_t CView::onKeyDown (VstKeyCode&) { return -1; }
int32_t CView::onKeyUp (VstKeyCode&) { return -1; }

bool CView::hitTest (const CPoint& where, const CButtonState&) { return mouseableArea.pointInside (where); }

void CView::setDirty (bool val) { dirty = val; }
bool CView::isDirty () const { return dirty; }

void CView::invalid ()
{
	setDirty (false);
	invalidRect (size);
}

void CView::invalidRect (const CRect& rect)
{
	if (parentView && visible)
		parentView->invalidRect (rect);
}

void CView::setMouseEnabled (bool bEnable)
{
	if (mouseEnabled == bEnable)
		return;
	mouseEnabled = bEnable;
	if (disabledBackground)
		setDirty (true);
}

void CView::setVisible (bool state)
{
	if (visible == state)
		return;
	if (state)
	{
		visible = true;
		invalid ();
	}
	else
	{
		invalid ();
		visible = false;
	}
}

void CView::takeFocus ()
{
	forEachListener ([this] (IViewListener* l) { l->viewTookFocus (this); });
}

void CView::looseFocus ()
{
	forEachListener ([this] (IViewListener* l) { l->viewLostFocus (this); });
}

void CView::setAlphaValue (float alpha)
{
	if (alpha == alphaValue)
		return;
	alphaValue = alpha;
	invalid ();
}

void CView::setViewSize (const CRect& rect, bool doInvalid)
{
	if (size == rect)
		return;
	CRect oldSize = size;
	if (doInvalid)
		invalid ();
	size = rect;
	if (doInvalid)
		invalid ();
	notifyViewSizeChanged (oldSize);
}

void CView::notifyViewSizeChanged (const CRect& oldSize)
{
	forEachListener ([&] (IViewListener* l) { l->viewSizeChanged (this, oldSize); });
}

CRect CView::getVisibleViewSize () const
{
	CRect r (size);
	CPoint tl = r.getTopLeft ();
	localToFrame (tl);
	r.moveTo (tl);
	for (CView* p = parentView; p; p = p->parentView)
	{
		CRect pr (p->getViewSize ());
		CPoint ptl = pr.getTopLeft ();
		p->localToFrame (ptl);
		pr.moveTo (ptl);
		r.bound (pr);
	}
	return r;
}

void CView::setBackground (CBitmap* bmp)
{
	if (bmp == background)
		return;
	if (bmp)
		bmp->remember ();
	if (background)
		background->forget ();
	background = bmp;
	setDirty (true);
}

void CView::setDisabledBackground (CBitmap* bmp)
{
	if (bmp == disabledBackground)
		return;
	if (bmp)
		bmp->remember ();
	if (disabledBackground)
		disabledBackground->forget ();
	disabledBackground = bmp;
	setDirty (true);
}

CBitmap* CView::getDrawBackground () const
{
	if (!getMouseEnabled () && disabledBackground)
		return disabledBackground;
	return background;
}

bool CView::attached (CView* parent)
{
	if (isAttached ())
		return false;
	parentView = parent;
	parentFrame = parent ? parent->getFrame () : nullptr;
	forEachListener ([this] (IViewListener* l) { l->viewAttached (this); });
	return true;
}

bool CView::removed (CView* /*parent*/)
{
	if (!isAttached ())
		return false;
	forEachListener ([this] (IViewListener* l) { l->viewRemoved (this); });
	parentFrame = nullptr;
	return true;
}

CViewContainer* CView::getParentViewContainer () const
{
	return parentView ? parentView->asViewContainer () : nullptr;
}

CPoint& CView::localToFrame (CPoint& point) const
{
	// Each container's origin shifts its children's coordinates.
	for (CView* p = parentView; p && p->parentView; p = p->parentView)
		point.offset (p->getViewSize ().left, p->getViewSize ().top);
	return point;
}

CPoint& CView::frameToLocal (CPoint& point) const
{
	for (CView* p = parentView; p && p->parentView; p = p->parentView)
		point.offset (-p->getViewSize ().left, -p->getViewSize ().top);
	return point;
}

void CView::registerViewListener (IViewListener* listener)
{
	if (listener && std::find (viewListeners.begin (), viewListeners.end (), listener) == viewListeners.end ())
		viewListeners.push_back (listener);
}

void CView::unregisterViewListener (IViewListener* listener)
{
	auto it = std::find (viewListeners.begin (), viewListeners.end (), listener);
	if (it != viewListeners.end ())
		viewListeners.erase (it);
}

bool CView::setAttribute (CViewAttributeID id, uint32_t inSize, const void* inData)
{
	if (inSize && !inData)
		return false;
	auto& blob = attributes[id];
	blob.resize (inSize);
	if (inSize)
		std::memcpy (blob.data (), inData, inSize);
	return true;
}

bool CView::getAttributeSize (CViewAttributeID id, uint32_t& outSize) const
{
	auto it = attributes.find (id);
	if (it == attributes.end ())
		return false;
	outSize = static_cast<uint32_t> (it->second.size ());
	return true;
}

bool CView::getAttribute (CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const
{
	auto it = attributes.find (id);
	if (it == attributes.end () || it->second.size () > inSize)
		return false;
	outSize = static_cast<uint32_t> (it->second.size ());
	if (outSize)
		std::memcpy (outData, it->second.data (), outSize);
	return true;
}

bool CView::removeAttribute (CViewAttributeID id) { return attributes.erase (id) > 0; }

} // VSTGUI
