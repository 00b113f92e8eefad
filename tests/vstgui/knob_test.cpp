#include "testsupport.h"

using namespace VSTGUI;
using VSTGUI::Test::FrameFixture;
using VSTGUI::Test::ManualClock;
using VSTGUI::Test::RecordingListener;
using Events = std::vector<std::string>;

namespace {
CKnob* makeKnob (IControlListener* l, const CRect& r = CRect (0, 0, 100, 100))
{
	auto* k = new CKnob (r, l, 1, nullptr, nullptr);
	k->setDefaultValue (0.5f);
	return k;
}
} // namespace

TEST (CKnobTest, OptionClickResetsToDefault)
{
	RecordingListener rec;
	auto knob = owned (makeKnob (&rec));
	knob->setValue (0.9f);
	CPoint p (50, 10);
	EXPECT_EQ (knob->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (knob->getValue (), 0.5f);
	EXPECT_EQ (rec.events, (Events {"begin", "change 0.5", "end"}));
	EXPECT_FALSE (knob->isEditing ());

	// Already at the default: still taken, a begin and an end with nothing between.
	rec.events.clear ();
	EXPECT_EQ (knob->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (rec.events, (Events {"begin", "end"}));
}

TEST (CKnobTest, OnlyTheLeftButtonAloneStartsAGesture)
{
	RecordingListener rec;
	auto knob = owned (makeKnob (&rec));
	knob->setValue (0.9f);
	for (int32_t b : std::initializer_list<int32_t> {kRButton | kAlt, kLButton | kRButton | kAlt, kMButton})
	{
		CPoint p (50, 10);
		EXPECT_EQ (knob->onMouseDown (p, b), kMouseEventNotHandled);
	}
	EXPECT_TRUE (rec.events.empty ());
	EXPECT_EQ (knob->getValue (), 0.9f);
}

TEST (CKnobTest, CircularModeFollowsTheAngleAndDoesNotJumpAcrossTheGap)
{
	RecordingListener rec;
	auto knob = owned (makeKnob (&rec)); // no frame: circular
	struct Case
	{
		CPoint p;
		float value;
	} cases[] = {
	    {{50, 0}, 0.5f},          // top: the middle of the 270 degree sweep
	    {{0, 50}, 1.f / 6.f},     // left: 45 degrees into the sweep
	    {{100, 50}, 5.f / 6.f},   // right
	};
	for (const auto& c : cases)
	{
		CPoint p (c.p);
		EXPECT_EQ (knob->onMouseDown (p, kLButton), kMouseEventHandled);
		EXPECT_NEAR (knob->getValue (), c.value, 1e-5) << c.p.x << ", " << c.p.y;
		knob->onMouseUp (p, kLButton);
	}
	CPoint p (100, 50);
	knob->onMouseDown (p, kLButton);
	p (100, 100); // lower right: the end of the sweep
	knob->onMouseMoved (p, kLButton);
	EXPECT_NEAR (knob->getValue (), 1.f, 1e-5);
	p (0, 100); // lower left, through the gap: stays at the end it came from
	knob->onMouseMoved (p, kLButton);
	EXPECT_EQ (knob->getValue (), 1.f);
	knob->onMouseUp (p, kLButton);
	EXPECT_EQ (rec.events.front (), "begin");
	EXPECT_EQ (rec.events.back (), "end");
}

TEST (CKnobTest, LinearModeDragsByDistanceAndShiftMakesItFine)
{
	FrameFixture f (200, 200, kLinearMode);
	RecordingListener rec;
	CKnob* knob = makeKnob (&rec, CRect (20, 20, 60, 60));
	f.frame->addView (knob);
	knob->setValue (0.2f);

	CPoint p (40, 40);
	EXPECT_EQ (f.frame->onMouseDown (p, kLButton), kMouseEventHandled);
	EXPECT_EQ (knob->getValue (), 0.2f); // the click itself does not move a linear knob
	p (40, -60); // 100 px up: half the range
	f.frame->onMouseMoved (p, kLButton);
	EXPECT_NEAR (knob->getValue (), 0.7f, 1e-5);
	p (60, -60); // and 20 px right
	f.frame->onMouseMoved (p, kLButton);
	EXPECT_NEAR (knob->getValue (), 0.8f, 1e-5);
	f.frame->onMouseMoved (p, kLButton | kShift); // Shift re-anchors without a jump
	EXPECT_NEAR (knob->getValue (), 0.8f, 1e-5);
	p (60, -90); // 30 px up with Shift: 30 / (200 * 1.5)
	f.frame->onMouseMoved (p, kLButton | kShift);
	EXPECT_NEAR (knob->getValue (), 0.9f, 1e-5);
	p (60, -500);
	f.frame->onMouseMoved (p, kLButton | kShift);
	EXPECT_EQ (knob->getValue (), 1.f);
	f.frame->onMouseUp (p, kLButton);
	EXPECT_FALSE (knob->isEditing ());
	EXPECT_EQ (rec.events.front (), "begin");
	EXPECT_EQ (rec.events.back (), "end");
	EXPECT_EQ (std::count (rec.events.begin (), rec.events.end (), "begin"), 1);
}

TEST (CKnobTest, CancelRestoresTheValueOfTheMouseDown)
{
	FrameFixture f (200, 200, kLinearMode);
	RecordingListener rec;
	CKnob* knob = makeKnob (&rec, CRect (0, 0, 50, 50));
	f.frame->addView (knob);
	knob->setValue (0.3f);
	CPoint p (25, 25);
	f.frame->onMouseDown (p, kLButton);
	p (25, -25);
	f.frame->onMouseMoved (p, kLButton);
	EXPECT_NE (knob->getValue (), 0.3f);
	f.frame->onMouseCancel ();
	EXPECT_EQ (knob->getValue (), 0.3f);
	EXPECT_FALSE (knob->isEditing ());
	EXPECT_EQ (rec.events.back (), "end");
}

TEST (CKnobTest, ADownDuringADragEndsTheDragWithItsValue)
{
	FrameFixture f (200, 200, kLinearMode);
	RecordingListener rec;
	CKnob* knob = makeKnob (&rec, CRect (0, 0, 50, 50));
	f.frame->addView (knob);
	auto count = [&] (const char* e) { return std::count (rec.events.begin (), rec.events.end (), e); };

	// A down that reaches the knob while its drag's edit is open ends that edit once and
	// starts a gesture of its own; the up then leaves no edit open.
	knob->setValue (0.3f);
	CPoint p (25, 25);
	knob->onMouseDown (p, kLButton);
	p (25, -25);
	knob->onMouseMoved (p, kLButton);
	const float dragged = knob->getValue ();
	ASSERT_NE (dragged, 0.3f);
	knob->onMouseDown (p, kLButton);
	EXPECT_EQ (knob->getValue (), dragged);
	EXPECT_EQ (count ("end"), 1);
	knob->onMouseUp (p, kLButton);
	EXPECT_FALSE (knob->isEditing ());
	EXPECT_EQ (count ("begin"), 2);
	EXPECT_EQ (count ("end"), 2);

	// Through the frame, a second button during the drag: the knob takes only a left
	// click, so its drag stays as it is and ends at the release with its value.
	rec.events.clear ();
	knob->setValue (0.3f);
	p (25, 25);
	f.frame->onMouseDown (p, kLButton);
	p (25, 0);
	f.frame->onMouseMoved (p, kLButton);
	const float dragged2 = knob->getValue ();
	f.frame->onMouseDown (p, kLButton | kRButton);
	EXPECT_EQ (knob->getValue (), dragged2);
	f.frame->onMouseUp (p, kRButton);
	EXPECT_FALSE (knob->isEditing ());
	EXPECT_EQ (knob->getValue (), dragged2);
	EXPECT_EQ (rec.events.front (), "begin");
	EXPECT_EQ (rec.events.back (), "end");
	EXPECT_EQ (count ("begin"), 1);
	EXPECT_EQ (count ("end"), 1);
}

TEST (CKnobTest, WheelEditEndsHalfASecondAfterTheLastTurn)
{
	ManualClock clock;
	RecordingListener rec;
	auto knob = owned (makeKnob (&rec));
	knob->setValue (0.5f);
	knob->setWheelInc (0.1f);
	CPoint p (50, 50);
	EXPECT_TRUE (knob->onWheel (p, kMouseWheelAxisY, 1.f, 0));
	EXPECT_NEAR (knob->getValue (), 0.6f, 1e-6);
	EXPECT_TRUE (knob->onWheel (p, kMouseWheelAxisY, 1.f, kShift)); // fine step
	EXPECT_NEAR (knob->getValue (), 0.61f, 1e-6);
	clock.advance (300);
	knob->onWheel (p, kMouseWheelAxisY, -1.f, 0);
	clock.advance (499);
	EXPECT_TRUE (knob->isEditing ());
	clock.advance (1);
	EXPECT_FALSE (knob->isEditing ());
	EXPECT_EQ (std::count (rec.events.begin (), rec.events.end (), "begin"), 1);
	EXPECT_EQ (rec.events.back (), "end");

	// A click during a pending wheel edit closes it before its own edit begins.
	rec.events.clear ();
	knob->onWheel (p, kMouseWheelAxisY, 1.f, 0);
	CPoint top (50, 0);
	knob->onMouseDown (top, kLButton);
	EXPECT_EQ (rec.events[0], "begin");
	EXPECT_EQ (rec.events[2], "end");
	EXPECT_EQ (rec.events[3], "begin");
	knob->onMouseUp (top, kLButton);
	clock.advance (1000);
	EXPECT_EQ (rec.events.back (), "end");
	EXPECT_FALSE (knob->isEditing ());

	knob->setMouseEnabled (false);
	EXPECT_FALSE (knob->onWheel (p, kMouseWheelAxisY, 1.f, 0));
}
