#include "cbitmap.h"
#include "cdrawcontext.h"
#include "platform/resourcepath.h"
#include <cairo.h>
#include <cmath>
#include <cstdio>

namespace VSTGUI {

CBitmap::CBitmap (const CResourceDescription& desc) : resourceDesc (desc)
{
	if (desc.type == CResourceDescription::kStringType && desc.u.name && *desc.u.name)
		path = resolveResourcePath (desc.u.name);
	else if (desc.type == CResourceDescription::kIntegerType)
		path = resolveResourcePath (std::to_string (desc.u.id) + ".png");
	if (path.empty ())
		return;
	// Probe the file first: cairo reports a missing file as an error surface anyway,
	// but this keeps the failure cheap for names that are plainly absent.
	if (FILE* f = std::fopen (path.c_str (), "rb"))
		std::fclose (f);
	else
		return;
	cairo_surface_t* s = cairo_image_surface_create_from_png (path.c_str ());
	if (cairo_surface_status (s) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (s);
		return;
	}
	surface = s;
}

CBitmap::CBitmap (CCoord width, CCoord height)
{
	int w = static_cast<int> (std::ceil (std::max (0., width)));
	int h = static_cast<int> (std::ceil (std::max (0., height)));
	if (w <= 0 || h <= 0 || w > 32767 || h > 32767)
		return;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, h);
	if (cairo_surface_status (s) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (s);
		return;
	}
	surface = s;
}

CBitmap::CBitmap (_cairo_surface* s)
{
	if (s && cairo_surface_status (s) == CAIRO_STATUS_SUCCESS &&
	    cairo_surface_get_type (s) == CAIRO_SURFACE_TYPE_IMAGE)
		surface = cairo_surface_reference (s);
}

CBitmap::~CBitmap () noexcept
{
	if (surface)
		cairo_surface_destroy (surface);
}

void CBitmap::draw (CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
	if (context)
		context->drawBitmap (this, rect, offset, alpha);
}

CCoord CBitmap::getWidth () const { return surface ? cairo_image_surface_get_width (surface) : 0; }
CCoord CBitmap::getHeight () const { return surface ? cairo_image_surface_get_height (surface) : 0; }

bool CBitmap::getPixel (int32_t x, int32_t y, CColor& color) const
{
	if (!surface || x < 0 || y < 0 || x >= getWidth () || y >= getHeight ())
		return false;
	cairo_surface_flush (surface);
	const unsigned char* data = cairo_image_surface_get_data (surface);
	int stride = cairo_image_surface_get_stride (surface);
	uint32_t p = *reinterpret_cast<const uint32_t*> (data + y * stride + x * 4);
	uint32_t a = p >> 24;
	auto unpremultiply = [a] (uint32_t c) -> uint8_t {
		return a ? static_cast<uint8_t> ((c * 255 + a / 2) / a) : 0;
	};
	color = CColor (unpremultiply ((p >> 16) & 0xff), unpremultiply ((p >> 8) & 0xff),
	                unpremultiply (p & 0xff), static_cast<uint8_t> (a));
	return true;
}

bool CBitmap::setPixel (int32_t x, int32_t y, const CColor& c)
{
	if (!surface || x < 0 || y < 0 || x >= getWidth () || y >= getHeight ())
		return false;
	cairo_surface_flush (surface);
	unsigned char* data = cairo_image_surface_get_data (surface);
	int stride = cairo_image_surface_get_stride (surface);
	auto pre = [&] (uint8_t v) -> uint32_t { return (static_cast<uint32_t> (v) * c.alpha + 127) / 255; };
	*reinterpret_cast<uint32_t*> (data + y * stride + x * 4) =
	    (static_cast<uint32_t> (c.alpha) << 24) | (pre (c.red) << 16) | (pre (c.green) << 8) | pre (c.blue);
	cairo_surface_mark_dirty (surface);
	return true;
}

bool CBitmap::writePNG (const std::string& filePath) const
{
	if (!surface)
		return false;
	cairo_surface_flush (surface);
	return cairo_surface_write_to_png (surface, filePath.c_str ()) == CAIRO_STATUS_SUCCESS;
}

} // VSTGUI
