#pragma once

#include "ccontrol.h"
#include "../ccolor.h"

namespace VSTGUI {

// A rotary control. The mouse drags it either linearly (up or right raises, 200 px
// for the whole range, times the zoom factor with kZoomModifier) when the frame's knob
// mode is kLinearMode, or circularly (the value follows the pointer's angle around the
// centre; crossing the gap between the ends does not jump) otherwise. Option-click
// resets it to the default (CControl::checkDefaultValue).
class CKnobBase : public CControl, protected CMouseWheelEditingSupport
{
public:
	CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);
	CKnobBase (const CKnobBase& knob);

	// Angles in radians; 0 points right, angles grow counter-clockwise.
	virtual void setStartAngle (float val);
	virtual float getStartAngle () const { return startAngle; }
	virtual void setRangeAngle (float val);
	virtual float getRangeAngle () const { return rangeAngle; }
	virtual void valueToPoint (CPoint& point) const;
	virtual float valueFromPoint (CPoint& point) const;
	virtual CCoord getInsetValue () const { return inset; }
	virtual void setInsetValue (CCoord val) { inset = val; }
	virtual void setZoomFactor (float val) { zoomFactor = val; }
	virtual float getZoomFactor () const { return zoomFactor; }

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	void setViewSize (const CRect& rect, bool invalid = true) override;
	bool sizeToFit () override;

	// Pixels of linear drag for the whole value range.
	static constexpr float kCKnobRange = 200.f;

protected:
	void compute ();

	float startAngle;
	float rangeAngle;
	float zoomFactor {1.5f};
	CCoord inset {3.};
	float halfAngle {0.f};
	float aCoef {0.f};
	float bCoef {0.f};

	struct MouseState
	{
		CPoint firstPoint;
		CPoint lastPoint;
		float startValue {0.f};
		float entryValue {0.f};
		float downValue {0.f};
		float range {kCKnobRange};
		float coef {0.f};
		CButtonState oldButton;
		bool modeLinear {false};
		bool active {false};
	} mouseState;
};

enum CKnobDrawStyle
{
	kLegacyHandleLineDrawing = 0,
	kHandleCircleDrawing = 1 << 0,
	kCoronaDrawing = 1 << 1,
	kCoronaFromCenter = 1 << 2,
	kCoronaInverted = 1 << 3,
	kCoronaLineDashDot = 1 << 4,
	kCoronaOutline = 1 << 5,
	kCoronaLineCapButt = 1 << 6,
	kSkipHandleDrawing = 1 << 7
};

// A knob drawn with a handle line (or circle, or bitmap) over its background, with an
// optional corona arc.
class CKnob : public CKnobBase
{
public:
	CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
	       CBitmap* handle, const CPoint& offset = CPoint (0, 0),
	       int32_t drawStyle = kLegacyHandleLineDrawing);
	CKnob (const CKnob& knob);
	~CKnob () noexcept override;

	void draw (CDrawContext* context) override;

	virtual void setHandleBitmap (CBitmap* bitmap);
	virtual CBitmap* getHandleBitmap () const { return pHandle; }
	virtual void setDrawStyle (int32_t style);
	int32_t getDrawStyle () const { return drawStyle; }
	virtual void setCoronaColor (CColor color);
	CColor getCoronaColor () const { return coronaColor; }
	virtual void setColorShadowHandle (CColor color);
	CColor getColorShadowHandle () const { return colorShadowHandle; }
	virtual void setColorHandle (CColor color);
	CColor getColorHandle () const { return colorHandle; }
	virtual void setHandleLineWidth (CCoord width);
	CCoord getHandleLineWidth () const { return handleLineWidth; }
	virtual void setCoronaInset (CCoord inset);
	CCoord getCoronaInset () const { return coronaInset; }
	void setOffset (const CPoint& o) { offset = o; }
	const CPoint& getOffset () const { return offset; }

	CView* newCopy () const override { return new CKnob (*this); }

protected:
	void drawHandle (CDrawContext* context);
	void drawCorona (CDrawContext* context);

	CPoint offset;
	int32_t drawStyle;
	CColor colorHandle {kWhiteCColor};
	CColor colorShadowHandle {kGreyCColor};
	CColor coronaColor {kWhiteCColor};
	CCoord handleLineWidth {1.};
	CCoord coronaInset {0.};
	CBitmap* pHandle {nullptr};
};

} // VSTGUI
