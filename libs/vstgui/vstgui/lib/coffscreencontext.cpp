#include "coffscreencontext.h"
#include <cairo.h>

namespace VSTGUI {

SharedPointer<COffscreenContext> COffscreenContext::create (const CPoint& size, double scaleFactor)
{
	if (!(scaleFactor > 0.))
		scaleFactor = 1.;
	auto bitmap = makeOwned<CBitmap> (size.x * scaleFactor, size.y * scaleFactor);
	if (!bitmap->isLoaded ())
		return nullptr;
	cairo_t* cr = cairo_create (bitmap->getSurface ());
	if (cairo_status (cr) != CAIRO_STATUS_SUCCESS)
	{
		cairo_destroy (cr);
		return nullptr;
	}
	auto context = owned (new COffscreenContext (bitmap, cr, CRect (0, 0, size.x, size.y), scaleFactor));
	cairo_destroy (cr); // the context holds its own reference
	return context;
}

COffscreenContext::COffscreenContext (CBitmap* bitmap, _cairo* cr, const CRect& rect, double scaleFactor)
: CDrawContext (cr, rect, scaleFactor), bitmap (bitmap)
{
}

void COffscreenContext::flush () { CDrawContext::flush (); }

bool COffscreenContext::writePNG (const std::string& filePath)
{
	flush ();
	return bitmap->writePNG (filePath);
}

CColor COffscreenContext::getPixel (int32_t x, int32_t y)
{
	flush ();
	CColor c (0, 0, 0, 0);
	bitmap->getPixel (x, y, c);
	return c;
}

} // VSTGUI
