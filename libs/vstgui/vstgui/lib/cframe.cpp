#include "cframe.h"
#include "cdrawcontext.h"

namespace VSTGUI {

CFrame::CFrame (const CRect& size, VSTGUIEditorInterface* editor) : CViewContainer (size), editor (editor)
{
	setParentFrame (this);
}

CFrame::~CFrame () noexcept = default;

void CFrame::beforeDelete ()
{
	focusView = nullptr;
	CViewContainer::beforeDelete ();
	drawContext = nullptr;
}

void CFrame::close ()
{
	focusView = nullptr;
	removeAll (true);
	forget ();
}

bool CFrame::attached (CView* /*parent*/) { return false; }

int32_t CFrame::getKnobMode () const
{
	int32_t mode = editor ? editor->getKnobMode () : -1;
	return mode < 0 ? kCircularMode : mode;
}

void CFrame::beginEdit (int32_t index)
{
	if (editor)
		editor->beginEdit (index);
}

void CFrame::endEdit (int32_t index)
{
	if (editor)
		editor->endEdit (index);
}

bool CFrame::setFocusView (CView* view)
{
	if (view == focusView)
		return false;
	if (view && view != this && !isChild (view, true))
		return false;
	CView* old = focusView;
	focusView = view;
	if (old)
		old->looseFocus ();
	if (focusView)
		focusView->takeFocus ();
	return true;
}

void CFrame::onViewRemoved (CView* view)
{
	if (!focusView)
		return;
	bool inside = focusView == view;
	if (!inside)
		if (auto* c = view->asViewContainer ())
			inside = c->isChild (focusView, true);
	if (inside)
	{
		CView* old = focusView;
		focusView = nullptr;
		old->looseFocus ();
	}
}

CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	// A new down while a view still holds the mouse without a further button pressed:
	// the release of that gesture was lost, so the gesture is cancelled.
	if (getMouseDownView () && !isFurtherButtonOfMouseDown (buttons))
		CViewContainer::onMouseCancel ();
	return CViewContainer::onMouseDown (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseUp (where, buttons);
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseMoved (where, buttons);
}

CMouseEventResult CFrame::onMouseCancel ()
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseCancel ();
}

bool CFrame::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                      const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onWheel (where, axis, distance, buttons);
}

int32_t CFrame::onKeyDown (VstKeyCode& keyCode)
{
	SharedPointer<CFrame> guard (this);
	for (CView* v = focusView; v && v != this; v = v->getParentView ())
	{
		SharedPointer<CView> viewGuard (v);
		int32_t result = v->onKeyDown (keyCode);
		if (result != -1)
			return result;
		if (!isChild (v, true))
			break;
	}
	return -1;
}

int32_t CFrame::onKeyUp (VstKeyCode& keyCode)
{
	SharedPointer<CFrame> guard (this);
	for (CView* v = focusView; v && v != this; v = v->getParentView ())
	{
		SharedPointer<CView> viewGuard (v);
		int32_t result = v->onKeyUp (keyCode);
		if (result != -1)
			return result;
		if (!isChild (v, true))
			break;
	}
	return -1;
}

void CFrame::invalidRect (const CRect& rect)
{
	CRect r (rect);
	r.bound (CRect (0, 0, getWidth (), getHeight ()));
	if (!r.isEmpty ())
		invalidRegion.unite (r);
}

void CFrame::setDrawContext (CDrawContext* context) { drawContext = context; }

CRect CFrame::idle ()
{
	SharedPointer<CFrame> guard (this);
	if (editor)
		editor->doIdleStuff ();
	invalidateDirtyViews ();
	CRect region = invalidRegion;
	invalidRegion = CRect ();
	if (region.isEmpty ())
		return region;
	if (drawContext)
	{
		drawContext->saveGlobalState ();
		drawContext->setClipRect (region);
		drawRect (drawContext, region);
		drawContext->restoreGlobalState ();
		drawContext->flush ();
		++redrawCount;
	}
	return region;
}

void CFrame::drawAll (CDrawContext* context)
{
	if (!context)
		return;
	invalidateDirtyViews ();
	CRect all (0, 0, getWidth (), getHeight ());
	context->saveGlobalState ();
	context->setClipRect (all);
	drawRect (context, all);
	context->restoreGlobalState ();
	context->flush ();
	++redrawCount;
}

void CFrame::setViewSize (const CRect& rect, bool doInvalid)
{
	CViewContainer::setViewSize (rect, false);
	if (doInvalid)
		invalid ();
}

} // VSTGUI
