// The slider family of the editor: CSliderBase (state, handle geometry, pointer, wheel and
// key handling), CSlider (appearance and drawing) and its two orientation shorthands.
// Everything here runs on the UI (main) thread.
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/controls/ccontrol.h"
#include <memory>

namespace VSTGUI {

// How a click moves the handle. The numbers index the UI description's mode names, so
// they are fixed: TSFreeClick sits between FreeClick and Ramp.
enum class CSliderMode : int32_t
{
	Touch = 0, // only a click on the handle starts a drag
	RelativeTouch, // a drag from anywhere moves the value relative to its start
	FreeClick, // the handle's centre jumps under the pointer
	TSFreeClick, // on the handle: grab it where hit; elsewhere: centre it under the pointer
	Ramp, // beside the handle: step toward the pointer every 16 ms
	UseGlobal // follow CSliderBase::getGlobalMode ()
};

class CSliderBase : public CControl, protected CMouseWheelEditingSupport
{
public:
	CSliderBase (const CRect& size, IControlListener* listener, int32_t tag);
	CSliderBase (const CSliderBase& other);
	~CSliderBase () noexcept override;
	CSliderBase& operator= (const CSliderBase&) = delete;

	CView* newCopy () const override = 0;
	void draw (CDrawContext* context) override = 0;

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;

	// Recomputes the handle's travel from the new size along the slider axis.
	void setViewSize (const CRect& rect, bool invalid = true) override;

	// Style bits of CViewStyle; exactly one of kHorizontal and kVertical is expected.
	void setStyle (int32_t style);
	int32_t getStyle () const;
	bool isStyleHorizontal () const;
	bool isStyleRight () const;
	bool isStyleBottom () const;
	// The minimum lies at the unusual end (right, or top).
	bool isInverseStyle () const;

	// Divisor of the pointer movement in a fine (zoom-modifier) drag.
	void setZoomFactor (float val);
	float getZoomFactor () const;

	void setSliderMode (CSliderMode mode);
	// The stored mode, UseGlobal included.
	CSliderMode getSliderMode () const;
	// The stored mode, or the global mode for UseGlobal.
	CSliderMode getEffectiveSliderMode () const;

	// Process-wide; TSFreeClick unless someone sets it.
	static void setGlobalMode (CSliderMode mode);
	static CSliderMode getGlobalMode ();

	// Offset of the handle's travel from the view's top-left corner (pixels, both axes).
	// Does not recompute the travel length; the next setViewSize does.
	void setOffsetHandle (const CPoint& val);
	CPoint getOffsetHandle () const;

	// Read-only view of the handle geometry, in pixels relative to the view's origin.
	CPoint getHandleSizePrivate () const;
	CCoord getHandleRangePrivate () const;
	CCoord getHandleMinPosPrivate () const;
	CCoord getMinPosPrivate () const;
	CCoord getMaxPosPrivate () const;
	// The view size's width and height.
	CPoint getControlSizePrivate () const;

	// The handle's rectangle for a normalized value, in the coordinates of getViewSize ().
	CRect calculateHandleRect (float normValue) const;

protected:
	// Each of these restores minPos and maxPos from the other geometry fields.
	void setHandleSizePrivate (CCoord width, CCoord height);
	void setHandleRangePrivate (CCoord range);
	void setHandleMinPosPrivate (CCoord pos);
	void updateInternalHandleValues ();

	// Pointer coordinate minus the result is the handle's leading edge relative to the
	// axis origin. Writes the handle's current rectangle when handleRect is given.
	float calculateDelta (const CPoint& where, CRect* handleRect = nullptr) const;
	// One step of the Ramp mode (the ramp timer's callback).
	void doRamping ();

private:
	// The whole pixel of the handle's leading edge along its travel for a normalized value,
	// where calculateHandleRect draws it (and calculateDelta finds it).
	double handlePixel (float normValue) const;
	// Moves a value that a drag derived for `pixel` of the travel, but that would be drawn
	// short of it, to the nearest float drawn on it.
	void settleOnPixel (double pixel);

	struct Impl;
	std::unique_ptr<Impl> impl;

	static CSliderMode globalMode;
};

class CSlider : public CSliderBase
{
public:
	// Draw-style bits.
	enum
	{
		kDrawFrame = 1 << 0,
		kDrawBack = 1 << 1,
		kDrawValue = 1 << 2,
		kDrawValueFromCenter = 1 << 3,
		kDrawInverted = 1 << 4
	};

	// The handle's leading edge travels from iMinPos to iMaxPos, both in the coordinates of
	// size.
	CSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
	         int32_t iMaxPos, CBitmap* handle, CBitmap* background,
	         const CPoint& offset = CPoint (0, 0), const int32_t style = kLeft | kHorizontal);
	// The handle's travel, the handle included, spans rangeHandle pixels from offsetHandle.
	CSlider (const CRect& rect, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	         int32_t rangeHandle, CBitmap* handle, CBitmap* background,
	         const CPoint& offset = CPoint (0, 0), const int32_t style = kLeft | kHorizontal);
	CSlider (const CSlider& slider);
	~CSlider () noexcept override;
	CSlider& operator= (const CSlider&) = delete;

	CView* newCopy () const override;
	void draw (CDrawContext* context) override;
	bool sizeToFit () override;

	virtual void setHandle (CBitmap* handle);
	virtual CBitmap* getHandle () const;
	virtual void setDrawStyle (int32_t style);
	virtual void setFrameWidth (CCoord width);
	virtual void setFrameColor (CColor color);
	virtual void setBackColor (CColor color);
	virtual void setValueColor (CColor color);

	// Source offset into the background bitmap; shows at the next redraw.
	void setOffset (const CPoint& val);
	CPoint getOffset () const;
	int32_t getDrawStyle () const;
	// Negative: one device pixel.
	CCoord getFrameWidth () const;
	CColor getFrameColor () const;
	CColor getBackColor () const;
	CColor getValueColor () const;

private:
	struct Impl;
	std::unique_ptr<Impl> impl;
};

class CVerticalSlider : public CSlider
{
public:
	CVerticalSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
	                 int32_t iMaxPos, CBitmap* handle, CBitmap* background,
	                 const CPoint& offset = CPoint (0, 0), const int32_t style = kBottom);
	CVerticalSlider (const CRect& rect, IControlListener* listener, int32_t tag,
	                 const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
	                 CBitmap* background, const CPoint& offset = CPoint (0, 0),
	                 const int32_t style = kBottom);
	~CVerticalSlider () noexcept override;
};

class CHorizontalSlider : public CSlider
{
public:
	CHorizontalSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
	                   int32_t iMaxPos, CBitmap* handle, CBitmap* background,
	                   const CPoint& offset = CPoint (0, 0), const int32_t style = kLeft);
	CHorizontalSlider (const CRect& rect, IControlListener* listener, int32_t tag,
	                   const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
	                   CBitmap* background, const CPoint& offset = CPoint (0, 0),
	                   const int32_t style = kLeft);
	~CHorizontalSlider () noexcept override;
};

} // VSTGUI
