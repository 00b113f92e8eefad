#include "cviewcontainer.h"
#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer (const CRect& size) : CView (size) {}

CViewContainer::CViewContainer (const CViewContainer& other)
: CView (other), backgroundColor (other.backgroundColor), backgroundOffset (other.backgroundOffset),
  backgroundColorDrawStyle (other.backgroundColorDrawStyle)
{
	for (auto* child : other.children)
		if (CView* copy = child->newCopy ())
			addView (copy);
}

CViewContainer::~CViewContainer () noexcept { removeAll (true); }

void CViewContainer::beforeDelete ()
{
	// Sub-controller first, then the children, then the view itself.
	deleteViewController ();
	removeAll (true);
	CView::beforeDelete ();
}

bool CViewContainer::addView (CView* view, CView* before)
{
	if (!view)
		return false;
	if (view->getParentView () || view == this)
	{
		view->forget ();
		return false;
	}
	auto it = before ? std::find (children.begin (), children.end (), before) : children.end ();
	children.insert (it, view);
	if (getFrame ())
		view->attached (this);
	else
		view->setParentView (this);
	for (auto* l : containerListeners)
		l->viewContainerViewAdded (this, view);
	view->invalid ();
	return true;
}

void CViewContainer::clearMouseDownView (CView* view)
{
	if (mouseDownView == view)
		mouseDownView = nullptr;
}

bool CViewContainer::removeView (CView* view, bool withForget)
{
	auto it = std::find (children.begin (), children.end (), view);
	if (it == children.end ())
		return false;
	if (view == mouseDownView)
	{
		// A drag cut short by its view leaving ends as a cancelled one, while the view is
		// still in the tree: its edit closes and its timers (a slider's ramp) stop.
		SharedPointer<CView> guard (view);
		CViewContainer::onMouseCancel ();
		it = std::find (children.begin (), children.end (), view);
		if (it == children.end ())
			return true; // the cancel's listeners removed it already
	}
	view->invalid ();
	children.erase (it);
	if (CFrame* frame = getFrame ())
		frame->onViewRemoved (view);
	if (view->isAttached ())
		view->removed (this);
	view->setParentView (nullptr);
	view->setParentFrame (nullptr);
	for (auto* l : containerListeners)
		l->viewContainerViewRemoved (this, view);
	if (withForget)
		view->forget ();
	return true;
}

bool CViewContainer::removeAll (bool withForget)
{
	while (!children.empty ())
		removeView (children.back (), withForget);
	return true;
}

bool CViewContainer::isChild (CView* view, bool deep) const
{
	for (auto* child : children)
	{
		if (child == view)
			return true;
		if (deep)
			if (auto* c = child->asViewContainer ())
				if (c->isChild (view, true))
					return true;
	}
	return false;
}

CView* CViewContainer::getView (uint32_t index) const
{
	return index < children.size () ? children[index] : nullptr;
}

CView* CViewContainer::getViewAt (const CPoint& where, bool deep, bool mouseEnabledOnly) const
{
	CPoint local (where);
	local.offset (-getViewSize ().left, -getViewSize ().top);
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* v = *it;
		if (!v->isVisible () || (mouseEnabledOnly && !v->getMouseEnabled ()))
			continue;
		if (!v->getViewSize ().pointInside (local))
			continue;
		if (deep)
			if (auto* c = v->asViewContainer ())
				if (CView* inner = c->getViewAt (local, true, mouseEnabledOnly))
					return inner;
		return v;
	}
	return nullptr;
}

void CViewContainer::setBackgroundColor (const CColor& color)
{
	if (color == backgroundColor)
		return;
	backgroundColor = color;
	setDirty (true);
}

void CViewContainer::setBackgroundColorDrawStyle (CViewContainerDrawStyle style)
{
	if (style == backgroundColorDrawStyle)
		return;
	backgroundColorDrawStyle = style;
	setDirty (true);
}

void CViewContainer::drawBackgroundRect (CDrawContext* context, const CRect& rect)
{
	CRect local (0, 0, getWidth (), getHeight ());
	if (auto* bmp = getDrawBackground ())
	{
		bmp->draw (context, local, backgroundOffset);
		return;
	}
	if (getTransparency ())
		return;
	context->setDrawMode (kAliasing);
	context->setLineWidth (1);
	context->setFillColor (backgroundColor);
	context->setFrameColor (backgroundColor);
	CDrawStyle style = kDrawFilledAndStroked;
	if (backgroundColorDrawStyle == CViewContainerDrawStyle::kStroked)
		style = kDrawStroked;
	else if (backgroundColorDrawStyle == CViewContainerDrawStyle::kFilled)
		style = kDrawFilled;
	CRect r (rect);
	r.bound (local);
	if (style == kDrawFilled)
		context->drawRect (r, kDrawFilled);
	else
		context->drawRect (local, style);
}

void CViewContainer::draw (CDrawContext* context) { drawRect (context, getViewSize ()); }

void CViewContainer::drawRect (CDrawContext* context, const CRect& updateRect)
{
	// updateRect is in the parent's coordinates; children draw in this container's.
	CRect clip (updateRect);
	clip.bound (getViewSize ());
	if (clip.isEmpty ())
		return;
	CRect localClip (clip);
	localClip.offset (-getViewSize ().left, -getViewSize ().top);

	CDrawContext::Transform t (*context, CGraphicsTransform ().translate (getViewSize ().left,
	                                                                      getViewSize ().top));
	CRect oldClip;
	context->getClipRect (oldClip);
	CRect newClip (localClip);
	newClip.bound (oldClip);
	context->saveGlobalState ();
	context->setClipRect (newClip);
	if (!newClip.isEmpty ())
	{
		drawBackgroundRect (context, newClip);
		for (auto* child : children)
		{
			if (!child->isVisible () || !child->checkUpdate (newClip))
				continue;
			context->saveGlobalState ();
			CRect childClip (child->getViewSize ());
			childClip.bound (newClip);
			context->setClipRect (childClip);
			float alpha = context->getGlobalAlpha ();
			context->setGlobalAlpha (alpha * child->getAlphaValue ());
			child->drawRect (context, newClip);
			context->restoreGlobalState ();
		}
	}
	context->restoreGlobalState ();
	setDirty (false);
}

namespace {

// Offers an event to the children under a point (in the container's coordinates),
// topmost first, until handle returns true. Works on a copy, since a handler may
// remove views; a child removed meanwhile is passed over.
template <typename Handler>
bool offerToChildrenUnder (const std::vector<CView*>& children, const CPoint& local,
                           const CButtonState& buttons, Handler&& handle)
{
	const auto copy = children;
	for (auto it = copy.rbegin (); it != copy.rend (); ++it)
	{
		CView* v = *it;
		if (std::find (children.begin (), children.end (), v) == children.end ())
			continue;
		if (!v->isVisible () || !v->getMouseEnabled () || !v->hitTest (local, buttons))
			continue;
		SharedPointer<CView> guard (v);
		if (handle (v))
			return true;
	}
	return false;
}

} // namespace

bool CViewContainer::isFurtherButtonOfMouseDown (const CButtonState& buttons) const
{
	const int32_t held = mouseDownButtons.getButtonState ();
	const int32_t now = buttons.getButtonState ();
	return mouseDownView && (now & held) == held && now != held;
}

CMouseEventResult CViewContainer::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	CPoint local (where);
	local.offset (-getViewSize ().left, -getViewSize ().top);
	if (isFurtherButtonOfMouseDown (buttons))
	{
		// Like the moves and the up, it goes to the view that holds the mouse, wherever
		// the pointer is; that view decides what it means for its gesture. A view that
		// refuses it keeps the mouse and gets the up as before.
		SharedPointer<CView> v (mouseDownView);
		CPoint p (local);
		CMouseEventResult r = v->onMouseDown (p, buttons);
		if (r == kMouseEventHandled)
			mouseDownButtons = buttons;
		else if (r == kMouseDownEventHandledButDontNeedMovedOrUpEvents)
			clearMouseDownView (v);
		return r;
	}
	CMouseEventResult result = kMouseEventNotHandled;
	offerToChildrenUnder (children, local, buttons, [&] (CView* v) {
		if (v->wantsFocus ())
			if (CFrame* frame = getFrame ())
				frame->setFocusView (v);
		CPoint p (local);
		CMouseEventResult r = v->onMouseDown (p, buttons);
		if (r == kMouseEventNotHandled || r == kMouseEventNotImplemented)
			return false;
		if (r == kMouseEventHandled && v->isAttached ())
		{
			mouseDownView = v;
			mouseDownButtons = buttons;
		}
		result = r;
		return true;
	});
	return result;
}

CMouseEventResult CViewContainer::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	SharedPointer<CView> v (mouseDownView);
	mouseDownView = nullptr;
	CPoint p (where);
	p.offset (-getViewSize ().left, -getViewSize ().top);
	v->onMouseUp (p, buttons);
	return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	SharedPointer<CView> v (mouseDownView);
	CPoint p (where);
	p.offset (-getViewSize ().left, -getViewSize ().top);
	CMouseEventResult result = v->onMouseMoved (p, buttons);
	if (result != kMouseEventHandled && result != kMouseEventNotImplemented &&
	    result != kMouseEventNotHandled)
	{
		// The view wants no more moves (and no up).
		clearMouseDownView (v);
	}
	return result;
}

CMouseEventResult CViewContainer::onMouseCancel ()
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	SharedPointer<CView> v (mouseDownView);
	mouseDownView = nullptr;
	return v->onMouseCancel ();
}

bool CViewContainer::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                              const CButtonState& buttons)
{
	CPoint local (where);
	local.offset (-getViewSize ().left, -getViewSize ().top);
	return offerToChildrenUnder (children, local, buttons, [&] (CView* v) {
		return v->onWheel (local, axis, distance, buttons);
	});
}

void CViewContainer::setViewSize (const CRect& rect, bool doInvalid)
{
	CView::setViewSize (rect, doInvalid);
	setMouseableArea (rect);
}

void CViewContainer::invalidRect (const CRect& rect)
{
	// rect is in this container's coordinates; the parent wants its own.
	if (!isAttached () || !isVisible ())
		return;
	CRect r (rect);
	r.offset (getViewSize ().left, getViewSize ().top);
	r.bound (getViewSize ());
	if (!r.isEmpty ())
		getParentView ()->invalidRect (r);
}

bool CViewContainer::attached (CView* parent)
{
	if (!CView::attached (parent))
		return false;
	for (auto* child : children)
		child->attached (this);
	return true;
}

bool CViewContainer::removed (CView* parent)
{
	if (!isAttached ())
		return false;
	for (auto* child : children)
		child->removed (this);
	return CView::removed (parent);
}

void CViewContainer::invalidateDirtyViews ()
{
	if (!isVisible ())
		return;
	if (CView::isDirty ())
	{
		invalid ();
		return;
	}
	for (auto* child : children)
	{
		if (auto* c = child->asViewContainer ())
			c->invalidateDirtyViews ();
		else if (child->isDirty () && child->isVisible ())
			child->invalid ();
	}
}

bool CViewContainer::isDirty () const
{
	if (CView::isDirty ())
		return true;
	for (auto* child : children)
		if (child->isDirty ())
			return true;
	return false;
}

void CViewContainer::registerViewContainerListener (IViewContainerListener* listener)
{
	if (std::find (containerListeners.begin (), containerListeners.end (), listener) == containerListeners.end ())
		containerListeners.push_back (listener);
}

void CViewContainer::unregisterViewContainerListener (IViewContainerListener* listener)
{
	auto it = std::find (containerListeners.begin (), containerListeners.end (), listener);
	if (it != containerListeners.end ())
		containerListeners.erase (it);
}

} // VSTGUI
