#pragma once

#include "ccontrol.h"
#include "../ccolor.h"
#include "../cfont.h"
#include <functional>
#include <string>

namespace VSTGUI {

enum CParamDisplayStyle
{
	k3DIn = 1 << 0,
	k3DOut = 1 << 1,
	kShadowText = 1 << 2,
	kNoTextStyle = 1 << 3,
	kNoDrawStyle = 1 << 4,
	kNoFrame = 1 << 5,
	kRoundRectStyle = 1 << 6
};

// Shows the control's value as text (or the text that valueToStringFunction makes).
class CParamDisplay : public CControl
{
public:
	using ValueToStringFunction = std::function<bool (float value, std::string& result, CParamDisplay* display)>;

	CParamDisplay (const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
	CParamDisplay (const CParamDisplay& other);
	~CParamDisplay () noexcept override;

	virtual void setFont (CFontRef fontID);
	CFontRef getFont () const { return fontID; }
	virtual void setFontColor (CColor color);
	CColor getFontColor () const { return fontColor; }
	virtual void setBackColor (CColor color);
	CColor getBackColor () const { return backColor; }
	virtual void setFrameColor (CColor color);
	CColor getFrameColor () const { return frameColor; }
	virtual void setShadowColor (CColor color);
	CColor getShadowColor () const { return shadowColor; }
	virtual void setHoriAlign (CHoriTxtAlign hAlign);
	CHoriTxtAlign getHoriAlign () const { return horiTxtAlign; }
	virtual void setStyle (int32_t val);
	int32_t getStyle () const { return style; }
	virtual void setTextInset (const CPoint& p);
	const CPoint& getTextInset () const { return textInset; }
	virtual void setFrameWidth (CCoord width);
	CCoord getFrameWidth () const { return frameWidth; }
	virtual void setPrecision (uint8_t val);
	uint8_t getPrecision () const { return valuePrecision; }
	void setValueToStringFunction (const ValueToStringFunction& f) { valueToString = f; }

	void draw (CDrawContext* context) override;
	CView* newCopy () const override { return new CParamDisplay (*this); }

protected:
	virtual void drawBack (CDrawContext* context, CBitmap* newBack = nullptr);
	virtual void drawPlatformText (CDrawContext* context, UTF8StringPtr string);
	void drawStyleChanged ();

	ValueToStringFunction valueToString;
	CHoriTxtAlign horiTxtAlign {kCenterText};
	int32_t style;
	uint8_t valuePrecision {2};
	CFontRef fontID;
	CColor fontColor {kWhiteCColor};
	CColor backColor {kBlackCColor};
	CColor frameColor {kBlackCColor};
	CColor shadowColor {kRedCColor};
	CPoint textInset {0, 0};
	CCoord frameWidth {1.};
};

} // VSTGUI
