// The editor's two-frame button images as tools/drawresources.c writes them into
// resource/: the off frame above the on frame, each drawn only inside its own square.
// The accent colour belongs to the on frames alone, so an amber pixel in an off frame is
// the on frame's drawing spilling over the boundary.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct ButtonImage
{
	const char* file;
	int width;
	int frameHeight;
};

const ButtonImage kButtonImages[] = {
    {"switch.png", 34, 18},
    {"bypass.png", 80, 22},
    {"about.png", 20, 20},
};

/** A decoded PNG; the surface is released with the object. */
class Image
{
public:
	explicit Image (const std::string& path) : surface (cairo_image_surface_create_from_png (path.c_str ())) {}
	~Image () { cairo_surface_destroy (surface); }
	Image (const Image&) = delete;
	Image& operator= (const Image&) = delete;

	bool valid () const { return cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS; }
	int width () const { return cairo_image_surface_get_width (surface); }
	int height () const { return cairo_image_surface_get_height (surface); }

	/** Premultiplied ARGB, as cairo keeps it. */
	uint32_t at (int x, int y) const
	{
		const auto* row = cairo_image_surface_get_data (surface) + y * cairo_image_surface_get_stride (surface);
		return reinterpret_cast<const uint32_t*> (row)[x];
	}

private:
	cairo_surface_t* surface;
};

/** A visible pixel of the accent's warm hue: red well above blue once the alpha is taken
    out. The frames' own greys are all bluish, their blue at least their red. */
bool isAmber (uint32_t argb)
{
	const int a = static_cast<int> (argb >> 24);
	if (a < 32)
		return false;
	const int r = static_cast<int> ((argb >> 16) & 0xff) * 255 / a;
	const int g = static_cast<int> ((argb >> 8) & 0xff) * 255 / a;
	const int b = static_cast<int> (argb & 0xff) * 255 / a;
	return r >= b + 48 && g >= b;
}

/** The amber pixels in rows [top, top + rows), with the first one's position. */
struct AmberCount
{
	int count = 0;
	int firstX = -1;
	int firstY = -1;
};

AmberCount amberIn (const Image& image, int top, int rows)
{
	AmberCount result;
	for (int y = top; y < top + rows; ++y)
		for (int x = 0; x < image.width (); ++x)
			if (isAmber (image.at (x, y)) && result.count++ == 0)
			{
				result.firstX = x;
				result.firstY = y;
			}
	return result;
}

TEST (ButtonImagesTest, OffFramesHoldNoAccentAndOnFramesShowIt)
{
	for (const ButtonImage& button : kButtonImages)
	{
		SCOPED_TRACE (button.file);
		const Image image (std::string (ORD3L_RESOURCE_DIR) + "/" + button.file);
		ASSERT_TRUE (image.valid ());
		ASSERT_EQ (image.width (), button.width);
		ASSERT_EQ (image.height (), 2 * button.frameHeight);

		const AmberCount off = amberIn (image, 0, button.frameHeight);
		EXPECT_EQ (off.count, 0) << "first at " << off.firstX << ", " << off.firstY;
		EXPECT_GT (amberIn (image, button.frameHeight, button.frameHeight).count, 0);
	}
}

} // namespace
