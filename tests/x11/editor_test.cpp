// The built bundle's editor in our host's X11 window: loaded with dlopen, reached only
// through VST 3 interfaces, clicked through the X server.

#include "../common/localerun.h"
#include "editorinhost.h"

#include <X11/keysym.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

using namespace Steinberg;
using namespace x11test;

namespace {

using EditorInHostTest = EditorInHostFixture;

TEST_F (EditorInHostTest, ClicksAndDragsInTheWindowReachTheHostAsEdits)
{
	VSTGUI::CRect button, knob;
	ASSERT_TRUE (findControl (resources (), Vst::kChanStatusLFId, button));
	ASSERT_TRUE (findControl (resources (), Vst::kFreqLFId, knob));

	attachEditor ();
	ASSERT_TRUE (view);
	EXPECT_EQ (hostFrame->getEventHandlerCount (), 1u);
	EXPECT_EQ (hostFrame->getTimerCount (), 1u);
	const unsigned long child = waitForEditorWindow ();
	ASSERT_NE (child, 0u);
	long version = -1, flags = -1;
	ASSERT_TRUE (window.readXEmbedInfo (child, version, flags));
	EXPECT_EQ (flags, 1);

	// The switch: one click, one complete edit, and the window shows the new state.
	const int bx = static_cast<int> (button.getCenter ().x), by = static_cast<int> (button.getCenter ().y);
	const Vst::ParamValue before = controller->getParamNormalized (Vst::kChanStatusLFId);
	const Screenshot shotBefore = window.capture (child);
	window.click (child, bx, by);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kChanStatusLFId) == "bpe"; }))
	    << recorder->kindsOf (Vst::kChanStatusLFId);
	EXPECT_EQ (recorder->lastPerform (Vst::kChanStatusLFId)->value, 1. - before);
	EXPECT_EQ (controller->getParamNormalized (Vst::kChanStatusLFId), 1. - before);
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		Screenshot now = window.capture (child);
		return now.valid () && now.at (bx, by) != shotBefore.at (bx, by);
	}));

	// The knob in the controller's linear mode: a drag upward raises the value.
	const int kx = static_cast<int> (knob.getCenter ().x), ky = static_cast<int> (knob.getCenter ().y);
	const Vst::ParamValue knobStart = controller->getParamNormalized (Vst::kFreqLFId);
	window.moveTo (child, kx, ky);
	window.button (1, true);
	for (int dy = 5; dy <= 40; dy += 5)
	{
		window.moveTo (child, kx, ky - dy);
		hostFrame->runFor (10);
	}
	window.button (1, false);
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		const auto kinds = recorder->kindsOf (Vst::kFreqLFId);
		return kinds.size () >= 3 && kinds.front () == 'b' && kinds.back () == 'e';
	})) << recorder->kindsOf (Vst::kFreqLFId);
	ASSERT_TRUE (recorder->lastPerform (Vst::kFreqLFId));
	EXPECT_GT (recorder->lastPerform (Vst::kFreqLFId)->value, knobStart);

	// Alt-click puts it back to the parameter's default.
	Vst::ParameterInfo info {};
	for (int32 i = 0; i < controller->getParameterCount (); ++i)
		if (controller->getParameterInfo (i, info) == kResultOk && info.id == Vst::kFreqLFId)
			break;
	ASSERT_EQ (info.id, static_cast<Vst::ParamID> (Vst::kFreqLFId));
	recorder->events.clear ();
	window.key (XK_Alt_L, true);
	window.click (child, kx + 10, ky); // away from the drag's press: no double click
	window.key (XK_Alt_L, false);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kFreqLFId) == "bpe"; }))
	    << recorder->kindsOf (Vst::kFreqLFId);
	EXPECT_NEAR (recorder->lastPerform (Vst::kFreqLFId)->value, info.defaultNormalizedValue, 1e-6);

	closeEditor ();
	EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
	EXPECT_EQ (hostFrame->getTimerCount (), 0u);
	EXPECT_TRUE (window.children ().empty ());
}

TEST_F (EditorInHostTest, Mf2GainSliderFollowsClicksAndResetsOnAltClick)
{
	VSTGUI::CRect slider;
	ASSERT_TRUE (findControl (resources (), Vst::kGainMF2Id, slider));

	attachEditor ();
	ASSERT_TRUE (view);
	const unsigned long child = waitForEditorWindow ();
	ASSERT_NE (child, 0u);

	// The window shows the editor: where no control lies, it is the background image.
	cairo_surface_t* background =
	    cairo_image_surface_create_from_png ((resources () + "/background.png").c_str ());
	ASSERT_EQ (cairo_surface_status (background), CAIRO_STATUS_SUCCESS);
	const auto* bg = reinterpret_cast<const uint32_t*> (cairo_image_surface_get_data (background));
	const int bgStride = cairo_image_surface_get_stride (background) / 4;
	auto backgroundAt = [&] (int x, int y) {
		const uint32_t p = bg[y * bgStride + x];
		return VSTGUI::CColor (static_cast<uint8_t> (p >> 16), static_cast<uint8_t> (p >> 8),
		                       static_cast<uint8_t> (p), 255);
	};
	// The first frame reaches the window on the run loop's next ticks.
	Screenshot shot;
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		shot = window.capture (child);
		return shot.valid () && shot.at (4, 4) == backgroundAt (4, 4);
	}));
	for (auto [x, y] : {std::pair<int, int> {4, 4}, {430, 412}, {852, 8}, {300, 40}})
		EXPECT_EQ (shot.at (x, y), backgroundAt (x, y)) << x << ", " << y;
	cairo_surface_destroy (background);
	EXPECT_TRUE (shot.writePNG (std::string (X11TEST_OUTPUT_DIR) + "/" + localeRunFilePrefix () + "editor-in-host.png"));

	// A click 30 px above the handle (at 0 dB, in the middle) raises the gain.
	const int sx = static_cast<int> (slider.getCenter ().x);
	const int sy = static_cast<int> (slider.getCenter ().y) - 30;
	window.click (child, sx, sy);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id) == "bpe"; }))
	    << recorder->kindsOf (Vst::kGainMF2Id);
	const Vst::ParamValue raised = recorder->lastPerform (Vst::kGainMF2Id)->value;
	EXPECT_GT (raised, 0.6);
	EXPECT_EQ (controller->getParamNormalized (Vst::kGainMF2Id), raised);
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		Screenshot now = window.capture (child);
		return now.valid () && now.at (sx, sy) != shot.at (sx, sy);
	})) << "the handle was not redrawn under the pointer";

	// Alt-click: back to 0 dB with one begin, one perform and one end.
	recorder->events.clear ();
	window.key (XK_Alt_L, true);
	window.click (child, sx, sy + 10);
	window.key (XK_Alt_L, false);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id) == "bpe"; }))
	    << recorder->kindsOf (Vst::kGainMF2Id);
	EXPECT_EQ (recorder->lastPerform (Vst::kGainMF2Id)->value, 0.5);
	EXPECT_EQ (controller->getParamNormalized (Vst::kGainMF2Id), 0.5);

	// A drag with the right button pressed and released during it: the dragged value
	// stays, the drag's edit ends once, and no edit is left open.
	recorder->events.clear ();
	window.moveTo (child, sx, sy + 30);
	window.button (1, true);
	window.moveTo (child, sx, sy);
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		const auto* p = recorder->lastPerform (Vst::kGainMF2Id);
		return p && p->value > 0.55;
	})) << recorder->kindsOf (Vst::kGainMF2Id);
	window.button (3, true);
	window.button (3, false);
	window.moveTo (child, sx, sy + 20);
	window.button (1, false);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id).back () == 'e'; }));
	hostFrame->runFor (50);
	const std::string kinds = recorder->kindsOf (Vst::kGainMF2Id);
	const Vst::ParamValue dragged = recorder->lastPerform (Vst::kGainMF2Id)->value;
	EXPECT_GT (dragged, 0.55);
	EXPECT_EQ (controller->getParamNormalized (Vst::kGainMF2Id), dragged);
	EXPECT_EQ (std::count (kinds.begin (), kinds.end (), 'b'), std::count (kinds.begin (), kinds.end (), 'e'));
	EXPECT_EQ (kinds.find ('p', kinds.find ('e')), std::string::npos) << kinds; // nothing moved after the drag's end

	closeEditor ();
	EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
	EXPECT_EQ (hostFrame->getTimerCount (), 0u);
}

TEST_F (EditorInHostTest, OpensAgainAfterRemovedAndFollowsOnSize)
{
	for (int round = 0; round < 3; ++round)
	{
		SCOPED_TRACE (round);
		// The first round opens the host window; the others attach to the same one.
		if (round == 0)
			attachEditor ();
		else
			view = owned (controller->createView (Vst::ViewType::kEditor));
		ASSERT_TRUE (view);
		if (round > 0)
		{
			ASSERT_EQ (view->setFrame (hostFrame), kResultTrue);
			ASSERT_EQ (view->attached (reinterpret_cast<void*> (window.id ()), kPlatformTypeX11EmbedWindowID),
			           kResultTrue);
		}
		const unsigned long child = waitForEditorWindow ();
		ASSERT_NE (child, 0u);
		ViewRect size;
		ASSERT_EQ (view->getSize (&size), kResultTrue);
		HostWindow::Geometry g;
		ASSERT_TRUE (window.getGeometry (child, g));
		EXPECT_EQ (g.width, size.getWidth ());
		EXPECT_EQ (g.height, size.getHeight ());

		ViewRect smaller (0, 0, size.getWidth () - 100, size.getHeight () - 50);
		EXPECT_EQ (view->onSize (&smaller), kResultTrue);
		ASSERT_TRUE (hostFrame->runUntil ([&] {
			return window.getGeometry (child, g) && g.width == smaller.getWidth () && g.height == smaller.getHeight ();
		}));
		ViewRect now;
		ASSERT_EQ (view->getSize (&now), kResultTrue);
		EXPECT_EQ (now.getWidth (), smaller.getWidth ());

		closeEditor ();
		EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
		EXPECT_EQ (hostFrame->getTimerCount (), 0u);
		EXPECT_TRUE (window.children ().empty ());
	}
}

} // namespace
