#pragma once

#include "vstguibase.h"
#include "crect.h"
#include "ccolor.h"
#include "cresourcedescription.h"
#include <string>

struct _cairo_surface;

namespace VSTGUI {

// An image in memory (cairo ARGB32, premultiplied). Loaded from a PNG file in the
// resources folder, or made empty with a size. Reference counted.
class CBitmap : public AtomicReferenceCounted
{
public:
	// Loads the PNG named by desc (relative to the resources folder, or absolute).
	// A missing or broken file gives a bitmap that isLoaded () says false about.
	explicit CBitmap (const CResourceDescription& desc);
	// A transparent bitmap of the given size.
	CBitmap (CCoord width, CCoord height);
	~CBitmap () noexcept override;
	CBitmap (const CBitmap&) = delete;
	CBitmap& operator= (const CBitmap&) = delete;

	virtual void draw (CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint (0, 0),
	                   float alpha = 1.f);

	CCoord getWidth () const;
	CCoord getHeight () const;
	CPoint getSize () const { return CPoint (getWidth (), getHeight ()); }
	bool isLoaded () const { return surface != nullptr; }
	const CResourceDescription& getResourceDescription () const { return resourceDesc; }
	// The path that was loaded (empty for a bitmap made with a size).
	const std::string& getPath () const { return path; }

	// Pixel access (unpremultiplied), false outside the bitmap.
	bool getPixel (int32_t x, int32_t y, CColor& color) const;
	bool setPixel (int32_t x, int32_t y, const CColor& color);
	bool writePNG (const std::string& filePath) const;

	_cairo_surface* getSurface () const { return surface; }

	// Takes a reference on an existing image surface.
	explicit CBitmap (_cairo_surface* surface);

private:
	_cairo_surface* surface {nullptr};
	CResourceDescription resourceDesc;
	std::string path;
};

} // VSTGUI
