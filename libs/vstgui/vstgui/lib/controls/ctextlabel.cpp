#include "ctextlabel.h"
#include "../coffscreencontext.h"

namespace VSTGUI {

CTextLabel::CTextLabel (const CRect& size, UTF8StringPtr txt, CBitmap* background, const int32_t style)
: CParamDisplay (size, background, style), text (txt)
{
}

void CTextLabel::setText (const UTF8String& txt)
{
	if (text == txt)
		return;
	text = txt;
	setDirty (true);
}

void CTextLabel::draw (CDrawContext* context)
{
	drawBack (context);
	drawPlatformText (context, text.data ());
	setDirty (false);
}

bool CTextLabel::sizeToFit ()
{
	if (!getFont ())
		return false;
	auto context = COffscreenContext::create (CPoint (1, 1));
	if (!context)
		return false;
	context->setFont (getFont ());
	CCoord width = context->getStringWidth (text.data ());
	if (width <= 0.)
		return false;
	width += textInset.x * 2. + 4.;
	CRect r (getViewSize ());
	// Grow around the text's anchor, as the alignment puts it.
	if (getHoriAlign () == kCenterText)
	{
		CCoord c = r.getCenter ().x;
		r.left = c - width / 2.;
		r.right = c + width / 2.;
	}
	else if (getHoriAlign () == kRightText)
		r.left = r.right - width;
	else
		r.setWidth (width);
	setViewSize (r);
	setMouseableArea (r);
	return true;
}

} // VSTGUI
