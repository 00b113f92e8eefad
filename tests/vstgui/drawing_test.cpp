#include "testsupport.h"
#include <cstdio>

using namespace VSTGUI;

namespace {
const CColor kRed (255, 0, 0, 255);
const CColor kBlue (0, 0, 255, 255);
const CColor kClear (0, 0, 0, 0);
} // namespace

TEST (CDrawContextTest, FilledAndStrokedRectsCoverWholePixels)
{
	auto ctx = COffscreenContext::create (CPoint (40, 40));
	ASSERT_TRUE (ctx);
	ctx->setDrawMode (kAliasing);
	ctx->setFillColor (kRed);
	ctx->drawRect (CRect (5, 5, 15, 15), kDrawFilled);
	EXPECT_EQ (ctx->getPixel (5, 5), kRed);
	EXPECT_EQ (ctx->getPixel (14, 14), kRed);
	EXPECT_EQ (ctx->getPixel (15, 14), kClear); // right edge is outside
	EXPECT_EQ (ctx->getPixel (14, 15), kClear);
	EXPECT_EQ (ctx->getPixel (4, 5), kClear);

	ctx->setFrameColor (kBlue);
	ctx->setLineWidth (1);
	ctx->drawRect (CRect (20, 20, 30, 30), kDrawStroked);
	EXPECT_EQ (ctx->getPixel (20, 20), kBlue);
	EXPECT_EQ (ctx->getPixel (29, 25), kBlue);
	EXPECT_EQ (ctx->getPixel (25, 29), kBlue);
	EXPECT_EQ (ctx->getPixel (25, 25), kClear); // inside the frame untouched
	EXPECT_EQ (ctx->getPixel (30, 25), kClear);
}

TEST (CDrawContextTest, GraphicsPathFillsAndStrokes)
{
	auto ctx = COffscreenContext::create (CPoint (40, 40));
	auto path = owned (ctx->createGraphicsPath ());
	ASSERT_TRUE (path);
	path->addRect (CRect (10, 10, 30, 30));
	ctx->setDrawMode (kAntiAliasing);
	ctx->setLineStyle (kLineSolid);
	ctx->setLineWidth (2);
	ctx->setFillColor (kRed);
	ctx->setFrameColor (kBlue);
	ctx->drawGraphicsPath (path, CDrawContext::kPathFilled);
	ctx->drawGraphicsPath (path, CDrawContext::kPathStroked);
	EXPECT_EQ (ctx->getPixel (20, 20), kRed);
	EXPECT_EQ (ctx->getPixel (9, 20), kBlue);  // stroke straddles the edge
	EXPECT_EQ (ctx->getPixel (10, 20), kBlue);
	EXPECT_EQ (ctx->getPixel (11, 20), kRed);
	EXPECT_EQ (ctx->getPixel (5, 5), kClear);
	EXPECT_DOUBLE_EQ (ctx->getHairlineSize (), 1.);
	EXPECT_DOUBLE_EQ (COffscreenContext::create (CPoint (4, 4), 2.)->getHairlineSize (), 0.5);
}

TEST (CDrawContextTest, TransformsAndClipsNest)
{
	auto ctx = COffscreenContext::create (CPoint (40, 40));
	ctx->setFillColor (kRed);
	{
		CDrawContext::Transform t (*ctx, CGraphicsTransform ().translate (10, 20));
		ctx->setClipRect (CRect (0, 0, 5, 5));
		CRect clip;
		ctx->getClipRect (clip);
		EXPECT_EQ (clip, CRect (0, 0, 5, 5));
		ctx->drawRect (CRect (0, 0, 10, 10), kDrawFilled);
	}
	EXPECT_EQ (ctx->getPixel (10, 20), kRed);
	EXPECT_EQ (ctx->getPixel (14, 24), kRed);
	EXPECT_EQ (ctx->getPixel (15, 24), kClear); // clipped
	EXPECT_EQ (ctx->getPixel (0, 0), kClear);
}

TEST (CBitmapTest, LoadsPNGFromTheResourcesFolderAndDrawsWithOffset)
{
	std::string dir = VSTGUI::Test::outputPath ("bitmap-resources");
	std::string cmd = "mkdir -p '" + dir + "'";
	ASSERT_EQ (std::system (cmd.c_str ()), 0);
	ASSERT_TRUE (VSTGUI::Test::writeBandsPNG (dir + "/bands.png", 8, 4, {kRed, kBlue}));
	std::string saved = getResourcePath ();
	setResourcePath (dir);

	auto bmp = owned (new CBitmap (CResourceDescription ("bands.png")));
	ASSERT_TRUE (bmp->isLoaded ());
	EXPECT_EQ (bmp->getWidth (), 8);
	EXPECT_EQ (bmp->getHeight (), 8);
	CColor c;
	EXPECT_TRUE (bmp->getPixel (0, 5, c));
	EXPECT_EQ (c, kBlue);
	EXPECT_FALSE (bmp->getPixel (8, 0, c));

	auto ctx = COffscreenContext::create (CPoint (20, 20));
	bmp->draw (ctx, CRect (2, 2, 10, 6), CPoint (0, 4)); // the lower band only
	EXPECT_EQ (ctx->getPixel (2, 2), kBlue);
	EXPECT_EQ (ctx->getPixel (9, 5), kBlue);
	EXPECT_EQ (ctx->getPixel (2, 6), kClear);

	auto missing = owned (new CBitmap (CResourceDescription ("no-such.png")));
	EXPECT_FALSE (missing->isLoaded ());
	EXPECT_EQ (missing->getWidth (), 0);
	missing->draw (ctx, CRect (0, 0, 10, 10)); // harmless
	{
		FILE* f = std::fopen ((dir + "/broken.png").c_str (), "wb");
		std::fputs ("\x89PNG not really", f);
		std::fclose (f);
	}
	EXPECT_FALSE (owned (new CBitmap (CResourceDescription ("broken.png")))->isLoaded ());
	setResourcePath (saved);
}

TEST (CDrawContextTest, TextLandsInsideItsRectangle)
{
	auto ctx = COffscreenContext::create (CPoint (120, 30));
	ctx->setFont (kNormalFont);
	ctx->setFontColor (kWhiteCColor);
	ctx->drawString ("Hello", CRect (0, 0, 120, 30), kLeftText);
	int inside = 0, outside = 0;
	for (int y = 0; y < 30; ++y)
		for (int x = 0; x < 120; ++x)
			if (ctx->getPixel (x, y).alpha)
				++(x < 60 ? inside : outside);
	EXPECT_GT (inside, 20);
	EXPECT_EQ (outside, 0); // left-aligned short text stays in the left half
	EXPECT_GT (ctx->getStringWidth ("Hello"), 10.);
	EXPECT_LT (ctx->getStringWidth ("Hello"), 60.);
}

namespace {
// Keeps the text the display would draw.
class TextRecordingDisplay : public CParamDisplay
{
public:
	using CParamDisplay::CParamDisplay;
	std::string drawn;

protected:
	void drawPlatformText (CDrawContext*, UTF8StringPtr string) override { drawn = string; }
};
} // namespace

TEST (CParamDisplayTest, ValueTextUsesAPointAndThePrecision)
{
	auto ctx = COffscreenContext::create (CPoint (60, 20));
	auto display = owned (new TextRecordingDisplay (CRect (0, 0, 60, 20)));
	display->setMax (2000.f);
	display->setValue (1234.5f);
	display->draw (ctx);
	EXPECT_EQ (display->drawn, "1234.50");
	display->setPrecision (0);
	display->setValue (0.25f);
	display->draw (ctx);
	EXPECT_EQ (display->drawn, "0");
	display->setPrecision (3);
	display->draw (ctx);
	EXPECT_EQ (display->drawn, "0.250");
}
