// End to end: the real controller opens its editor offscreen from the real
// "plug.uidesc"; clicks and drags on its controls reach a recording component handler,
// the host's parameter changes move the controls, and the about view answers its button.
// The band gains are vertical sliders whose cap lines up with the track's 0 dB mark.

#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"
#include "source/controls/cslider.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"
#include "../common/localerun.h"
#include "releasedrawingcaches.h"
#include "testhelpers.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/platform/resourcepath.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using ord3ltest::RecordingHandler;

namespace {

const auto* const kReleaseDrawingCaches =
    ::testing::AddGlobalTestEnvironment (new ord3ltest::ReleaseDrawingCaches);

const ParamID kAllTags[] = {kBypassId,        kLevelId,        kRangeId,         kGainLFId,       kFreqLFId,
                            kChanStatusLFId,  kGainMF1Id,      kFreqMF1Id,       kQMF1Id,         kChanStatusMF1Id,
                            kGainMF2Id,       kFreqMF2Id,      kQMF2Id,          kChanStatusMF2Id, kGainMF3Id,
                            kFreqMF3Id,       kQMF3Id,         kChanStatusMF3Id, kGainMF4Id,      kFreqMF4Id,
                            kQMF4Id,          kChanStatusMF4Id, kGainHFId,       kFreqHFId,       kChanStatusHFId};

const ParamID kGainTags[] = {kGainLFId, kGainMF1Id, kGainMF2Id, kGainMF3Id, kGainMF4Id, kGainHFId};

/** The row of a bitmap's column x whose pixel comes closest to the accent colour
    #f0a830 among the clearly visible ones; -1 when none is near it. */
int accentRow (const CBitmap& bitmap, int32_t x)
{
	int best = -1;
	int bestDistance = 60;
	for (int32_t y = 0; y < static_cast<int32_t> (bitmap.getHeight ()); ++y)
	{
		CColor c;
		if (!bitmap.getPixel (x, y, c) || c.alpha < 128)
			continue;
		const int distance = std::abs (c.red - 0xf0) + std::abs (c.green - 0xa8) + std::abs (c.blue - 0x30);
		if (distance < bestDistance)
		{
			bestDistance = distance;
			best = y;
		}
	}
	return best;
}

class EditorTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		setResourcePath (ORD3L_RESOURCE_DIR);
		controller = new PlugController ();
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		handler = new RecordingHandler ();
		controller->setComponentHandler (handler);

		auto stream = Steinberg::owned (new MemoryStream ());
		PlugState record = makeInitialPlugState ();
		writePlugState (&record, stream);
		stream->seek (0, IBStream::kIBSeekSet, nullptr);
		ASSERT_EQ (controller->setComponentState (stream), kResultOk);

		view = controller->createView (ViewType::kEditor);
		ASSERT_NE (view, nullptr);
		editor = dynamic_cast<VST3Editor*> (view);
		ASSERT_NE (editor, nullptr);
		ASSERT_TRUE (editor->openOffscreen ()) << editor->getLastError ();
		frame = editor->getFrame ();
		ASSERT_NE (frame, nullptr);
	}

	void TearDown () override
	{
		if (editor && editor->isOpen ())
			editor->close ();
		if (view)
			view->release ();
		EXPECT_TRUE (controller->getAboutControllers ().empty ());
		controller->terminate ();
		controller->release ();
		handler->release ();
	}

	template <typename T>
	std::vector<T*> views ()
	{
		std::vector<T*> result;
		frame->getChildViewsOfType<T> (result, true);
		return result;
	}

	/** The first control of type T bound to tag. */
	template <typename T>
	T* control (ParamID tag)
	{
		for (T* c : views<T> ())
			if (c->getTag () == static_cast<int32_t> (tag))
				return c;
		return nullptr;
	}

	/** The centre of a view, in frame coordinates. */
	static CPoint centre (CView* v)
	{
		CPoint p = v->getViewSize ().getCenter ();
		return v->localToFrame (p);
	}

	void click (CView* v, int32_t modifiers = 0)
	{
		CPoint p = centre (v);
		frame->onMouseDown (p, CButtonState (kLButton | modifiers));
		p = centre (v);
		frame->onMouseUp (p, CButtonState (kLButton | modifiers));
	}

	PlugController* controller {nullptr};
	RecordingHandler* handler {nullptr};
	IPlugView* view {nullptr};
	VST3Editor* editor {nullptr};
	CFrame* frame {nullptr};
};

} // namespace

TEST_F (EditorTest, EveryParameterHasAControlAndTheBandsAreNamed)
{
	EXPECT_EQ (frame->getViewSize ().getWidth (), 860);
	EXPECT_EQ (frame->getViewSize ().getHeight (), 420);
	for (ParamID tag : kAllTags)
		EXPECT_GE (editor->getBoundControlCount (tag), 1u) << "tag " << tag;
	EXPECT_EQ (editor->getBoundControlCount (kQLFId), 0u);
	EXPECT_EQ (editor->getBoundControlCount (kQHFId), 0u);

	std::set<std::string> titles;
	for (CTextLabel* label : views<CTextLabel> ())
		titles.insert (label->getText ().getString ());
	for (const char* name : {"LF", "MF1", "MF2", "MF3", "MF4", "HF", "OUTPUT"})
		EXPECT_EQ (titles.count (name), 1u) << name;

	// Switches are on/off buttons, frequencies, Q, Level and Range knobs.
	for (ParamID tag : {kBypassId, kChanStatusLFId, kChanStatusMF2Id, kChanStatusHFId})
		EXPECT_NE (control<COnOffButton> (tag), nullptr) << tag;
	for (ParamID tag : {kLevelId, kRangeId, kFreqLFId, kQMF1Id, kFreqHFId, kQMF4Id})
		EXPECT_NE (control<CKnobBase> (tag), nullptr) << tag;

	// The band gains are vertical sliders, maximum at the top, in the global mode (which
	// is "TS free click"), with their images, at the parameter's 0 dB default.
	for (ParamID tag : kGainTags)
	{
		SCOPED_TRACE (tag);
		EXPECT_EQ (control<CKnobBase> (tag), nullptr);
		CSlider* slider = control<CSlider> (tag);
		ASSERT_NE (slider, nullptr);
		EXPECT_EQ (slider->getStyle () & (kHorizontal | kVertical | kTop | kBottom), kVertical | kBottom);
		EXPECT_EQ (slider->getSliderMode (), CSliderMode::UseGlobal);
		EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::TSFreeClick);
		ASSERT_NE (slider->getHandle (), nullptr);
		EXPECT_TRUE (slider->getHandle ()->isLoaded ());
		ASSERT_NE (slider->getBackground (), nullptr);
		EXPECT_TRUE (slider->getBackground ()->isLoaded ());
		const double defaultNorm = controller->getParameterObject (tag)->getInfo ().defaultNormalizedValue;
		EXPECT_DOUBLE_EQ (defaultNorm, 0.5);
		EXPECT_FLOAT_EQ (slider->getDefaultValue (),
		                 slider->getMin () + static_cast<float> (defaultNorm) * slider->getRange ());
		EXPECT_EQ (slider->getValueNormalized (), 0.5f);
		EXPECT_EQ (control<CTextLabel> (tag)->getText (), "0.0");
	}

	// The controls show the state the controller was given: every band on, bypass off.
	EXPECT_EQ (control<COnOffButton> (kChanStatusMF1Id)->getValueNormalized (), 1.f);
	EXPECT_EQ (control<COnOffButton> (kBypassId)->getValueNormalized (), 0.f);
	EXPECT_FLOAT_EQ (control<CKnobBase> (kLevelId)->getValueNormalized (), 0.75f);
	EXPECT_EQ (control<CTextLabel> (kLevelId)->getText (), "0.0");
	EXPECT_EQ (control<CTextLabel> (kFreqHFId)->getText (), "3000");
	EXPECT_EQ (control<CTextLabel> (kQMF2Id)->getText (), "3.20");

	// One about view, one about controller.
	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	EXPECT_TRUE (handler->events.empty ());
}

TEST_F (EditorTest, GainSliderCapsStayOnTheirTracksAndMeetTheZeroMark)
{
	for (ParamID tag : kGainTags)
	{
		SCOPED_TRACE (tag);
		CSlider* slider = control<CSlider> (tag);
		ASSERT_NE (slider, nullptr);
		const CRect view = slider->getViewSize ();
		ASSERT_GT (slider->getHandleRangePrivate (), 0.);

		// The cap stays inside the slider at both ends, the maximum at the top.
		const CRect top = slider->calculateHandleRect (1.f);
		const CRect bottom = slider->calculateHandleRect (0.f);
		EXPECT_GE (top.top, view.top);
		EXPECT_LE (bottom.bottom, view.bottom);
		EXPECT_LT (top.top, bottom.top);
		EXPECT_GE (top.left, view.left);
		EXPECT_LE (top.right, view.right);
		// The cap is centred on the slider, the slider on its band card.
		EXPECT_EQ (top.left - view.left, view.right - top.right);
		ASSERT_NE (slider->getParentView (), nullptr);
		EXPECT_EQ (view.left + view.right, slider->getParentView ()->getViewSize ().getWidth ());

		// At 0 dB the cap's accent line lies on the track's accent mark, which is read in a
		// column of the track's ticks, left of the groove.
		const CRect zero = slider->calculateHandleRect (0.5f);
		const int capRow = accentRow (*slider->getHandle (), static_cast<int32_t> (zero.getWidth () / 2));
		const int trackRow = accentRow (*slider->getBackground (), static_cast<int32_t> (view.getWidth () / 4));
		ASSERT_GE (capRow, 0);
		ASSERT_GE (trackRow, 0);
		EXPECT_EQ (zero.top - view.top + capRow, trackRow);
	}
}

TEST_F (EditorTest, ClickOnABandSwitchReachesTheHost)
{
	COnOffButton* button = control<COnOffButton> (kChanStatusMF2Id);
	ASSERT_NE (button, nullptr);
	click (button);

	ASSERT_EQ (handler->kinds (), "bpe");
	for (const auto& e : handler->events)
		EXPECT_EQ (e.tag, ParamID (kChanStatusMF2Id));
	EXPECT_EQ (handler->events[1].value, 0.0); // it was on
	EXPECT_EQ (controller->getParamNormalized (kChanStatusMF2Id), 0.0);

	handler->events.clear ();
	click (control<COnOffButton> (kBypassId));
	ASSERT_EQ (handler->kinds (), "bpe");
	EXPECT_EQ (handler->events[1].tag, ParamID (kBypassId));
	EXPECT_EQ (handler->events[1].value, 1.0);
}

TEST_F (EditorTest, ResettingASwitchGivesTheParametersDefault)
{
	// The band switches' default is on, Bypass's off: an Alt-click turns a band that is
	// off on, and leaves one that is on as it is.
	for (ParamID tag : {kChanStatusLFId, kChanStatusMF3Id, kChanStatusHFId})
	{
		SCOPED_TRACE (tag);
		COnOffButton* button = control<COnOffButton> (tag);
		ASSERT_NE (button, nullptr);
		EXPECT_EQ (button->getDefaultValue (), button->getMax ());
		ASSERT_EQ (controller->setParamNormalized (tag, 0.0), kResultOk);
		handler->events.clear ();
		click (button, kAlt);
		ASSERT_EQ (handler->kinds (), "bpe");
		EXPECT_EQ (handler->events[1].value, 1.0);
		EXPECT_EQ (controller->getParamNormalized (tag), 1.0);
		handler->events.clear ();
		click (button, kAlt);
		EXPECT_EQ (handler->kinds (), "");
		EXPECT_EQ (controller->getParamNormalized (tag), 1.0);
	}
	COnOffButton* bypass = control<COnOffButton> (kBypassId);
	ASSERT_NE (bypass, nullptr);
	EXPECT_EQ (bypass->getDefaultValue (), bypass->getMin ());
}

TEST_F (EditorTest, DraggingAKnobReachesTheHost)
{
	CKnobBase* knob = control<CKnobBase> (kFreqMF2Id);
	ASSERT_NE (knob, nullptr);
	ASSERT_EQ (frame->getKnobMode (), VSTGUI::kLinearMode);

	CPoint p = centre (knob);
	frame->onMouseDown (p, CButtonState (kLButton));
	for (int step = 1; step <= 5; ++step)
	{
		CPoint q (centre (knob).x, centre (knob).y - 10. * step); // 50 px up in all
		frame->onMouseMoved (q, CButtonState (kLButton));
	}
	CPoint q (centre (knob).x, centre (knob).y - 50.);
	frame->onMouseUp (q, CButtonState (kLButton));

	const std::string kinds = handler->kinds ();
	ASSERT_GE (kinds.size (), 3u);
	EXPECT_EQ (kinds.front (), 'b');
	EXPECT_EQ (kinds.back (), 'e');
	EXPECT_EQ (kinds.find ('b', 1), std::string::npos);
	for (const auto& e : handler->events)
		EXPECT_EQ (e.tag, ParamID (kFreqMF2Id));
	const auto& last = handler->events[handler->events.size () - 2];
	ASSERT_EQ (last.kind, 'p');
	// Linear mode: 200 px for the whole range, so 50 px up adds a quarter.
	EXPECT_NEAR (last.value, 0.75, 0.02);
	EXPECT_EQ (controller->getParamNormalized (kFreqMF2Id), last.value);
}

TEST_F (EditorTest, HostChangesMoveTheControls)
{
	ASSERT_EQ (controller->setParamNormalized (kFreqMF3Id, 0.8), kResultOk);
	ASSERT_EQ (controller->setParamNormalized (kBypassId, 1.0), kResultOk);
	ASSERT_EQ (controller->setParamNormalized (kChanStatusHFId, 0.0), kResultOk);
	EXPECT_FLOAT_EQ (control<CKnobBase> (kFreqMF3Id)->getValueNormalized (), 0.8f);
	EXPECT_EQ (control<COnOffButton> (kBypassId)->getValueNormalized (), 1.f);
	EXPECT_EQ (control<COnOffButton> (kChanStatusHFId)->getValueNormalized (), 0.f);
	// The value labels follow with the parameters' texts.
	EXPECT_EQ (control<CTextLabel> (kFreqMF3Id)->getText (), "4827");
	CSlider* gainLF = control<CSlider> (kGainLFId);
	const CRect capAtZero = gainLF->calculateHandleRect (gainLF->getValueNormalized ());
	ASSERT_EQ (controller->setParamNormalized (kGainLFId, 0.25), kResultOk);
	EXPECT_EQ (control<CTextLabel> (kGainLFId)->getText (), "-8.0");
	EXPECT_FLOAT_EQ (gainLF->getValueNormalized (), 0.25f);
	// -8 dB is a quarter of the travel below 0 dB.
	const CRect capAtMinus8 = gainLF->calculateHandleRect (gainLF->getValueNormalized ());
	EXPECT_NEAR (capAtMinus8.top - capAtZero.top, gainLF->getHandleRangePrivate () / 4., 1.);
	// Moves from the host are no edits.
	EXPECT_TRUE (handler->events.empty ());

	// A new state moves them too.
	PlugState record = makeInitialPlugState ();
	record.bands[kBandMF3].freqNorm = 0.125;
	auto stream = Steinberg::owned (new MemoryStream ());
	writePlugState (&record, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);
	EXPECT_FLOAT_EQ (control<CKnobBase> (kFreqMF3Id)->getValueNormalized (), 0.125f);
	EXPECT_EQ (control<COnOffButton> (kBypassId)->getValueNormalized (), 0.f);
}

TEST_F (EditorTest, AboutButtonShowsAndHidesTheLine)
{
	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	auto* about = controller->getAboutControllers ().front ();
	CTextLabel* label = about->getLabel ();
	COnOffButton* button = about->getButton ();
	ASSERT_NE (label, nullptr);
	ASSERT_NE (button, nullptr);
	EXPECT_EQ (label->getText (), "");

	click (button);
	EXPECT_EQ (label->getText ().getString (), "2.0.0, VST3 " + architectureText ());
	click (button);
	EXPECT_EQ (label->getText (), "");
	// The about button is bound to no parameter.
	EXPECT_TRUE (handler->events.empty ());
}

TEST_F (EditorTest, ReopeningMakesOneAboutControllerEachTime)
{
	editor->close ();
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
	ASSERT_TRUE (editor->openOffscreen ()) << editor->getLastError ();
	frame = editor->getFrame ();
	EXPECT_EQ (controller->getAboutControllers ().size (), 1u);

	// A second editor of the same controller has its own about controller.
	IPlugView* second = controller->createView (ViewType::kEditor);
	auto* secondEditor = dynamic_cast<VST3Editor*> (second);
	ASSERT_NE (secondEditor, nullptr);
	ASSERT_TRUE (secondEditor->openOffscreen ()) << secondEditor->getLastError ();
	EXPECT_EQ (controller->getAboutControllers ().size (), 2u);
	secondEditor->close ();
	second->release ();
	EXPECT_EQ (controller->getAboutControllers ().size (), 1u);
}

TEST_F (EditorTest, RendersToPNG)
{
	const std::string path = ::testing::TempDir () + localeRunFilePrefix () + "ord3l_editor_test.png";
	std::remove (path.c_str ());
	ASSERT_TRUE (editor->renderToPNG (path)) << editor->getLastError ();
	std::FILE* f = std::fopen (path.c_str (), "rb");
	ASSERT_NE (f, nullptr);
	unsigned char magic[8] = {};
	EXPECT_EQ (std::fread (magic, 1, 8, f), 8u);
	std::fclose (f);
	EXPECT_EQ (magic[1], 'P');
	EXPECT_EQ (magic[2], 'N');
	EXPECT_EQ (magic[3], 'G');
	std::remove (path.c_str ());
}
