#pragma once

#include "ccontrol.h"
#include "../ccolor.h"

namespace VSTGUI {

// A button that toggles between min (off) and max (on) on each left click (or Return).
// With a background bitmap, the upper half shows off and the lower half on; without
// one it draws a filled box.
class COnOffButton : public CControl
{
public:
	enum Style
	{
		// The value is set before the listeners hear of the click.
		kPreListenerUpdate,
		// The listeners hear begin, change and end first; the redraw follows.
		kPostListenerUpdate
	};

	COnOffButton (const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
	              CBitmap* background = nullptr, int32_t style = kPreListenerUpdate);
	COnOffButton (const COnOffButton& other) = default;

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	bool sizeToFit () override;

	int32_t getStyle () const { return style; }
	void setStyle (int32_t newStyle) { style = newStyle; }
	void setOnColor (const CColor& c) { onColor = c; }
	void setOffColor (const CColor& c) { offColor = c; }

	CView* newCopy () const override { return new COnOffButton (*this); }

private:
	void toggle ();

	int32_t style;
	CColor onColor {200, 200, 200, 255};
	CColor offColor {60, 60, 60, 255};
};

} // VSTGUI
