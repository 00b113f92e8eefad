#pragma once

#include "vstguibase.h"
#include "crect.h"
#include "cbuttonstate.h"
#include "vstkeycode.h"
#include "iviewlistener.h"
#include <map>
#include <vector>

namespace VSTGUI {

// A view's attribute that holds an IController* which the view owns; the view deletes
// the controller when it is destroyed, before any of its children go.
constexpr CViewAttributeID kCViewControllerAttribute = 0x69637472; // 'ictr'

// The base of everything on screen. The view's size is a rectangle in the coordinates
// of its parent container (the container's top-left corner is 0, 0); mouse positions
// passed to the event handlers are in the same coordinates.
class CView : public CBaseObject
{
public:
	explicit CView (const CRect& size);
	CView (const CView& view);
	~CView () noexcept override;

	// Drawing
	virtual void draw (CDrawContext* context);
	virtual void drawRect (CDrawContext* context, const CRect& updateRect);
	virtual bool checkUpdate (const CRect& updateRect) const { return updateRect.rectOverlap (size); }

	// Mouse, in the parent's coordinates.
	virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseCancel ();
	virtual CMouseEventResult onMouseEntered (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons);
	// Distance in wheel steps; positive away from the user (up) or to the right.
	virtual bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                      const CButtonState& buttons);

	// Keys: return 1 when the key was used, -1 otherwise.
	virtual int32_t onKeyDown (VstKeyCode& keyCode);
	virtual int32_t onKeyUp (VstKeyCode& keyCode);

	// Hit test in the parent's coordinates; uses the mouseable area.
	virtual bool hitTest (const CPoint& where, const CButtonState& buttons = -1);

	// Invalidation and the dirty flag. A dirty view is redrawn at the frame's next idle;
	// invalid () clears the flag and asks for a redraw of the view's rectangle at once.
	virtual void setDirty (bool val = true);
	virtual bool isDirty () const;
	virtual void invalid ();
	virtual void invalidRect (const CRect& rect);

	// Flags
	virtual void setMouseEnabled (bool bEnable = true);
	bool getMouseEnabled () const { return mouseEnabled; }
	virtual void setVisible (bool state);
	bool isVisible () const { return visible; }
	virtual void setTransparency (bool val) { transparent = val; }
	bool getTransparency () const { return transparent; }
	void setWantsFocus (bool state) { focusWanted = state; }
	bool wantsFocus () const { return focusWanted; }
	virtual void takeFocus ();
	virtual void looseFocus ();
	virtual void setAlphaValue (float alpha);
	float getAlphaValue () const { return alphaValue; }

	// Size
	virtual void setViewSize (const CRect& rect, bool invalid = true);
	const CRect& getViewSize () const { return size; }
	virtual void setMouseableArea (const CRect& rect) { mouseableArea = rect; }
	const CRect& getMouseableArea () const { return mouseableArea; }
	CCoord getWidth () const { return size.getWidth (); }
	CCoord getHeight () const { return size.getHeight (); }
	virtual bool sizeToFit () { return false; }
	// Visible rectangle in frame coordinates.
	CRect getVisibleViewSize () const;

	// Backgrounds; the view holds one reference on each bitmap it keeps.
	virtual void setBackground (CBitmap* background);
	CBitmap* getBackground () const { return background; }
	virtual void setDisabledBackground (CBitmap* background);
	CBitmap* getDisabledBackground () const { return disabledBackground; }
	// The disabled-state bitmap when the view is not mouse-enabled and has one, else the
	// background (may be null).
	CBitmap* getDrawBackground () const;

	// Hierarchy
	virtual bool attached (CView* parent);
	virtual bool removed (CView* parent);
	// In a frame's view tree.
	bool isAttached () const { return parentFrame != nullptr; }
	CView* getParentView () const { return parentView; }
	CViewContainer* getParentViewContainer () const;
	CFrame* getFrame () const { return parentFrame; }
	virtual CViewContainer* asViewContainer () { return nullptr; }

	// Coordinates: local (this view's parent) <-> frame.
	CPoint& localToFrame (CPoint& point) const;
	CPoint& frameToLocal (CPoint& point) const;

	// Listeners (not owned)
	void registerViewListener (IViewListener* listener);
	void unregisterViewListener (IViewListener* listener);

	// Attributes: small blobs keyed by id. A kCViewControllerAttribute entry holds an
	// IController* that the view deletes with itself.
	bool setAttribute (CViewAttributeID id, uint32_t inSize, const void* inData);
	bool getAttributeSize (CViewAttributeID id, uint32_t& outSize) const;
	bool getAttribute (CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const;
	bool removeAttribute (CViewAttributeID id);

	virtual CView* newCopy () const { return new CView (*this); }

	void beforeDelete () override;

protected:
	// The frame calls these to set the view's frame (while attached).
	friend class CViewContainer;
	friend class CFrame;
	void setParentView (CView* parent) { parentView = parent; }
	void setParentFrame (CFrame* frame) { parentFrame = frame; }

	void notifyViewSizeChanged (const CRect& oldSize);
	void deleteViewController ();

	CRect size;
	CRect mouseableArea;

private:
	template <typename F>
	void forEachListener (F f);

	CView* parentView {nullptr};
	CFrame* parentFrame {nullptr};
	CBitmap* background {nullptr};
	CBitmap* disabledBackground {nullptr};
	std::vector<IViewListener*> viewListeners;
	std::map<CViewAttributeID, std::vector<uint8_t>> attributes;
	float alphaValue {1.f};
	bool dirty {false};
	bool mouseEnabled {true};
	bool visible {true};
	bool transparent {false};
	bool focusWanted {false};
	bool willDeleteSent {false};
};

} // VSTGUI
