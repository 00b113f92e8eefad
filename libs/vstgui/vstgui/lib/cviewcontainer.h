#pragma once

#include "cview.h"
#include "ccolor.h"
#include <vector>

namespace VSTGUI {

enum class CViewContainerDrawStyle : int32_t
{
	kFilledAndStroked = 0,
	kStroked,
	kFilled
};

// A view that holds child views. It owns one reference on each child; the children's
// sizes are relative to the container's top-left corner. Mouse and wheel events go to
// the topmost visible, mouse-enabled child under the pointer; moves and the up go to
// the child that took the down.
class CViewContainer : public CView
{
public:
	explicit CViewContainer (const CRect& size);
	CViewContainer (const CViewContainer& other);
	~CViewContainer () noexcept override;

	// Takes over the caller's reference on view. Returns false (and forgets view) when
	// view is null or already has a parent.
	virtual bool addView (CView* view, CView* before = nullptr);
	virtual bool removeView (CView* view, bool withForget = true);
	virtual bool removeAll (bool withForget = true);
	virtual bool isChild (CView* view, bool deep = false) const;
	uint32_t getNbViews () const { return static_cast<uint32_t> (children.size ()); }
	CView* getView (uint32_t index) const;
	const std::vector<CView*>& getChildren () const { return children; }
	// The deepest view under where (in this container's parent coordinates), or null.
	CView* getViewAt (const CPoint& where, bool deep = true, bool mouseEnabledOnly = false) const;

	template <class T>
	uint32_t getChildViewsOfType (std::vector<T*>& result, bool deep = false) const
	{
		uint32_t n = 0;
		for (auto* child : children)
		{
			if (auto* t = dynamic_cast<T*> (child))
			{
				result.push_back (t);
				++n;
			}
			if (deep)
				if (auto* c = child->asViewContainer ())
					n += c->getChildViewsOfType<T> (result, true);
		}
		return n;
	}

	virtual void setBackgroundColor (const CColor& color);
	const CColor& getBackgroundColor () const { return backgroundColor; }
	void setBackgroundColorDrawStyle (CViewContainerDrawStyle style);
	CViewContainerDrawStyle getBackgroundColorDrawStyle () const { return backgroundColorDrawStyle; }
	void setBackgroundOffset (const CPoint& p) { backgroundOffset = p; }
	const CPoint& getBackgroundOffset () const { return backgroundOffset; }

	void draw (CDrawContext* context) override;
	void drawRect (CDrawContext* context, const CRect& updateRect) override;
	virtual void drawBackgroundRect (CDrawContext* context, const CRect& rect);

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

	void setViewSize (const CRect& rect, bool invalid = true) override;
	void invalidRect (const CRect& rect) override;
	bool attached (CView* parent) override;
	bool removed (CView* parent) override;
	CViewContainer* asViewContainer () override { return this; }
	// Turns every dirty descendant into an invalid rectangle (the frame's idle calls it).
	virtual void invalidateDirtyViews ();
	bool isDirty () const override;

	void registerViewContainerListener (IViewContainerListener* listener);
	void unregisterViewContainerListener (IViewContainerListener* listener);

	CView* newCopy () const override { return new CViewContainer (*this); }
	void beforeDelete () override;

	// The view that took the last mouse-down and still receives moves and the up.
	CView* getMouseDownView () const { return mouseDownView; }
	// True when a view holds the mouse and buttons keeps every button of its gesture held
	// and adds another: a further button pressed during a drag, not a new gesture.
	bool isFurtherButtonOfMouseDown (const CButtonState& buttons) const;

protected:
	void clearMouseDownView (CView* view);

	std::vector<CView*> children;
	std::vector<IViewContainerListener*> containerListeners;
	CView* mouseDownView {nullptr};
	CButtonState mouseDownButtons; // buttons of the down that mouseDownView took
	CColor backgroundColor {kBlackCColor};
	CPoint backgroundOffset;
	CViewContainerDrawStyle backgroundColorDrawStyle {CViewContainerDrawStyle::kFilledAndStroked};
};

} // VSTGUI
