#pragma once

#include "cdrawcontext.h"
#include "cbitmap.h"

namespace VSTGUI {

// A drawing context on an image surface of its own.
class COffscreenContext : public CDrawContext
{
public:
	static SharedPointer<COffscreenContext> create (const CPoint& size, double scaleFactor = 1.);

	CBitmap* getBitmap () const { return bitmap; }
	bool writePNG (const std::string& filePath);
	CColor getPixel (int32_t x, int32_t y);

	void flush () override;

private:
	COffscreenContext (CBitmap* bitmap, _cairo* cr, const CRect& rect, double scaleFactor);
	SharedPointer<CBitmap> bitmap;
};

} // VSTGUI
