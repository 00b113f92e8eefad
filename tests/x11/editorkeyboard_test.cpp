// The editor leaves the keyboard with the host: clicks, drags and wheel turns never move
// the X input focus into it, keys come through IPlugView::onKeyDown, and only keys a
// control uses answer kResultTrue.

#include "editorinhost.h"

#include "pluginterfaces/base/keycodes.h"

#include <X11/keysym.h>

#include <algorithm>

using namespace Steinberg;
using namespace x11test;

namespace {

class EditorKeyboardTest : public EditorInHostFixture
{
protected:
	// Presses and releases a key through the X server, with the pointer where it is.
	void typeKey (unsigned long keysym)
	{
		window.key (keysym, true);
		window.key (keysym, false);
		window.sync ();
		hostFrame->runFor (100);
	}
};

TEST_F (EditorKeyboardTest, ClicksDragsAndWheelLeaveTheInputFocusAndSpaceToTheHost)
{
	int bx = 0, by = 0, sx = 0, sy = 0;
	ASSERT_TRUE (controlCentre (Vst::kChanStatusMF1Id, bx, by));
	ASSERT_TRUE (controlCentre (Vst::kGainMF2Id, sx, sy));
	const unsigned long child = openEditor ();
	ASSERT_TRUE (view && child);
	const unsigned long focusBefore = window.inputFocus ();
	ASSERT_NE (focusBefore, child);

	// A band switch: one click, one edit, and the focus stays where it was.
	const Vst::ParamValue before = controller->getParamNormalized (Vst::kChanStatusMF1Id);
	window.click (child, bx, by);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kChanStatusMF1Id) == "bpe"; }))
	    << recorder->kindsOf (Vst::kChanStatusMF1Id);
	const Vst::ParamValue clicked = controller->getParamNormalized (Vst::kChanStatusMF1Id);
	EXPECT_EQ (clicked, 1. - before);
	EXPECT_NE (window.inputFocus (), child);
	EXPECT_EQ (window.inputFocus (), focusBefore);

	// Space, by the X server (the pointer is still over the switch) and from the host:
	// the switch leaves it alone, and the host hears that no control used it.
	recorder->events.clear ();
	typeKey (XK_space);
	EXPECT_EQ (view->onKeyDown (' ', KEY_SPACE, 0), kResultFalse);
	EXPECT_EQ (view->onKeyUp (' ', KEY_SPACE, 0), kResultFalse);
	hostFrame->runFor (50);
	EXPECT_EQ (recorder->kinds (), "");
	EXPECT_EQ (controller->getParamNormalized (Vst::kChanStatusMF1Id), clicked);

	// A click, a drag and a wheel turn on a slider: still no focus for the editor.
	window.click (child, sx, sy - 30);
	window.moveTo (child, sx, sy - 20);
	window.button (1, true);
	window.moveTo (child, sx, sy - 40);
	window.button (1, false);
	window.click (child, sx, sy, 4);
	window.sync ();
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		// Three edits: the click's, the drag's and the wheel's, which ends 500 ms later.
		const auto kinds = recorder->kindsOf (Vst::kGainMF2Id);
		return std::count (kinds.begin (), kinds.end (), 'e') == 3;
	})) << recorder->kindsOf (Vst::kGainMF2Id);
	EXPECT_EQ (window.inputFocus (), focusBefore);

	closeEditor ();
}

TEST_F (EditorKeyboardTest, ArrowKeysStepAClickedSliderByEitherWay)
{
	int sx = 0, sy = 0;
	ASSERT_TRUE (controlCentre (Vst::kGainMF2Id, sx, sy));
	const unsigned long child = openEditor ();
	ASSERT_TRUE (view && child);

	// Before any click no control has the editor's focus: the host keeps its arrows.
	EXPECT_EQ (view->onKeyDown (0, KEY_UP, 0), kResultFalse);

	window.click (child, sx, sy - 30);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id) == "bpe"; }))
	    << recorder->kindsOf (Vst::kGainMF2Id);
	EXPECT_NE (window.inputFocus (), child);
	const Vst::ParamValue clicked = controller->getParamNormalized (Vst::kGainMF2Id);

	// From the host: Up steps it up, one complete edit, and answers true.
	recorder->events.clear ();
	EXPECT_EQ (view->onKeyDown (0, KEY_UP, 0), kResultTrue);
	EXPECT_EQ (recorder->kindsOf (Vst::kGainMF2Id), "bpe");
	const Vst::ParamValue up = controller->getParamNormalized (Vst::kGainMF2Id);
	EXPECT_GT (up, clicked);
	// Keys the slider does not use go back to the host.
	for (auto [key, code] : {std::pair<char16, int16> {' ', KEY_SPACE}, {0, KEY_RETURN}, {'z', 0}})
		EXPECT_EQ (view->onKeyDown (key, code, 0), kResultFalse) << code;
	EXPECT_EQ (view->onKeyUp (0, KEY_UP, 0), kResultFalse);

	// By the X server, where it delivers keys to the editor's window (the pointer is
	// over it): Down steps it back.
	recorder->events.clear ();
	typeKey (XK_Down);
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id) == "bpe"; }))
	    << recorder->kindsOf (Vst::kGainMF2Id);
	EXPECT_NEAR (controller->getParamNormalized (Vst::kGainMF2Id), clicked, 1e-6);
	EXPECT_NE (window.inputFocus (), child);

	closeEditor ();
	EXPECT_EQ (recorder->kindsOf (Vst::kGainMF2Id), "bpe");
}

} // namespace
