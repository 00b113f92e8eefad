// Mouse, wheel and key handling of the sliders, and the edit protocol the host sees.
#include "slidertesthelpers.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/runloop.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace VSTGUI;
using namespace SliderTest;

namespace {

constexpr int32_t kL = kLButton;

// A horizontal slider at x 10..130 with a 20 x 20 handle: the handle's leading edge
// travels 100 px from x 10, so a value v puts it at 10 + trunc (v * 100).
// The vertical variant lies at y 10..130 with the minimum at the bottom.
class SliderInteraction : public ::testing::Test
{
protected:
	void SetUp () override
	{
		RunLoop::instance ().setManualClock (true);
		baseTimers = RunLoop::instance ().getTimerCount ();
		handle = makeOwned<CBitmap> (20, 20);
		makeHorizontal ();
	}
	void TearDown () override
	{
		slider = nullptr;
		EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
		RunLoop::instance ().setManualClock (false);
	}

	void makeHorizontal (int32_t style = kLeft)
	{
		make (CRect (10, 0, 130, 20), style | kHorizontal);
	}
	void makeVertical (int32_t style = kBottom)
	{
		make (CRect (0, 10, 20, 130), style | kVertical);
	}
	void make (const CRect& size, int32_t style)
	{
		probe = new ProbeSlider (size, &listener, 7, 10, 110, handle, nullptr, CPoint (0, 0), style);
		slider = owned (static_cast<CSlider*> (probe));
		prepare ();
	}
	void prepare ()
	{
		slider->setDefaultValue (0.25f);
		setValue (0.505f);
	}
	void setValue (float v)
	{
		slider->setValue (v);
		slider->setDirty (false);
		listener.clear ();
		probe->invalidCount = 0;
	}

	CMouseEventResult down (CCoord x, int32_t buttons = kL, CCoord y = 10)
	{
		CPoint p (x, y);
		return slider->onMouseDown (p, CButtonState (buttons));
	}
	CMouseEventResult move (CCoord x, int32_t buttons = kL, CCoord y = 10)
	{
		CPoint p (x, y);
		return slider->onMouseMoved (p, CButtonState (buttons));
	}
	CMouseEventResult up (CCoord x = 0, int32_t buttons = kL)
	{
		CPoint p (x, 10);
		return slider->onMouseUp (p, CButtonState (buttons));
	}
	int32_t key (unsigned char virt, unsigned char modifier = 0)
	{
		VstKeyCode k;
		k.virt = virt;
		k.modifier = modifier;
		return slider->onKeyDown (k);
	}
	bool wheel (float distance, CMouseWheelAxis axis, int32_t buttons = 0)
	{
		return slider->onWheel (CPoint (20, 10), axis, distance, CButtonState (buttons));
	}

	RecordingListener listener;
	SharedPointer<CBitmap> handle;
	SharedPointer<CSlider> slider;
	ProbeSlider* probe {nullptr}; // the slider, counting its redraw requests
	size_t baseTimers {0};
};

struct ClickCase
{
	CSliderMode mode;
	CCoord x;
	CMouseEventResult result;
	float value;
	const char* events;
};

} // namespace

// Value 0.505 puts the handle at x 60..80.
TEST_F (SliderInteraction, MouseDownInEachMode)
{
	const ClickCase cases[] = {
	    {CSliderMode::Touch, 65, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::Touch, 100, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.505f, ""},
	    {CSliderMode::RelativeTouch, 65, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::RelativeTouch, 100, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::FreeClick, 65, kMouseEventHandled, 0.46f, "bv"},
	    {CSliderMode::FreeClick, 100, kMouseEventHandled, 0.81f, "bv"},
	    {CSliderMode::TSFreeClick, 65, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::TSFreeClick, 60, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::TSFreeClick, 80, kMouseEventHandled, 0.61f, "bv"},
	    {CSliderMode::TSFreeClick, 100, kMouseEventHandled, 0.81f, "bv"},
	    {CSliderMode::TSFreeClick, 12, kMouseEventHandled, 0.f, "bv"},
	    {CSliderMode::Ramp, 65, kMouseEventHandled, 0.5f, "bv"},
	    {CSliderMode::Ramp, 100, kMouseEventHandled, 0.505f, "b"},
	    {CSliderMode::UseGlobal, 100, kMouseEventHandled, 0.81f, "bv"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (::testing::Message () << "mode " << static_cast<int> (c.mode) << " x " << c.x);
		slider->setSliderMode (c.mode);
		setValue (0.505f);
		EXPECT_EQ (down (c.x), c.result);
		EXPECT_FLOAT_EQ (slider->getValue (), c.value);
		EXPECT_EQ (listener.kinds (), c.events);
		up ();
		EXPECT_FALSE (slider->isEditing ());
		EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
	}
}

TEST_F (SliderInteraction, TSFreeClickGrabKeepsTheOffsetWhileDragging)
{
	EXPECT_EQ (down (65), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.5f);
	EXPECT_EQ (move (75), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.6f);
	// The handle moved by exactly the pointer's 10 px.
	EXPECT_DOUBLE_EQ (slider->calculateHandleRect (slider->getValueNormalized ()).left, 70);
	move (500);
	EXPECT_FLOAT_EQ (slider->getValue (), 1.f);
	EXPECT_EQ (up (), kMouseEventHandled);
	EXPECT_EQ (listener.kinds (), "bvvve");
	EXPECT_FLOAT_EQ (listener.events.back ().value, 1.f);
}

TEST_F (SliderInteraction, TSFreeClickBesideTheHandleCentresItUnderThePointer)
{
	down (100);
	// Leading edge at P - S / 2 + 1.
	EXPECT_DOUBLE_EQ (slider->calculateHandleRect (slider->getValueNormalized ()).left, 91);
	move (110);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.91f);
	up ();
}

TEST_F (SliderInteraction, VerticalSliderTSFreeClick)
{
	makeVertical ();
	// 1 - 0.505 puts the handle's top at y 10 + 49 = 59.
	EXPECT_EQ (down (10, kL, 65), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.51f);
	move (10, kL, 55);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.61f);
	up ();

	setValue (0.505f);
	down (10, kL, 100);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.19f);
	up ();
}

TEST_F (SliderInteraction, ReversedHorizontalSliderRunsAgainstTheCoordinate)
{
	makeHorizontal (kRight);
	// 1 - 0.505: handle at x 10 + 49 = 59..79; a click at x 100 centres it there.
	down (100);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.19f);
	move (90);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.29f);
	up ();
}

TEST_F (SliderInteraction, RelativeTouchDragMovesRelativeToTheStart)
{
	slider->setSliderMode (CSliderMode::RelativeTouch);
	down (100);
	move (120);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.7f);
	up ();
}

TEST_F (SliderInteraction, OnlyTheLeftButtonStartsADrag)
{
	EXPECT_EQ (down (100, kRButton), kMouseEventNotHandled);
	EXPECT_EQ (listener.kinds (), "");
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	// Moves without an open edit, or with another button, are refused.
	EXPECT_EQ (move (100), kMouseEventNotHandled);
	down (100);
	EXPECT_EQ (move (110, kL | kRButton), kMouseEventNotHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.81f);
	up ();
}

TEST_F (SliderInteraction, DownWithASecondButtonStillGetsTheUpThatEndsTheEdit)
{
	// The drag refuses to move with two buttons, but the edit it opened must be closed
	// by the mouse-up, so the down must ask for it.
	EXPECT_EQ (down (100, kL | kRButton), kMouseEventHandled);
	EXPECT_TRUE (slider->isEditing ());
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	up ();
	EXPECT_FALSE (slider->isEditing ());
	EXPECT_EQ (listener.kinds (), "be");
}

TEST_F (SliderInteraction, ADownDuringADragEndsTheDragWithItsValue)
{
	// A down that reaches the slider while its drag is open (here with a second button,
	// as a frame passes it on) ends the drag's edit with the dragged value; the new
	// gesture opens an edit of its own, which its up closes.
	down (100);
	move (60);
	ASSERT_FLOAT_EQ (slider->getValue (), 0.41f);
	EXPECT_EQ (down (60, kL | kRButton), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.41f);
	EXPECT_EQ (listener.kinds (), "bvveb");
	EXPECT_FLOAT_EQ (listener.events[3].value, 0.41f);
	up ();
	EXPECT_FALSE (slider->isEditing ());
	EXPECT_EQ (listener.kinds (), "bvvebe");
	EXPECT_FLOAT_EQ (slider->getValue (), 0.41f);
}

// The editor's gain sliders: a 40 x 105 track with a 30 x 15 handle inset by (5, 2), so
// the handle's leading edge travels 86 px; the horizontal variants are the same turned
// by a quarter. Whole pixels of an 86 px travel are values that single precision cannot
// hold exactly, so a click that settles the value on its pixel must not land it on the
// neighbouring one.
struct HandleClickGeometry
{
	const char* name;
	int32_t style;
};

void PrintTo (const HandleClickGeometry& g, std::ostream* os) { *os << g.name; }

class SliderHandleClicks : public ::testing::TestWithParam<HandleClickGeometry>
{
protected:
	void SetUp () override
	{
		const bool horizontal = (GetParam ().style & kHorizontal) != 0;
		handle = makeOwned<CBitmap> (horizontal ? 15 : 30, horizontal ? 30 : 15);
		// Built the way the UI description's slider creator builds it.
		slider = makeOwned<CSlider> (CRect (), &listener, 11, 0, 0, handle, nullptr, CPoint (),
		                             GetParam ().style);
		slider->setOffsetHandle (horizontal ? CPoint (2, 5) : CPoint (5, 2));
		slider->setViewSize (horizontal ? CRect (56, 28, 161, 68) : CRect (28, 56, 68, 161));
		ASSERT_DOUBLE_EQ (slider->getHandleRangePrivate (), 86.);
	}
	bool horizontal () const { return slider->isStyleHorizontal (); }
	// The handle's drawn leading edge.
	CCoord drawnEdge () const
	{
		const CRect r = slider->calculateHandleRect (slider->getValueNormalized ());
		return horizontal () ? r.left : r.top;
	}
	// A click without moving, at `along` pixels into the handle and across its middle.
	void clickOnHandle (CCoord along)
	{
		const CRect r = slider->calculateHandleRect (slider->getValueNormalized ());
		CPoint p = horizontal () ? CPoint (r.left + along, r.top + 15)
		                         : CPoint (r.left + 15, r.top + along);
		ASSERT_TRUE (r.pointInside (p));
		ASSERT_EQ (slider->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
		slider->onMouseUp (p, CButtonState (kLButton));
		ASSERT_FALSE (slider->isEditing ());
	}

	RecordingListener listener;
	SharedPointer<CBitmap> handle;
	SharedPointer<CSlider> slider;
};

TEST_P (SliderHandleClicks, TenClicksOnTheHandleChangeTheValueAtMostOnce)
{
	// Set by the host, the gain of 1.9 dB (of -16..16), the ends and the middle, one value
	// at the start and in the middle of each pixel, and a sweep.
	std::vector<float> starts {0.8123f, (1.9f + 16.f) / 32.f, 0.f, 1.f, 0.5f};
	for (int k = 0; k <= 86; ++k)
	{
		starts.push_back (static_cast<float> (k) / 86.f);
		starts.push_back ((static_cast<float> (k) + 0.5f) / 86.f);
	}
	for (int i = 0; i <= 1000; ++i)
		starts.push_back (static_cast<float> (i) / 1000.f);

	struct Setting
	{
		CSliderMode mode;
		float min, max; // normalized as the editor binds it, or in dB
	};
	std::vector<Setting> settings;
	for (const auto mode : {CSliderMode::TSFreeClick, CSliderMode::Touch,
	                        CSliderMode::RelativeTouch, CSliderMode::Ramp})
	{
		settings.push_back ({mode, 0.f, 1.f});
		settings.push_back ({mode, -16.f, 16.f});
	}
	// Where on the handle the click lands: its first pixel, its middle, its last pixel,
	// and a point no binary fraction reaches.
	const CCoord alongs[] = {0., 7.5, 14., 3.3};

	int failures = 0;
	for (const auto& setting : settings)
	{
		slider->setSliderMode (setting.mode);
		slider->setMin (setting.min);
		slider->setMax (setting.max);
		for (const float start : starts)
		{
			for (const CCoord along : alongs)
			{
				slider->setValue (setting.min + start * (setting.max - setting.min));
				const CCoord edgeBefore = drawnEdge ();
				clickOnHandle (along);
				// The first click may settle the value on the handle's pixel, but the
				// handle does not jump.
				const float settled = slider->getValue ();
				const CCoord edgeSettled = drawnEdge ();
				listener.clear ();
				for (int i = 1; i < 10; ++i)
					clickOnHandle (along);
				const bool held = slider->getValue () == settled && edgeSettled == edgeBefore &&
				                  listener.count ('v') == 0;
				EXPECT_TRUE (held) << "mode " << static_cast<int> (setting.mode) << ", range "
				                   << setting.min << ".." << setting.max << ", start " << start
				                   << ", " << along << " px into the handle: edge " << edgeBefore
				                   << " -> " << edgeSettled << " -> " << drawnEdge () << ", value "
				                   << settled << " -> " << slider->getValue ();
				if (!held && ++failures == 5)
					return;
			}
		}
	}
}

// A drag that moves the handle by whole pixels leaves it drawn exactly under the grab.
TEST_P (SliderHandleClicks, ADragDrawsTheHandleWhereThePointerPutIt)
{
	// The handle at the start of its travel, the top or left end.
	slider->setValue (slider->isStyleRight () || slider->isStyleBottom () ? 1.f : 0.f);
	const CRect r = slider->calculateHandleRect (slider->getValueNormalized ());
	CPoint p = r.getTopLeft () + CPoint (3, 3);
	const CCoord grabOffset = 3.;
	slider->onMouseDown (p, CButtonState (kLButton));
	for (int k = 0; k <= 86; ++k)
	{
		const CCoord edge = (horizontal () ? r.left : r.top) + k;
		(horizontal () ? p.x : p.y) = edge + grabOffset;
		slider->onMouseMoved (p, CButtonState (kLButton));
		EXPECT_EQ (drawnEdge (), edge) << "pixel " << k << ", value " << slider->getValue ();
	}
	slider->onMouseUp (p, CButtonState (kLButton));
}

const HandleClickGeometry kHandleClickGeometries[] = {
    {"VerticalBottom", kVertical | kBottom},
    {"VerticalTop", kVertical | kTop},
    {"HorizontalLeft", kHorizontal | kLeft},
    {"HorizontalRight", kHorizontal | kRight},
};

INSTANTIATE_TEST_SUITE_P (Orientations, SliderHandleClicks, ::testing::ValuesIn (kHandleClickGeometries),
                          [] (const ::testing::TestParamInfo<HandleClickGeometry>& info) {
	                          return std::string (info.param.name);
                          });

struct DefaultClickCase
{
	CSliderMode mode;
	CCoord x;
	int32_t buttons;
	CMouseEventResult result;
	float value;
	const char* events;
};

TEST_F (SliderInteraction, OptionClickResetsToTheDefault)
{
	constexpr auto kDone = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	const DefaultClickCase cases[] = {
	    {CSliderMode::TSFreeClick, 100, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::TSFreeClick, 65, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::FreeClick, 100, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::Ramp, 100, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::Touch, 65, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::RelativeTouch, 65, kL | kAlt, kDone, 0.25f, "bve"},
	    {CSliderMode::TSFreeClick, 100, kL | kAlt | kDoubleClick, kDone, 0.25f, "bve"},
	    // Not the gesture: clicks off the handle in the touch modes ...
	    {CSliderMode::Touch, 100, kL | kAlt, kDone, 0.505f, ""},
	    {CSliderMode::RelativeTouch, 100, kL | kAlt, kMouseEventHandled, 0.5f, "bv"},
	    // ... or another modifier or button as well.
	    {CSliderMode::TSFreeClick, 100, kL | kAlt | kControl, kMouseEventHandled, 0.81f, "bv"},
	    {CSliderMode::TSFreeClick, 100, kL | kApple, kMouseEventHandled, 0.81f, "bv"},
	    {CSliderMode::TSFreeClick, 100, kL | kControl, kMouseEventHandled, 0.81f, "bv"},
	    {CSliderMode::TSFreeClick, 100, kL | kAlt | kRButton, kMouseEventHandled, 0.505f, "b"},
	    // Shift makes it a fine drag that has not moved yet.
	    {CSliderMode::TSFreeClick, 100, kL | kAlt | kShift, kMouseEventHandled, 0.505f, "b"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (::testing::Message () << "mode " << static_cast<int> (c.mode) << " x " << c.x
		                                    << " buttons " << c.buttons);
		slider->setSliderMode (c.mode);
		setValue (0.505f);
		EXPECT_EQ (down (c.x, c.buttons), c.result);
		EXPECT_FLOAT_EQ (slider->getValue (), c.value);
		EXPECT_EQ (listener.kinds (), c.events);
		if (std::string (c.events) == "bve")
		{
			EXPECT_FLOAT_EQ (listener.events[1].value, 0.25f);
		}
		up ();
		EXPECT_FALSE (slider->isEditing ());
	}
}

TEST_F (SliderInteraction, OptionClickAtTheDefaultTakesTheGestureAndSendsNothing)
{
	setValue (0.25f);
	EXPECT_EQ (down (100, kL | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.25f);
	EXPECT_EQ (listener.kinds (), "");
	EXPECT_FALSE (slider->isEditing ());
}

TEST_F (SliderInteraction, ShiftDragIsFineFromTheFirstMove)
{
	const float zoom = slider->getZoomFactor ();
	EXPECT_EQ (down (65, kL | kShift), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	// Unzoomed the pointer at 75 would mean 0.6; zoomed around the first move's value.
	move (75, kL | kShift);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f + (0.6f - 0.505f) / zoom);
	move (85, kL | kShift);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f + (0.7f - 0.505f) / zoom);
	// Releasing Shift goes straight back to the value under the pointer.
	move (85);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.7f);
	up ();
}

TEST_F (SliderInteraction, ShiftPressedMidDragAnchorsAtTheCurrentValue)
{
	slider->setZoomFactor (4.f);
	down (65);
	move (75);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.6f);
	move (85, kL | kShift);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.6f + 0.1f / 4.f);
	move (105, kL | kShift);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.6f + 0.3f / 4.f);
	up ();
}

TEST_F (SliderInteraction, CancelRestoresTheValueOfTheMouseDown)
{
	down (100);
	move (120);
	EXPECT_EQ (slider->onMouseCancel (), kMouseEventHandled);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	EXPECT_FALSE (slider->isEditing ());
	EXPECT_EQ (listener.kinds (), "bvvve");
	EXPECT_FLOAT_EQ (listener.events[3].value, 0.505f);
	// Nothing open: nothing happens.
	EXPECT_EQ (slider->onMouseCancel (), kMouseEventHandled);
	EXPECT_EQ (listener.kinds (), "bvvve");
}

TEST_F (SliderInteraction, EscapeCancelsAnOpenDragOnly)
{
	EXPECT_EQ (key (VKEY_ESCAPE), -1);
	down (100);
	EXPECT_EQ (key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	EXPECT_FALSE (slider->isEditing ());
	EXPECT_EQ (listener.kinds (), "bvve");
	EXPECT_EQ (key (VKEY_ESCAPE), -1);
}

TEST_F (SliderInteraction, EscapeDuringAWheelEditRestoresTheValueBeforeTheWheel)
{
	// A slider that was never clicked: the wheel edit's own start value is restored.
	makeVertical ();
	wheel (1.f, kMouseWheelAxisY);
	wheel (1.f, kMouseWheelAxisY);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.705f);
	EXPECT_EQ (key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	EXPECT_FALSE (slider->isEditing ());
	RunLoop::instance ().advance (1000);
	EXPECT_EQ (listener.kinds (), "bvvve");
}

struct RampFixture : SliderInteraction
{
	void SetUp () override
	{
		SliderInteraction::SetUp ();
		slider->setSliderMode (CSliderMode::Ramp);
		setValue (0.2f); // handle at x 30..50
	}
};

TEST_F (RampFixture, StepsTowardThePointerAndSnapsWhenItPassesIt)
{
	EXPECT_EQ (down (100), kMouseEventHandled);
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers + 1);
	RunLoop::instance ().advance (15);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.2f);
	RunLoop::instance ().advance (1);
	EXPECT_NEAR (slider->getValue (), 0.21f, 1e-6);
	RunLoop::instance ().advance (16 * 9);
	EXPECT_NEAR (slider->getValue (), 0.30f, 1e-5);

	// Passing the pointer: the value is the pointer's free-click value exactly.
	RunLoop::instance ().advance (16 * 100);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.81f);
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
	// From here on the drag places the handle as a free click does.
	move (60);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.41f);
	up ();
	EXPECT_EQ (listener.count ('b'), 1);
	EXPECT_EQ (listener.count ('e'), 1);
}

// A ramp step that lands exactly on the pointer's value has not passed it: the ramp runs
// one more step, which turns back, passes the pointer and snaps to it. The pointer here
// also lies exactly on the handle's centre, which steps a horizontal slider up and a
// vertical one down.
TEST_F (RampFixture, AStepLandingExactlyOnThePointerRampsOnceMoreThenSnaps)
{
	struct Case
	{
		bool vertical;
		float start;
		CPoint down, pointer;
		float landed;
		CPoint dragTo;
		float dragged;
	};
	const Case cases[] = {
	    // Handle at x 40..60 (centre 50); (50 - 19) / 100 = 0.3 + 0.01.
	    {false, 0.3f, CPoint (100, 10), CPoint (50, 10), 0.31f, CPoint (60, 10), 0.41f},
	    // Minimum at the bottom, handle at y 90..110 (centre 100); 1 - (100 - 19) / 100 = 0.2 - 0.01.
	    {true, 0.2f, CPoint (10, 20), CPoint (10, 100), 0.19f, CPoint (10, 60), 0.59f},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.vertical ? "vertical" : "horizontal");
		c.vertical ? makeVertical () : makeHorizontal ();
		slider->setSliderMode (CSliderMode::Ramp);
		setValue (c.start);
		down (c.down.x, kL, c.down.y);
		move (c.pointer.x, kL, c.pointer.y);

		RunLoop::instance ().advance (16);
		EXPECT_EQ (slider->getValue (), c.landed);
		EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers + 1) << "stopped on landing";
		RunLoop::instance ().advance (16);
		EXPECT_EQ (slider->getValue (), c.landed);
		EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
		// Snapped: the drag now places the handle as a free click does.
		move (c.dragTo.x, kL, c.dragTo.y);
		EXPECT_FLOAT_EQ (slider->getValue (), c.dragged);
		up ();
	}
}

TEST_F (RampFixture, MovingThePointerRetargetsTheRamp)
{
	down (100);
	RunLoop::instance ().advance (16 * 5);
	EXPECT_NEAR (slider->getValue (), 0.25f, 1e-5);
	EXPECT_EQ (move (20), kMouseEventHandled);
	EXPECT_NEAR (slider->getValue (), 0.25f, 1e-5);
	RunLoop::instance ().advance (16);
	EXPECT_NEAR (slider->getValue (), 0.24f, 1e-5);
	RunLoop::instance ().advance (16 * 100);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.01f);
	up ();
}

TEST_F (RampFixture, ReleasingStopsTheRampWhereItIs)
{
	down (100);
	RunLoop::instance ().advance (16 * 3);
	up ();
	const float v = slider->getValue ();
	RunLoop::instance ().advance (16 * 10);
	EXPECT_FLOAT_EQ (slider->getValue (), v);
	EXPECT_EQ (listener.kinds ().back (), 'e');
}

TEST_F (RampFixture, ReversedVerticalSliderRampsTowardThePointerToo)
{
	makeVertical (kTop);
	slider->setSliderMode (CSliderMode::Ramp);
	setValue (0.2f); // minimum at the top: handle at y 30..50
	down (10, kL, 100);
	RunLoop::instance ().advance (16);
	EXPECT_NEAR (slider->getValue (), 0.21f, 1e-6);
	RunLoop::instance ().advance (16 * 100);
	EXPECT_FLOAT_EQ (slider->getValue (), 0.81f);
	up ();
}

TEST_F (RampFixture, DestroyingTheSliderStopsItsRamp)
{
	down (100);
	slider = nullptr;
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
	RunLoop::instance ().advance (16 * 10);
}

TEST_F (RampFixture, ACopyMadeDuringARampDoesNotRamp)
{
	down (100);
	RunLoop::instance ().advance (16);
	auto copy = owned (static_cast<CSlider*> (slider->newCopy ()));
	const float copied = copy->getValue ();
	slider = nullptr;
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
	RunLoop::instance ().advance (16 * 10);
	EXPECT_FLOAT_EQ (copy->getValue (), copied);
}

TEST_F (RampFixture, AListenerMayDropTheSliderDuringARampStep)
{
	struct Dropper : IControlListener
	{
		SharedPointer<CSlider>* holder {nullptr};
		void valueChanged (CControl*) override { *holder = nullptr; }
	} dropper;
	dropper.holder = &slider;
	slider->setListener (&dropper);
	down (100);
	RunLoop::instance ().advance (16);
	EXPECT_FALSE (slider);
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);
	RunLoop::instance ().advance (16 * 10);
}

struct WheelCase
{
	bool vertical;
	int32_t style;
	CMouseWheelAxis axis;
	float distance;
	int32_t buttons;
	bool result;
	float value;
};

TEST_F (SliderInteraction, WheelStepsAlongTheSlidersOwnAxis)
{
	const WheelCase cases[] = {
	    {true, kBottom, kMouseWheelAxisY, 1.f, 0, true, 0.6f},
	    {true, kBottom, kMouseWheelAxisY, -1.f, 0, true, 0.4f},
	    {true, kTop, kMouseWheelAxisY, 1.f, 0, true, 0.4f},
	    {true, kBottom, kMouseWheelAxisY, 1.f, kShift, true, 0.51f},
	    {true, kBottom, kMouseWheelAxisX, 1.f, 0, false, 0.5f},
	    {false, kLeft, kMouseWheelAxisX, 1.f, 0, true, 0.4f},
	    {false, kRight, kMouseWheelAxisX, 1.f, 0, true, 0.6f},
	    {false, kLeft, kMouseWheelAxisX, -1.f, kShift, true, 0.51f},
	    {false, kLeft, kMouseWheelAxisY, 1.f, 0, false, 0.5f},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (::testing::Message () << (c.vertical ? "vertical " : "horizontal ") << c.style
		                                    << " axis " << c.axis << " distance " << c.distance);
		c.vertical ? makeVertical (c.style) : makeHorizontal (c.style);
		setValue (0.5f);
		EXPECT_EQ (wheel (c.distance, c.axis, c.buttons), c.result);
		EXPECT_FLOAT_EQ (slider->getValue (), c.value);
		EXPECT_EQ (slider->isEditing (), c.result);
		RunLoop::instance ().advance (500);
		EXPECT_FALSE (slider->isEditing ());
	}
}

TEST_F (SliderInteraction, WheelEditEndsHalfASecondAfterTheLastStep)
{
	makeVertical ();
	wheel (1.f, kMouseWheelAxisY);
	RunLoop::instance ().advance (300);
	wheel (1.f, kMouseWheelAxisY);
	RunLoop::instance ().advance (499);
	EXPECT_TRUE (slider->isEditing ());
	RunLoop::instance ().advance (1);
	EXPECT_FALSE (slider->isEditing ());
	EXPECT_EQ (listener.kinds (), "bvve");

	// At the top the wheel still answers true but changes nothing.
	setValue (1.f);
	EXPECT_TRUE (wheel (1.f, kMouseWheelAxisY));
	EXPECT_EQ (listener.kinds (), "b");
	RunLoop::instance ().advance (500);
}

TEST_F (SliderInteraction, MouseDownEndsAPendingWheelEdit)
{
	wheel (-1.f, kMouseWheelAxisX);
	EXPECT_TRUE (slider->isEditing ());
	down (100);
	EXPECT_EQ (listener.kinds (), "bvebv");
	up ();
	RunLoop::instance ().advance (1000);
	EXPECT_EQ (listener.kinds (), "bvebve");
}

TEST_F (SliderInteraction, WheelIsIgnoredWhenTheMouseIsDisabled)
{
	slider->setMouseEnabled (false);
	EXPECT_FALSE (wheel (-1.f, kMouseWheelAxisX));
	EXPECT_FLOAT_EQ (slider->getValue (), 0.505f);
	EXPECT_EQ (listener.kinds (), "");
}

struct KeyCase
{
	bool vertical;
	int32_t style;
	unsigned char virt;
	unsigned char modifier;
	float value;
};

TEST_F (SliderInteraction, ArrowKeysStepAndEachPressIsOneEdit)
{
	const KeyCase cases[] = {
	    {false, kLeft, VKEY_UP, 0, 0.6f},
	    {false, kLeft, VKEY_RIGHT, 0, 0.6f},
	    {false, kLeft, VKEY_DOWN, 0, 0.4f},
	    {false, kLeft, VKEY_LEFT, 0, 0.4f},
	    {false, kRight, VKEY_UP, 0, 0.4f},
	    {false, kRight, VKEY_LEFT, 0, 0.6f},
	    {true, kBottom, VKEY_UP, 0, 0.6f},
	    {true, kBottom, VKEY_LEFT, 0, 0.4f},
	    {true, kTop, VKEY_UP, 0, 0.4f},
	    {true, kTop, VKEY_DOWN, 0, 0.6f},
	    {false, kLeft, VKEY_UP, MODIFIER_SHIFT, 0.51f},
	    {true, kBottom, VKEY_DOWN, MODIFIER_SHIFT, 0.49f},
	    // Command and Option do not make the step fine.
	    {false, kLeft, VKEY_UP, MODIFIER_COMMAND | MODIFIER_ALTERNATE, 0.6f},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (::testing::Message () << (c.vertical ? "vertical " : "horizontal ") << c.style
		                                    << " key " << int (c.virt));
		c.vertical ? makeVertical (c.style) : makeHorizontal (c.style);
		setValue (0.5f);
		EXPECT_EQ (key (c.virt, c.modifier), 1);
		EXPECT_FLOAT_EQ (slider->getValue (), c.value);
		EXPECT_EQ (listener.kinds (), "bve");
		EXPECT_FALSE (slider->isEditing ());
		EXPECT_EQ (probe->invalidCount, 1); // the handle is redrawn at its new place
	}
}

TEST_F (SliderInteraction, KeysThatChangeNothingSendNothing)
{
	setValue (1.f);
	EXPECT_EQ (key (VKEY_UP), 1);
	EXPECT_EQ (key (VKEY_RETURN), -1);
	EXPECT_EQ (key (VKEY_SPACE), -1);
	EXPECT_EQ (listener.kinds (), "");
	EXPECT_FLOAT_EQ (slider->getValue (), 1.f);
	EXPECT_EQ (probe->invalidCount, 0);
}

// Through a frame, which sends moves and the up only to a view that handled the down.
TEST (SliderInFrame, EveryEditOpenedByAClickIsClosedByTheUp)
{
	RecordingListener listener;
	auto* frame = new CFrame (CRect (0, 0, 200, 100), nullptr);
	auto handle = makeOwned<CBitmap> (20, 20);
	auto* s = new CSlider (CRect (10, 40, 130, 60), &listener, 1, 10, 110, handle, nullptr);
	frame->addView (s);
	s->setValue (0.2f);

	// TS free click beside the handle: the handle centres under the pointer at once.
	CPoint p (100, 50);
	EXPECT_EQ (frame->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	EXPECT_FLOAT_EQ (s->getValue (), 0.81f);
	CPoint q (60, 50);
	frame->onMouseMoved (q, CButtonState (kLButton));
	EXPECT_FLOAT_EQ (s->getValue (), 0.41f);
	frame->onMouseUp (q, CButtonState (kLButton));
	EXPECT_FALSE (s->isEditing ());
	EXPECT_EQ (listener.kinds (), "bvve");

	// With a second button held the drag does not move, but its edit still ends.
	listener.clear ();
	CPoint r (100, 50);
	frame->onMouseDown (r, CButtonState (kLButton | kRButton));
	frame->onMouseUp (r, CButtonState (kLButton));
	EXPECT_FALSE (s->isEditing ());
	EXPECT_EQ (listener.kinds (), "be");
	frame->close ();
}

// A second button pressed during a drag belongs to the drag, wherever the pointer is: the
// dragged value stays, the drag's edit ends once, and no edit is left open.
TEST (SliderInFrame, ASecondButtonDuringADragKeepsTheDraggedValue)
{
	struct Case
	{
		const char* where;
		CCoord x, y;
	};
	const Case cases[] = {{"on the handle", 60, 50}, {"beside the handle", 110, 50}, {"off the slider", 150, 90}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.where);
		RecordingListener listener;
		auto* frame = new CFrame (CRect (0, 0, 200, 100), nullptr);
		auto* other = new CSlider (CRect (140, 80, 200, 100), &listener, 2, 140, 180, makeOwned<CBitmap> (20, 20), nullptr);
		auto* s = new CSlider (CRect (10, 40, 130, 60), &listener, 1, 10, 110, makeOwned<CBitmap> (20, 20), nullptr);
		frame->addView (other);
		frame->addView (s);
		s->setValue (0.2f);
		other->setValue (0.5f);

		CPoint p (100, 50);
		frame->onMouseDown (p, CButtonState (kLButton));
		p (60, 50);
		frame->onMouseMoved (p, CButtonState (kLButton));
		ASSERT_FLOAT_EQ (s->getValue (), 0.41f);

		p (c.x, c.y);
		frame->onMouseDown (p, CButtonState (kLButton | kRButton));
		EXPECT_FLOAT_EQ (s->getValue (), 0.41f);
		EXPECT_EQ (listener.count ('e'), 1);
		frame->onMouseMoved (p, CButtonState (kLButton | kRButton));
		frame->onMouseUp (p, CButtonState (kRButton));
		frame->onMouseMoved (p, CButtonState (kLButton));
		frame->onMouseUp (p, CButtonState (kLButton));
		EXPECT_FLOAT_EQ (s->getValue (), 0.41f);
		EXPECT_FALSE (s->isEditing ());
		EXPECT_EQ (listener.count ('b'), listener.count ('e'));
		EXPECT_EQ (frame->getMouseDownView (), nullptr);
		EXPECT_FLOAT_EQ (other->getValue (), 0.5f);
		frame->close ();
	}
}
