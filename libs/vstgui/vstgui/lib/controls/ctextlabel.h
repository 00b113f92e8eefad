#pragma once

#include "cparamdisplay.h"
#include "../cstring.h"

namespace VSTGUI {

// Shows a fixed text.
class CTextLabel : public CParamDisplay
{
public:
	CTextLabel (const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr,
	            const int32_t style = 0);
	CTextLabel (const CTextLabel& other) = default;

	// Redraws only when the text changes.
	virtual void setText (const UTF8String& txt);
	virtual const UTF8String& getText () const { return text; }

	void draw (CDrawContext* context) override;
	bool sizeToFit () override;
	CView* newCopy () const override { return new CTextLabel (*this); }

protected:
	UTF8String text;
};

} // VSTGUI
