// Clicks in the built bundle's editor, in our host's window, through the X server: repeated
// clicks on a slider's handle, and the about view's button with and without Alt.

#include "editorinhost.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace x11test;

namespace {

class EditorClicksInHost : public EditorInHostFixture
{
protected:
	// Waits until the host has seen `ends` edits of tag end.
	bool waitForEnds (Vst::ParamID tag, size_t ends)
	{
		return hostFrame->runUntil ([&] {
			const std::string kinds = recorder->kindsOf (tag);
			return static_cast<size_t> (std::count (kinds.begin (), kinds.end (), 'e')) >= ends;
		});
	}
};

// True when any pixel of r differs between the two shots.
bool differsIn (const Screenshot& a, const Screenshot& b, const VSTGUI::CRect& r)
{
	for (int y = static_cast<int> (r.top); y < static_cast<int> (r.bottom); ++y)
		for (int x = static_cast<int> (r.left); x < static_cast<int> (r.right); ++x)
			if (a.at (x, y) != b.at (x, y))
				return true;
	return false;
}

} // namespace

// The gain sliders: a 40 x 105 track whose 30 x 15 handle is inset by (5, 2); its top
// travels 86 px, from +16 dB at the top down to -16 dB. The host sets a value, then ten
// clicks on the handle's middle without moving: the first may settle the value on the
// handle's pixel, the other nine leave it exactly as it is.
TEST_F (EditorClicksInHost, TenClicksOnTheMf1GainHandleChangeItsValueAtMostOnce)
{
	VSTGUI::CRect slider;
	ASSERT_TRUE (findControl (resources (), Vst::kGainMF1Id, slider));
	const unsigned long child = openEditor ();
	ASSERT_NE (child, 0u);

	// Where the handle's middle is for a normalized value, as the window shows it.
	auto handleMiddle = [&] (Vst::ParamValue value) {
		const double travel = std::floor ((1. - static_cast<float> (value)) * 86.);
		return std::pair<int, int> {static_cast<int> (slider.left) + 5 + 15,
		                            static_cast<int> (slider.top + 2 + travel) + 7};
	};

	// Set by the host, 1.9 dB (of -16..16), 0 dB, and a few more across the travel.
	for (const Vst::ParamValue start : {0.8123, (1.9 + 16.) / 32., 0.5, 0.3, 0.0123, 0.97})
	{
		SCOPED_TRACE (::testing::Message () << "start " << start);
		ASSERT_EQ (controller->setParamNormalized (Vst::kGainMF1Id, start), kResultOk);
		hostFrame->runFor (100);
		const Screenshot before = window.capture (child);
		recorder->events.clear ();
		std::vector<Vst::ParamValue> values;
		for (size_t i = 1; i <= 10; ++i)
		{
			const auto [x, y] = handleMiddle (controller->getParamNormalized (Vst::kGainMF1Id));
			window.click (child, x, y);
			ASSERT_TRUE (waitForEnds (Vst::kGainMF1Id, i)) << recorder->kindsOf (Vst::kGainMF1Id);
			values.push_back (controller->getParamNormalized (Vst::kGainMF1Id));
		}
		// Nor did the handle move on screen, not even at the first click.
		hostFrame->runFor (100);
		EXPECT_FALSE (differsIn (window.capture (child), before, slider));
		// The first click grabbed the handle: at most a pixel's worth from the start.
		EXPECT_NEAR (values.front (), start, 1. / 86.);
		for (size_t i = 1; i < values.size (); ++i)
			EXPECT_EQ (values[i], values.front ()) << "click " << i + 1;
		const std::string kinds = recorder->kindsOf (Vst::kGainMF1Id);
		EXPECT_LE (std::count (kinds.begin (), kinds.end (), 'p'), 1) << kinds;
	}
}

// The about line shows exactly while its button is lit, through clicks and the Alt-click
// that resets the button.
TEST_F (EditorClicksInHost, AboutLineFollowsItsButtonThroughClicksAndAltClicks)
{
	using namespace VSTGUI;
	// The about button is the on/off button bound to no parameter; the line is the label
	// beside it in the same view.
	auto isAboutButton = [] (CView* v) {
		auto* b = dynamic_cast<COnOffButton*> (v);
		return b && b->getTag () < 0;
	};
	const auto buttons = findViews (resources (), isAboutButton);
	const auto labels = findViews (resources (), [&] (CView* v) {
		if (!dynamic_cast<CTextLabel*> (v) || !v->getParentView ())
			return false;
		std::vector<COnOffButton*> siblings;
		v->getParentView ()->asViewContainer ()->getChildViewsOfType<COnOffButton> (siblings);
		return std::any_of (siblings.begin (), siblings.end (), isAboutButton);
	});
	ASSERT_EQ (buttons.size (), 1u);
	ASSERT_EQ (labels.size (), 1u);
	const CRect button = buttons.front ();
	const CRect label = labels.front ();

	const unsigned long child = openEditor ();
	ASSERT_NE (child, 0u);
	// The button opens off and the line empty.
	Screenshot off;
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		off = window.capture (child);
		return off.valid ();
	}));
	hostFrame->runFor (100);
	off = window.capture (child);

	const int bx = static_cast<int> (button.getCenter ().x);
	const int by = static_cast<int> (button.getCenter ().y);
	auto click = [&] { window.click (child, bx, by); };
	auto altClick = [&] {
		window.key (XK_Alt_L, true);
		window.click (child, bx, by);
		window.key (XK_Alt_L, false);
	};
	const struct Step
	{
		const char* what;
		std::function<void ()> act;
		bool on;
	} steps[] = {
	    {"click", click, true},
	    {"Alt-click", altClick, false},
	    {"click after the reset", click, true},
	    {"click", click, false},
	    {"Alt-click while off", altClick, false},
	    {"click", click, true},
	    {"Alt-click", altClick, false},
	};
	for (const auto& step : steps)
	{
		SCOPED_TRACE (step.what);
		step.act ();
		Screenshot now;
		const bool reached = hostFrame->runUntil (
		    [&] {
			    now = window.capture (child);
			    return now.valid () && differsIn (now, off, button) == step.on &&
			           differsIn (now, off, label) == step.on;
		    },
		    1500);
		hostFrame->runFor (50);
		now = window.capture (child);
		EXPECT_TRUE (reached);
		EXPECT_EQ (differsIn (now, off, button), step.on) << "the button";
		EXPECT_EQ (differsIn (now, off, label), step.on) << "the about line";
	}
}
