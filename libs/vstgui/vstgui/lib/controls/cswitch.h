#pragma once

#include "ccontrol.h"

namespace VSTGUI {

// A switch with a fixed number of positions, shown by one frame of a multi-frame
// background bitmap (frames stacked vertically, heightOfOneImage each). A click or
// drag picks the position under the pointer along the switch's axis. Option-click
// resets it to the default.
class CSwitchBase : public CControl
{
public:
	// The number of frames (and positions) follows from the bitmap's height.
	CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
	             const CPoint& offset = CPoint (0, 0));
	CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
	             CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
	             const CPoint& offset = CPoint (0, 0));
	CSwitchBase (const CSwitchBase& other);

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool sizeToFit () override;
	void setBackground (CBitmap* background) override;

	void setNumSubPixmaps (int32_t n);
	int32_t getNumSubPixmaps () const { return subPixmaps; }
	void setHeightOfOneImage (const CCoord& height);
	CCoord getHeightOfOneImage () const { return heightOfOneImage; }
	void setNumPositions (int32_t n) { maxPositions = n; }
	int32_t getNumPositions () const { return maxPositions > 0 ? maxPositions : subPixmaps; }
	void setOffset (const CPoint& o) { offset = o; }
	const CPoint& getOffset () const { return offset; }

protected:
	// Normalized value (0..1, a multiple of 1 / (positions - 1)) for a point.
	virtual double calculateNormValue (const CPoint& where) const = 0;

	int32_t positionCount () const;

	CPoint offset;
	int32_t subPixmaps {0};
	CCoord heightOfOneImage {0.};
	int32_t maxPositions {0};
	float mouseStartValue {0.f};
	bool autoFrames {true};
};

class CVerticalSwitch : public CSwitchBase
{
public:
	using CSwitchBase::CSwitchBase;
	CView* newCopy () const override { return new CVerticalSwitch (*this); }

protected:
	double calculateNormValue (const CPoint& where) const override;
};

class CHorizontalSwitch : public CSwitchBase
{
public:
	using CSwitchBase::CSwitchBase;
	CView* newCopy () const override { return new CHorizontalSwitch (*this); }

protected:
	double calculateNormValue (const CPoint& where) const override;
};

} // VSTGUI
