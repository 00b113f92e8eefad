// Closing the editor in the middle of a gesture leaves no edit open in the host: every
// begun edit ends once, for its own parameter, before the view is gone, and nothing
// follows.

#include "editorinhost.h"

#include <algorithm>

using namespace Steinberg;
using namespace x11test;

namespace {

class EditorGestureCloseTest : public EditorInHostFixture
{
protected:
	// After the close: exactly one begin and one end, the end last, every edit of tag,
	// and nothing more however long the host's run loop goes on.
	void expectClosedOnce (Vst::ParamID tag)
	{
		const std::string kinds = recorder->kinds ();
		EXPECT_EQ (recorder->kindsOf (tag), kinds) << "edits of another parameter";
		EXPECT_EQ (std::count (kinds.begin (), kinds.end (), 'b'), 1) << kinds;
		EXPECT_EQ (std::count (kinds.begin (), kinds.end (), 'e'), 1) << kinds;
		ASSERT_FALSE (kinds.empty ());
		EXPECT_EQ (kinds.front (), 'b');
		EXPECT_EQ (kinds.back (), 'e');
		const size_t atClose = recorder->events.size ();
		hostFrame->runFor (700); // past the wheel edit's 500 ms timer
		EXPECT_EQ (recorder->events.size (), atClose);
	}
};

TEST_F (EditorGestureCloseTest, ADragHeldWhileTheViewIsRemovedEndsItsEdit)
{
	int sx = 0, sy = 0;
	ASSERT_TRUE (controlCentre (Vst::kGainMF1Id, sx, sy));
	const unsigned long child = openEditor ();
	ASSERT_TRUE (view && child);
	const Vst::ParamValue start = controller->getParamNormalized (Vst::kGainMF1Id);

	window.moveTo (child, sx, sy - 20);
	window.button (1, true);
	window.moveTo (child, sx, sy - 40);
	ASSERT_TRUE (hostFrame->runUntil ([&] {
		const auto* p = recorder->lastPerform (Vst::kGainMF1Id);
		return p && p->value > start;
	})) << recorder->kindsOf (Vst::kGainMF1Id);
	ASSERT_EQ (recorder->kindsOf (Vst::kGainMF1Id).back (), 'p');

	closeEditor ();
	// The drag ends as a cancelled one: the value goes back to where it began.
	expectClosedOnce (Vst::kGainMF1Id);
	EXPECT_EQ (controller->getParamNormalized (Vst::kGainMF1Id), start);
	window.button (1, false);
	window.sync ();
	hostFrame->runFor (50);
	EXPECT_EQ (recorder->kindsOf (Vst::kGainMF1Id).back (), 'e');
}

TEST_F (EditorGestureCloseTest, AWheelTurnShortlyBeforeTheViewIsRemovedEndsItsEdit)
{
	int sx = 0, sy = 0;
	ASSERT_TRUE (controlCentre (Vst::kGainMF2Id, sx, sy));
	const unsigned long child = openEditor ();
	ASSERT_TRUE (view && child);
	const Vst::ParamValue start = controller->getParamNormalized (Vst::kGainMF2Id);

	window.click (child, sx, sy, 4); // wheel up
	ASSERT_TRUE (hostFrame->runUntil ([&] { return recorder->kindsOf (Vst::kGainMF2Id) == "bp"; }))
	    << recorder->kindsOf (Vst::kGainMF2Id);
	hostFrame->runFor (100);
	ASSERT_EQ (recorder->kindsOf (Vst::kGainMF2Id), "bp");

	closeEditor ();
	expectClosedOnce (Vst::kGainMF2Id);
	EXPECT_EQ (recorder->kindsOf (Vst::kGainMF2Id), "bpe");
	// The wheel edit ends with the value it reached.
	EXPECT_GT (controller->getParamNormalized (Vst::kGainMF2Id), start);
}

} // namespace
