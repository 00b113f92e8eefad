// Drawing and appearance of CSlider: what it asks of the context and the bitmaps, the
// pixels it leaves on a cairo surface, and when it asks for a redraw.
#include "slidertesthelpers.h"

#include "vstgui/lib/coffscreencontext.h"
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace SliderTest;

namespace {

constexpr CColor kFrame (255, 0, 0, 255);
constexpr CColor kBack (0, 0, 255, 255);
constexpr CColor kValue (0, 255, 0, 255);
constexpr CColor kNothing (0, 0, 0, 0);

bool sameColor (const CColor& a, const CColor& b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

std::string describe (const CColor& c)
{
	return "(" + std::to_string (c.red) + ", " + std::to_string (c.green) + ", " +
	       std::to_string (c.blue) + ", " + std::to_string (c.alpha) + ")";
}

#define EXPECT_PIXEL(ctx, x, y, color)                                                            \
	EXPECT_PRED2 (sameColor, (ctx)->getPixel (x, y), color)                                       \
	    << "pixel " << (x) << ", " << (y) << " is " << describe ((ctx)->getPixel (x, y))

SharedPointer<ProbeSlider> makeSlider (const CRect& size, int32_t style, int32_t drawStyle,
                                       float value)
{
	auto s = makeOwned<ProbeSlider> (size, nullptr, 0, 0, 0, nullptr, nullptr, CPoint (0, 0), style);
	s->setViewSize (size);
	s->setFrameColor (kFrame);
	s->setBackColor (kBack);
	s->setValueColor (kValue);
	s->setDrawStyle (drawStyle);
	s->setValue (value);
	return s;
}

} // namespace

TEST (SliderDrawing, WithoutDrawStyleOnlyTheBitmapsAreDrawnAndTheContextIsUntouched)
{
	auto background = makeOwned<RecordingBitmap> (100, 20);
	auto handle = makeOwned<RecordingBitmap> (20, 20);
	auto s = makeOwned<CSlider> (CRect (10, 5, 130, 25), nullptr, 0, 10, 110, handle, background,
	                             CPoint (3, 4), kLeft | kHorizontal);
	s->setValue (0.5f);

	auto ctx = COffscreenContext::create (CPoint (200, 50));
	const CDrawMode mode = ctx->getDrawMode ();
	const CCoord lineWidth = ctx->getLineWidth ();
	const CColor fill = ctx->getFillColor ();
	const CColor frame = ctx->getFrameColor ();
	const CLineStyle lineStyle = ctx->getLineStyle ();

	s->setDirty (true);
	s->draw (ctx);

	ASSERT_EQ (background->calls.size (), 1u);
	EXPECT_EQ (background->calls[0].rect, CRect (10, 5, 130, 25));
	EXPECT_EQ (background->calls[0].offset, CPoint (3, 4));
	EXPECT_FLOAT_EQ (background->calls[0].alpha, 1.f);
	ASSERT_EQ (handle->calls.size (), 1u);
	EXPECT_EQ (handle->calls[0].rect, s->calculateHandleRect (0.5f));
	EXPECT_EQ (handle->calls[0].rect, CRect (60, 5, 80, 25));
	EXPECT_EQ (handle->calls[0].offset, CPoint (0, 0));
	EXPECT_FLOAT_EQ (handle->calls[0].alpha, 1.f);

	EXPECT_EQ (ctx->getDrawMode (), mode);
	EXPECT_DOUBLE_EQ (ctx->getLineWidth (), lineWidth);
	EXPECT_EQ (ctx->getFillColor (), fill);
	EXPECT_EQ (ctx->getFrameColor (), frame);
	EXPECT_EQ (ctx->getLineStyle (), lineStyle);
	EXPECT_FALSE (s->isDirty ());
}

TEST (SliderDrawing, DisabledSliderDrawsItsDisabledBackground)
{
	auto background = makeOwned<RecordingBitmap> (100, 20);
	auto disabled = makeOwned<RecordingBitmap> (100, 20);
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, background);
	s->setDisabledBackground (disabled);
	s->setMouseEnabled (false);
	auto ctx = COffscreenContext::create (CPoint (100, 20));
	s->draw (ctx);
	EXPECT_TRUE (background->calls.empty ());
	EXPECT_EQ (disabled->calls.size (), 1u);
}

TEST (SliderDrawing, FrameBackAndValueBarLandOnTheirPixels)
{
	// Frame width 2 on 100 x 20: path rectangle 1, 1 .. 99, 19, stroked over the fill;
	// the bar is inset again to 2, 2 .. 98, 18 and runs to 2 + 0.5 * 96 = 50.
	auto s = makeSlider (CRect (0, 0, 100, 20), kLeft | kHorizontal,
	                     CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue, 0.5f);
	s->setFrameWidth (2);
	auto ctx = COffscreenContext::create (CPoint (100, 20));
	s->draw (ctx);

	EXPECT_PIXEL (ctx, 0, 10, kFrame);
	EXPECT_PIXEL (ctx, 1, 10, kFrame);
	EXPECT_PIXEL (ctx, 2, 10, kValue);
	EXPECT_PIXEL (ctx, 49, 10, kValue);
	EXPECT_PIXEL (ctx, 50, 10, kBack);
	EXPECT_PIXEL (ctx, 97, 10, kBack);
	EXPECT_PIXEL (ctx, 98, 10, kFrame);
	EXPECT_PIXEL (ctx, 99, 10, kFrame);
	EXPECT_PIXEL (ctx, 30, 1, kFrame);
	EXPECT_PIXEL (ctx, 30, 2, kValue);
	EXPECT_PIXEL (ctx, 30, 17, kValue);
	EXPECT_PIXEL (ctx, 30, 18, kFrame);
	EXPECT_PIXEL (ctx, 70, 2, kBack);

	// The slider leaves the state it set.
	EXPECT_EQ (ctx->getDrawMode (), CDrawMode (kAliasing));
	EXPECT_DOUBLE_EQ (ctx->getLineWidth (), 2.);
	EXPECT_EQ (ctx->getLineStyle (), kLineSolid);
	EXPECT_EQ (ctx->getFrameColor (), kFrame);
	EXPECT_EQ (ctx->getFillColor (), kValue);
}

TEST (SliderDrawing, FrameAloneLeavesAntiAliasingOnAndTheInsideEmpty)
{
	auto s = makeSlider (CRect (0, 0, 100, 20), kLeft | kHorizontal, CSlider::kDrawFrame, 0.5f);
	s->setFrameWidth (2);
	auto ctx = COffscreenContext::create (CPoint (100, 20));
	s->draw (ctx);
	EXPECT_PIXEL (ctx, 0, 0, kFrame);
	EXPECT_PIXEL (ctx, 50, 10, kNothing);
	EXPECT_EQ (ctx->getDrawMode (), CDrawMode (kAntiAliasing));
	EXPECT_EQ (ctx->getFillColor (), kBack);
}

TEST (SliderDrawing, NegativeFrameWidthMeansOneDevicePixel)
{
	auto s = makeSlider (CRect (0, 0, 100, 20), kLeft | kHorizontal, CSlider::kDrawFrame, 0.5f);
	s->setFrameWidth (-1);
	auto ctx = COffscreenContext::create (CPoint (100, 20), 2.);
	s->draw (ctx);
	EXPECT_DOUBLE_EQ (ctx->getLineWidth (), ctx->getHairlineSize ());
	EXPECT_DOUBLE_EQ (ctx->getLineWidth (), 0.5);
}

struct BarCase
{
	const char* name;
	CRect size;
	int32_t style;
	int32_t drawStyle;
	float value;
	// Expected bar: [from, to) along the axis; empty when from == to.
	int from, to;
};

TEST (SliderDrawing, ValueBarShapes)
{
	constexpr int32_t V = CSlider::kDrawValue;
	constexpr int32_t C = CSlider::kDrawValueFromCenter;
	constexpr int32_t I = CSlider::kDrawInverted;
	const CRect h (0, 0, 100, 20), v (0, 0, 20, 100);
	const BarCase cases[] = {
	    {"horizontal", h, kLeft | kHorizontal, V, 0.25f, 0, 25},
	    {"horizontal inverted", h, kLeft | kHorizontal, V | I, 0.25f, 75, 100},
	    {"horizontal kRight does not turn the bar", h, kRight | kHorizontal, V, 0.25f, 0, 25},
	    {"from centre", h, kLeft | kHorizontal, V | C, 0.25f, 25, 50},
	    {"from centre inverted", h, kLeft | kHorizontal, V | C | I, 0.25f, 50, 75},
	    {"from centre at the middle", h, kLeft | kHorizontal, V | C, 0.5f, 0, 0},
	    {"too thin", h, kLeft | kHorizontal, V, 0.004f, 0, 0},
	    {"zero", h, kLeft | kHorizontal, V, 0.f, 0, 0},
	    {"vertical bottom", v, kBottom | kVertical, V, 0.25f, 75, 100},
	    {"vertical top grows upward too", v, kTop | kVertical, V, 0.25f, 75, 100},
	    {"vertical inverted", v, kBottom | kVertical, V | I, 0.25f, 0, 25},
	    {"vertical from centre", v, kBottom | kVertical, V | C, 0.75f, 50, 75},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		auto s = makeSlider (c.size, c.style, c.drawStyle, c.value);
		auto ctx = COffscreenContext::create (CPoint (c.size.getWidth (), c.size.getHeight ()));
		s->draw (ctx);
		const bool horizontal = (c.style & kHorizontal) != 0;
		for (int i = 0; i < 100; ++i)
		{
			const bool inBar = i >= c.from && i < c.to;
			const int x = horizontal ? i : 10;
			const int y = horizontal ? 10 : i;
			EXPECT_PIXEL (ctx, x, y, inBar ? kValue : kNothing);
		}
		// A bar that is not drawn does not even set the fill colour.
		if (c.from == c.to)
		{
			EXPECT_NE (ctx->getFillColor (), kValue);
		}
	}
}

TEST (SliderDrawing, HandleBitmapPixelsAtTheValuePosition)
{
	auto handle = makeOwned<CBitmap> (10, 20);
	for (int32_t x = 0; x < 10; ++x)
		for (int32_t y = 0; y < 20; ++y)
			handle->setPixel (x, y, kFrame);
	auto s = makeOwned<CSlider> (CRect (0, 0, 20, 100), nullptr, 0, CPoint (5, 0), 100, handle, nullptr,
	                             CPoint (0, 0), kBottom | kVertical);
	s->setValue (1.f);
	auto ctx = COffscreenContext::create (CPoint (20, 100));
	s->draw (ctx);
	// Value 1 with the minimum at the bottom: handle at the top, 5 px in from the left.
	EXPECT_PIXEL (ctx, 5, 0, kFrame);
	EXPECT_PIXEL (ctx, 14, 19, kFrame);
	EXPECT_PIXEL (ctx, 4, 10, kNothing);
	EXPECT_PIXEL (ctx, 15, 10, kNothing);
	EXPECT_PIXEL (ctx, 10, 20, kNothing);
}

TEST (SliderAppearance, SettersAskForARedrawOnlyOnChange)
{
	auto s = makeOwned<ProbeSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	s->invalidCount = 0;

	s->setFrameColor (s->getFrameColor ());
	s->setBackColor (s->getBackColor ());
	s->setValueColor (s->getValueColor ());
	s->setDrawStyle (s->getDrawStyle ());
	s->setFrameWidth (s->getFrameWidth ());
	s->setOffset (CPoint (4, 5));
	EXPECT_EQ (s->invalidCount, 0);
	EXPECT_EQ (s->getOffset (), CPoint (4, 5));

	CColor c = s->getFrameColor ();
	c.alpha = 254;
	s->setFrameColor (c);
	EXPECT_EQ (s->invalidCount, 1);
	EXPECT_EQ (s->getFrameColor (), c);
	s->setBackColor (CColor (0, 0, 1, 255));
	s->setValueColor (CColor (254, 255, 255, 255));
	s->setDrawStyle (CSlider::kDrawValue);
	s->setFrameWidth (3);
	EXPECT_EQ (s->invalidCount, 5);
}

TEST (SliderAppearance, SetHandleRecomputesTheGeometry)
{
	auto handle = makeOwned<CBitmap> (20, 10);
	auto s = makeOwned<ProbeSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 50, nullptr, nullptr);
	s->setViewSizeCount = 0;

	s->setHandle (handle);
	EXPECT_EQ (handle->getNbReference (), 2);
	EXPECT_EQ (s->setViewSizeCount, 1);
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (20, 10));
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 80);

	// The same bitmap again: geometry recomputed, no extra reference.
	s->setHandleRangePrivate (33);
	s->setHandle (handle);
	EXPECT_EQ (s->setViewSizeCount, 2);
	EXPECT_EQ (handle->getNbReference (), 2);
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 80);

	// No bitmap: a 1 x 1 handle, the travel kept, no resize and no redraw.
	s->invalidCount = 0;
	s->setHandle (nullptr);
	EXPECT_EQ (handle->getNbReference (), 1);
	EXPECT_EQ (s->getHandle (), nullptr);
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (1, 1));
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 80);
	EXPECT_DOUBLE_EQ (s->getMaxPosPrivate (), 0 + 80 + 1);
	EXPECT_EQ (s->setViewSizeCount, 2);
	EXPECT_EQ (s->invalidCount, 0);
}

TEST (SliderAppearance, SizeToFitTakesTheBackgroundsSize)
{
	auto s = makeOwned<ProbeSlider> (CRect (10, 20, 50, 60), nullptr, 0, 20, 40, nullptr, nullptr,
	                                 CPoint (0, 0), kBottom | kVertical);
	EXPECT_FALSE (s->sizeToFit ());
	EXPECT_EQ (s->getViewSize (), CRect (10, 20, 50, 60));

	auto background = makeOwned<CBitmap> (30, 200);
	s->setBackground (background);
	s->setViewSizeCount = 0;
	EXPECT_TRUE (s->sizeToFit ());
	EXPECT_EQ (s->getViewSize (), CRect (10, 20, 40, 220));
	EXPECT_EQ (s->getMouseableArea (), CRect (10, 20, 40, 220));
	EXPECT_EQ (s->setViewSizeCount, 1);
	// Vertical travel follows the new height.
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 200 - 1);
}
