#include "x11windowimage.h"

#include <X11/Xutil.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace VSTGUI {
namespace X11 {

bool findChangedBox (const uint32_t* current, size_t currentStride, const uint32_t* shown, size_t shownStride,
                     int width, int height, PixelBox& box)
{
	if (width <= 0 || height <= 0)
		return false;
	const size_t rowBytes = static_cast<size_t> (width) * sizeof (uint32_t);
	int top = -1;
	int bottom = -1;
	for (int y = 0; y < height; ++y)
	{
		if (std::memcmp (current + y * currentStride, shown + y * shownStride, rowBytes) != 0)
		{
			if (top < 0)
				top = y;
			bottom = y;
		}
	}
	if (top < 0)
		return false;
	int left = width;
	int right = 0;
	for (int y = top; y <= bottom; ++y)
	{
		const uint32_t* a = current + y * currentStride;
		const uint32_t* b = shown + y * shownStride;
		// Each row only needs searching up to the box found so far.
		int x = 0;
		while (x < left && a[x] == b[x])
			++x;
		left = std::min (left, x);
		int x2 = width - 1;
		while (x2 >= right && a[x2] == b[x2])
			--x2;
		right = std::max (right, x2 + 1);
	}
	box = {left, top, right, bottom + 1};
	return true;
}

namespace {

bool hostIsLittleEndian ()
{
	const uint32_t probe = 1;
	unsigned char first;
	std::memcpy (&first, &probe, 1);
	return first == 1;
}

int bitsPerPixelForDepth (Display* display, int depth)
{
	int count = 0;
	int result = 0;
	if (XPixmapFormatValues* formats = XListPixmapFormats (display, &count))
	{
		for (int i = 0; i < count; ++i)
			if (formats[i].depth == depth)
				result = formats[i].bits_per_pixel;
		XFree (formats);
	}
	return result;
}

} // namespace

std::unique_ptr<WindowImage> WindowImage::create (Display* display, Window window, Visual* visual, int depth,
                                                  int width, int height)
{
	std::unique_ptr<WindowImage> image (new WindowImage ());
	image->display = display;
	image->window = window;
	image->visual = visual;
	image->depth = depth;
	image->width = width;
	image->height = height;
	image->surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, height);
	if (cairo_surface_status (image->surface) != CAIRO_STATUS_SUCCESS)
		return nullptr;
	const int stride = cairo_image_surface_get_stride (image->surface);
	// Nothing is known to be on screen yet; Expose events send what the window shows first.
	image->shown.assign (static_cast<size_t> (width) * static_cast<size_t> (height), 0u);

	XGCValues values {};
	values.graphics_exposures = False;
	image->gc = XCreateGC (display, window, GCGraphicsExposures, &values);

	if (visual->c_class == TrueColor && (depth == 24 || depth == 32) && visual->red_mask == 0xff0000 &&
	    visual->green_mask == 0xff00 && visual->blue_mask == 0xff && bitsPerPixelForDepth (display, depth) == 32)
	{
		auto* data = reinterpret_cast<char*> (cairo_image_surface_get_data (image->surface));
		image->direct = XCreateImage (display, visual, static_cast<unsigned> (depth), ZPixmap, 0, data,
		                              static_cast<unsigned> (width), static_cast<unsigned> (height), 32, stride);
		if (image->direct)
		{
			// The memory holds native 32-bit words; Xlib swaps for a server of the other order.
			image->direct->byte_order = hostIsLittleEndian () ? LSBFirst : MSBFirst;
			XInitImage (image->direct);
		}
	}
	if (!image->direct)
	{
		auto channelOf = [] (unsigned long mask) {
			Channel c;
			if (mask)
			{
				while (!((mask >> c.shift) & 1ul))
					++c.shift;
				c.max = mask >> c.shift;
			}
			return c;
		};
		image->red = channelOf (visual->red_mask);
		image->green = channelOf (visual->green_mask);
		image->blue = channelOf (visual->blue_mask);
	}
	return image;
}

WindowImage::~WindowImage () noexcept
{
	if (direct)
	{
		direct->data = nullptr; // cairo's memory
		XDestroyImage (direct);
	}
	if (gc)
		XFreeGC (display, gc);
	if (surface)
		cairo_surface_destroy (surface);
}

void WindowImage::presentChanges ()
{
	cairo_surface_flush (surface);
	const auto* data = reinterpret_cast<const uint32_t*> (cairo_image_surface_get_data (surface));
	const size_t stride = static_cast<size_t> (cairo_image_surface_get_stride (surface)) / sizeof (uint32_t);
	PixelBox box;
	if (findChangedBox (data, stride, shown.data (), static_cast<size_t> (width), width, height, box))
		send (box);
}

void WindowImage::present (const PixelBox& requested)
{
	cairo_surface_flush (surface);
	PixelBox box {std::max (0, requested.left), std::max (0, requested.top), std::min (width, requested.right),
	              std::min (height, requested.bottom)};
	if (!box.empty ())
		send (box);
}

unsigned long WindowImage::convert (uint32_t argb) const
{
	// Premultiplied colour: on a visual without alpha that is the pixel over black.
	auto scale = [] (uint32_t c8, const Channel& ch) {
		return ((static_cast<unsigned long> (c8) * ch.max + 127u) / 255u) << ch.shift;
	};
	return scale ((argb >> 16) & 0xff, red) | scale ((argb >> 8) & 0xff, green) | scale (argb & 0xff, blue);
}

void WindowImage::send (const PixelBox& box)
{
	const auto* data = reinterpret_cast<const uint32_t*> (cairo_image_surface_get_data (surface));
	const size_t stride = static_cast<size_t> (cairo_image_surface_get_stride (surface)) / sizeof (uint32_t);
	const unsigned w = static_cast<unsigned> (box.right - box.left);
	const unsigned h = static_cast<unsigned> (box.bottom - box.top);
	if (direct)
		XPutImage (display, window, gc, direct, box.left, box.top, box.left, box.top, w, h);
	else if (XImage* converted = XCreateImage (display, visual, static_cast<unsigned> (depth), ZPixmap, 0, nullptr,
	                                           w, h, 32, 0))
	{
		converted->data = static_cast<char*> (std::malloc (static_cast<size_t> (converted->bytes_per_line) * h));
		if (converted->data)
		{
			for (unsigned y = 0; y < h; ++y)
				for (unsigned x = 0; x < w; ++x)
					XPutPixel (converted, static_cast<int> (x), static_cast<int> (y),
					           convert (data[(box.top + y) * stride + box.left + x]));
			XPutImage (display, window, gc, converted, 0, 0, box.left, box.top, w, h);
		}
		XDestroyImage (converted); // frees data with free ()
	}
	XFlush (display);
	for (int y = box.top; y < box.bottom; ++y)
		std::memcpy (&shown[static_cast<size_t> (y) * static_cast<size_t> (width) + static_cast<size_t> (box.left)],
		             data + static_cast<size_t> (y) * stride + static_cast<size_t> (box.left), w * sizeof (uint32_t));
}

} // X11
} // VSTGUI
