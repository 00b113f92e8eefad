#pragma once

#include "cviewcontainer.h"

namespace VSTGUI {

enum class PlatformType : int32_t
{
	kHWND,
	kWindowRef,
	kNSView,
	kUIView,
	kHWNDTopLevel,
	kX11EmbedWindowID,

	kDefaultNative = -1
};

// What a frame asks of the editor that owns it.
class VSTGUIEditorInterface
{
public:
	virtual ~VSTGUIEditorInterface () noexcept = default;

	virtual void doIdleStuff () {}
	// One of CKnobMode; -1 when the editor has no preference.
	virtual int32_t getKnobMode () const { return -1; }
	virtual void beginEdit (int32_t /*index*/) {}
	virtual void endEdit (int32_t /*index*/) {}
	virtual CFrame* getFrame () const { return frame; }

protected:
	VSTGUIEditorInterface () = default;
	CFrame* frame {nullptr};
};

// The root of a view tree. It receives the window's (or a test's) events in frame
// coordinates: mouse and wheel events go to the view under the pointer, moves and the
// up to the view that took the down, keys to the focus view and then up its parents.
// Redrawing: views invalidate rectangles, which the frame collects; idle () turns dirty
// views into invalid rectangles and draws the collected region into the draw context
// set with setDrawContext (an offscreen surface now, a window surface later).
// All calls come on the UI thread.
class CFrame : public CViewContainer
{
public:
	CFrame (const CRect& size, VSTGUIEditorInterface* editor);

	// Removes every view and gives up the creator's reference.
	void close ();

	VSTGUIEditorInterface* getEditor () const { return editor; }
	int32_t getKnobMode () const;
	void beginEdit (int32_t index);
	void endEdit (int32_t index);

	// Focus
	bool setFocusView (CView* view);
	CView* getFocusView () const { return focusView; }

	// Events, positions in frame coordinates.
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	int32_t onKeyUp (VstKeyCode& keyCode) override;

	// Redrawing
	void invalidRect (const CRect& rect) override;
	void invalid () override { invalidRect (getViewSize ()); }
	bool hasInvalidRegion () const { return !invalidRegion.isEmpty (); }
	const CRect& getInvalidRegion () const { return invalidRegion; }
	void setDrawContext (CDrawContext* context);
	CDrawContext* getDrawContext () const { return drawContext; }
	// Dirty views become invalid, then the invalid region is drawn into the draw
	// context (when there is one) and cleared. Returns the rectangle drawn.
	CRect idle ();
	// Draws the whole frame into context (which must cover the frame's size).
	void drawAll (CDrawContext* context);
	uint64_t getRedrawCount () const { return redrawCount; }

	void setViewSize (const CRect& rect, bool invalid = true) override;
	bool attached (CView* parent) override;

	// Called by containers when a view leaves the tree.
	void onViewRemoved (CView* view);

protected:
	~CFrame () noexcept override;
	void beforeDelete () override;

private:
	VSTGUIEditorInterface* editor;
	CView* focusView {nullptr};
	CRect invalidRegion;
	SharedPointer<CDrawContext> drawContext;
	uint64_t redrawCount {0};
};

} // VSTGUI
