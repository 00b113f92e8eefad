// Internal to the X11 layer (it includes Xlib and its macros).
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct _cairo_surface;

namespace VSTGUI {
namespace X11 {

// Pixel rectangle, right and bottom exclusive.
struct PixelBox
{
	int left {0};
	int top {0};
	int right {0};
	int bottom {0};

	bool empty () const { return right <= left || bottom <= top; }
	bool operator== (const PixelBox& o) const
	{
		return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
	}
};

// The bounding box of the pixels that differ between two images of width x height
// (strides in pixels); false when they are equal.
bool findChangedBox (const uint32_t* current, size_t currentStride, const uint32_t* shown, size_t shownStride,
                     int width, int height, PixelBox& box);

// The frame's pixels on the client side: a cairo image surface (premultiplied ARGB32,
// drawn exactly as an offscreen context draws) and a copy of what the window shows.
// presentChanges sends only the box of pixels that changed since the last send, so it
// does not matter who drew or how much was invalid. Pixels travel with XPutImage: as
// they are when the window's visual is 24/32-bit TrueColor with 8-bit channels in
// 0x00RRGGBB order at 32 bits per pixel (what X servers use today), converted to the
// visual's channel masks otherwise.
class WindowImage
{
public:
	// Null when the surface cannot be made.
	static std::unique_ptr<WindowImage> create (Display* display, Window window, Visual* visual, int depth,
	                                            int width, int height);
	~WindowImage () noexcept;
	WindowImage (const WindowImage&) = delete;
	WindowImage& operator= (const WindowImage&) = delete;

	_cairo_surface* getSurface () const { return surface; }
	int getWidth () const { return width; }
	int getHeight () const { return height; }
	bool isDirectFormat () const { return direct != nullptr; }

	// Sends what changed since the last send.
	void presentChanges ();
	// Sends box (clipped to the image) whatever it holds, e.g. for an Expose event.
	void present (const PixelBox& box);

private:
	WindowImage () = default;
	void send (const PixelBox& box);
	unsigned long convert (uint32_t argb) const;

	Display* display {nullptr};
	Window window {0};
	Visual* visual {nullptr};
	int depth {0};
	GC gc {nullptr};
	int width {0};
	int height {0};
	_cairo_surface* surface {nullptr};
	std::vector<uint32_t> shown;
	// Fast path: an XImage on the surface's own memory.
	XImage* direct {nullptr};
	// Slow path: bit position and width of each channel in the visual's pixels.
	struct Channel
	{
		int shift {0};
		unsigned long max {0};
	} red, green, blue;
};

} // X11
} // VSTGUI
