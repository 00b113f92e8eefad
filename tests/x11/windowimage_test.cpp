// The search for the pixels that changed since the window was last sent its image.

#include <gtest/gtest.h>

// Internal header with Xlib's macros: after everything they would break.
#include "vstgui/lib/platform/linux/x11windowimage.h"

#include <vector>

using VSTGUI::X11::findChangedBox;
using VSTGUI::X11::PixelBox;

namespace {

TEST (X11WindowImage, ChangedBoxBoundsEveryChangedPixelAndNothingElse)
{
	constexpr int kWidth = 16;
	constexpr int kHeight = 10;
	struct Pixel
	{
		int x, y;
	};
	struct Case
	{
		const char* name;
		std::vector<Pixel> changed;
		bool found;
		PixelBox box;
	};
	const Case cases[] = {
	    {"nothing", {}, false, {}},
	    {"one pixel", {{5, 3}}, true, {5, 3, 6, 4}},
	    {"top left corner", {{0, 0}}, true, {0, 0, 1, 1}},
	    {"bottom right corner", {{kWidth - 1, kHeight - 1}}, true, {kWidth - 1, kHeight - 1, kWidth, kHeight}},
	    // The leftmost change in one row and the rightmost in another.
	    {"two rows apart", {{9, 1}, {2, 7}}, true, {2, 1, 10, 8}},
	    {"a later row reaches further right", {{3, 2}, {4, 2}, {12, 5}}, true, {3, 2, 13, 6}},
	    {"a whole row", {{0, 4}, {kWidth - 1, 4}}, true, {0, 4, kWidth, 5}},
	};
	// Strides wider than the image: what lies beyond the width is never compared.
	constexpr size_t kCurrentStride = kWidth + 3;
	constexpr size_t kShownStride = kWidth + 1;
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		std::vector<uint32_t> current (kCurrentStride * kHeight, 0x11223344u);
		std::vector<uint32_t> shown (kShownStride * kHeight, 0x11223344u);
		for (int y = 0; y < kHeight; ++y)
		{
			for (size_t x = kWidth; x < kCurrentStride; ++x)
				current[y * kCurrentStride + x] = 0xdeadbeefu;
		}
		for (const auto& p : c.changed)
			current[p.y * kCurrentStride + p.x] = 0xff000000u;
		PixelBox box;
		EXPECT_EQ (findChangedBox (current.data (), kCurrentStride, shown.data (), kShownStride, kWidth, kHeight, box),
		           c.found);
		if (c.found)
		{
			EXPECT_EQ (box.left, c.box.left);
			EXPECT_EQ (box.top, c.box.top);
			EXPECT_EQ (box.right, c.box.right);
			EXPECT_EQ (box.bottom, c.box.bottom);
		}
	}
	PixelBox box;
	std::vector<uint32_t> empty;
	EXPECT_FALSE (findChangedBox (empty.data (), 0, empty.data (), 0, 0, 0, box));
}

} // namespace
