// A slider that leaves the frame in the middle of an edit: the edit ends there, once,
// and none of the slider's timers moves it afterwards.
#include "slidertesthelpers.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/runloop.h"
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace SliderTest;

TEST (SliderRemoval, AnOpenRampDragOrWheelEditEndsWhenTheSliderLeavesAndNothingFollows)
{
	enum class Edit { kRampDrag, kWheel };
	for (Edit edit : {Edit::kRampDrag, Edit::kWheel})
	{
		SCOPED_TRACE (edit == Edit::kRampDrag ? "ramp drag" : "wheel");
		RunLoop::instance ().setManualClock (true);
		const size_t baseTimers = RunLoop::instance ().getTimerCount ();
		RecordingListener listener;
		{
			// A horizontal slider at x 10..130 of a container at (20, 20) in the frame;
			// the handle (20 px) travels 100 px, so 0.2 puts it at x 30..50.
			auto handle = makeOwned<CBitmap> (20, 20);
			CFrame* frame = new CFrame (CRect (0, 0, 200, 100), nullptr);
			auto* box = new CViewContainer (CRect (20, 20, 180, 60));
			frame->addView (box);
			auto* slider = new CSlider (CRect (10, 0, 130, 20), &listener, 7, 10, 110, handle, nullptr, CPoint (0, 0),
			                            kLeft | kHorizontal);
			slider->setSliderMode (CSliderMode::Ramp);
			slider->setValue (0.2f);
			box->addView (slider);
			SharedPointer<CSlider> keep (slider);

			CPoint p (20 + 100, 20 + 10); // off the handle, right of it
			if (edit == Edit::kRampDrag)
				frame->onMouseDown (p, kLButton);
			else
				frame->onWheel (p, kMouseWheelAxisX, -1.f, 0); // raises a horizontal slider
			RunLoop::instance ().advance (16 * 3);
			ASSERT_TRUE (slider->isEditing ());
			ASSERT_NE (slider->getValue (), 0.2f);
			const float reached = slider->getValue ();

			box->removeView (slider);
			EXPECT_FALSE (slider->isEditing ());
			EXPECT_EQ (listener.count ('b'), 1);
			EXPECT_EQ (listener.count ('e'), 1);
			EXPECT_EQ (listener.kinds ().back (), 'e');
			// The drag is cancelled (back to its start); the wheel edit keeps its value.
			EXPECT_FLOAT_EQ (slider->getValue (), edit == Edit::kRampDrag ? 0.2f : reached);
			EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers);

			const std::string logged = listener.kinds ();
			RunLoop::instance ().advance (1000);
			frame->onMouseMoved (p, kLButton);
			frame->onMouseUp (p, kLButton);
			EXPECT_EQ (listener.kinds (), logged);
			frame->close ();
		}
		RunLoop::instance ().setManualClock (false);
	}
}
