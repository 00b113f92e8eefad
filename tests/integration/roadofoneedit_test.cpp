// One edit from the mouse to the audio: a click on the MF2 gain slider of the editor
// that the real controller opens from the real "plug.uidesc" moves the slider, the
// controller passes begin / perform / end to the host (a recording component handler),
// the test plays the host and queues the performed value for the processor's next
// block, and that block comes out of both channels' MF2 sections at the new gain.

#include "hostparameterchanges.h"
#include "testableprocessor.h"
#include "releasedrawingcaches.h"
#include "testhelpers.h"

#include "source/controller/plugcontroller.h"
#include "source/controls/cslider.h"
#include "source/processor/dsp/peakingdesign.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/platform/resourcepath.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using ord3ltest::HostParameterChanges;
using ord3ltest::HostParamValueQueue;
using ord3ltest::RecordingHandler;
using ord3ltest::TestableProcessor;
using ord3ltest::TestBlock;

namespace {

const auto* const kReleaseDrawingCaches =
    ::testing::AddGlobalTestEnvironment (new ord3ltest::ReleaseDrawingCaches);

constexpr double kPi = 3.141592653589793;
constexpr double kSampleRate = 48000.0;
// Long enough for the MF2 section (about 250 Hz wide) to settle within the first half.
constexpr int32 kBlockSamples = 4096;
// The project's Range, 75 %: every band gain is designed at three quarters of its dB.
constexpr double kRangeNorm = 0.75;
// The MF2 centre at its default frequency: 799.9999999999999 Hz, designed in whole hertz.
constexpr double kToneHz = 799.0;
constexpr double kToneLeft = 0.5;
constexpr double kToneRight = 0.25;

constexpr int32_t kL = kLButton;

struct ChannelGains
{
	double leftDb;
	double rightDb;
};

/** Amplitude of the part of x[from, to) that is a sinusoid of angular frequency w per
    sample, by a least-squares fit of a·sin + b·cos: exact for any window length. */
template <typename Sample>
double toneAmplitude (const std::vector<Sample>& x, size_t from, size_t to, size_t blockStart, double w)
{
	double ss = 0., cc = 0., sc = 0., ys = 0., yc = 0.;
	for (size_t i = from; i < to; ++i)
	{
		const double phase = w * static_cast<double> (blockStart + i);
		const double s = std::sin (phase), c = std::cos (phase);
		ss += s * s;
		cc += c * c;
		sc += s * c;
		ys += x[i] * s;
		yc += x[i] * c;
	}
	const double det = ss * cc - sc * sc;
	const double a = (ys * cc - yc * sc) / det;
	const double b = (yc * ss - ys * sc) / det;
	return std::hypot (a, b);
}

class RoadOfOneEdit : public ::testing::Test
{
protected:
	void SetUp () override
	{
		setResourcePath (ORD3L_RESOURCE_DIR);

		// A project with Range at 75 % is loaded into both components, as a host does.
		PlugState project = makeInitialPlugState ();
		project.rangeNorm = kRangeNorm;
		auto stream = Steinberg::owned (new MemoryStream ());
		ASSERT_EQ (writePlugState (&project, stream), kResultOk);

		ASSERT_EQ (processor->start (kSampleRate, kBlockSamples), kResultOk);
		stream->seek (0, IBStream::kIBSeekSet, nullptr);
		ASSERT_EQ (processor->setState (stream), kResultOk);

		controller = new PlugController ();
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		handler = new RecordingHandler ();
		controller->setComponentHandler (handler);
		stream->seek (0, IBStream::kIBSeekSet, nullptr);
		ASSERT_EQ (controller->setComponentState (stream), kResultOk);

		view = controller->createView (ViewType::kEditor);
		editor = dynamic_cast<VST3Editor*> (view);
		ASSERT_NE (editor, nullptr);
		ASSERT_TRUE (editor->openOffscreen ()) << editor->getLastError ();
		frame = editor->getFrame ();

		std::vector<CSlider*> sliders;
		frame->getChildViewsOfType<CSlider> (sliders, true);
		for (CSlider* s : sliders)
			if (s->getTag () == static_cast<int32_t> (kGainMF2Id))
				slider = s;
		ASSERT_NE (slider, nullptr);
		std::vector<CTextLabel*> labels;
		frame->getChildViewsOfType<CTextLabel> (labels, true);
		for (CTextLabel* l : labels)
			if (l->getTag () == static_cast<int32_t> (kGainMF2Id))
				gainLabel = l;
		ASSERT_NE (gainLabel, nullptr);

		// The first block takes the loaded project: MF2 at 0 dB passes the tone unchanged.
		const ChannelGains flat = playTone (nullptr);
		ASSERT_EQ (processor->rangeFactor, kRangeNorm);
		ASSERT_EQ (processor->filterGainDb[kBandMF2], 0.0);
		ASSERT_NEAR (flat.leftDb, 0., 1e-4);
		ASSERT_NEAR (flat.rightDb, 0., 1e-4);
		ASSERT_EQ (slider->getValueNormalized (), 0.5f);
		capAtZeroDb = capRect ();
		ASSERT_TRUE (handler->events.empty ());
	}

	void TearDown () override
	{
		if (editor && editor->isOpen ())
			editor->close ();
		if (view)
			view->release ();
		if (controller)
		{
			controller->terminate ();
			controller->release ();
		}
		if (handler)
			handler->release ();
		processor->setActive (false);
		processor->terminate ();
	}

	/** The slider's cap where it is drawn now, in the slider's (parent) coordinates. */
	CRect capRect () const { return slider->calculateHandleRect (slider->getValueNormalized ()); }

	/** A point on the slider's centre line at height y (slider coordinates), in frame
	    coordinates. */
	CPoint at (CCoord y) const
	{
		CPoint p (slider->getViewSize ().getCenter ().x, y);
		return slider->localToFrame (p);
	}

	CMouseEventResult down (CCoord y, int32_t buttons = kL)
	{
		CPoint p = at (y);
		return frame->onMouseDown (p, CButtonState (buttons));
	}
	CMouseEventResult moveTo (CCoord y, int32_t buttons = kL)
	{
		CPoint p = at (y);
		return frame->onMouseMoved (p, CButtonState (buttons));
	}
	CMouseEventResult up (CCoord y, int32_t buttons = kL)
	{
		CPoint p = at (y);
		return frame->onMouseUp (p, CButtonState (buttons));
	}

	/** The host's part: every performed edit since `from` becomes a point of its tag's
	    queue, in the order the controller sent them, for the next block. */
	IPtr<HostParameterChanges> hostQueues (size_t from = 0) const
	{
		auto changes = Steinberg::owned (new HostParameterChanges ());
		std::map<ParamID, HostParamValueQueue*> queues;
		for (size_t i = from; i < handler->events.size (); ++i)
		{
			const auto& e = handler->events[i];
			if (e.kind != 'p')
				continue;
			auto it = queues.find (e.tag);
			if (it == queues.end ())
				it = queues.emplace (e.tag, changes->add (e.tag)).first;
			int32 index = 0;
			it->second->addPoint (0, e.value, index);
		}
		return changes;
	}

	/** One block of the MF2 centre tone (continuing the phase of the blocks before) with
	    the given parameter changes; the gain of each channel over the block's second half. */
	ChannelGains playTone (IParameterChanges* changes)
	{
		TestBlock<float> block (kBlockSamples);
		const double w = 2. * kPi * kToneHz / kSampleRate;
		for (int32 i = 0; i < kBlockSamples; ++i)
		{
			const double s = std::sin (w * static_cast<double> (samplesPlayed + static_cast<size_t> (i)));
			block.inL[i] = static_cast<float> (kToneLeft * s);
			block.inR[i] = static_cast<float> (kToneRight * s);
		}
		block.data.inputParameterChanges = changes;
		EXPECT_EQ (processor->process (block.data), kResultOk);

		const size_t half = kBlockSamples / 2, end = kBlockSamples;
		ChannelGains g;
		g.leftDb = 20. * std::log10 (toneAmplitude (block.output (0), half, end, samplesPlayed, w) /
		                             toneAmplitude (block.inL, half, end, samplesPlayed, w));
		g.rightDb = 20. * std::log10 (toneAmplitude (block.output (1), half, end, samplesPlayed, w) /
		                              toneAmplitude (block.inR, half, end, samplesPlayed, w));
		samplesPlayed += kBlockSamples;
		return g;
	}

	/** Every recorded event is for the MF2 gain. */
	void expectOnlyMF2Gain () const
	{
		for (const auto& e : handler->events)
			EXPECT_EQ (e.tag, ParamID (kGainMF2Id)) << e.kind;
	}

	IPtr<TestableProcessor> processor = Steinberg::owned (new TestableProcessor ());
	PlugController* controller {nullptr};
	RecordingHandler* handler {nullptr};
	IPlugView* view {nullptr};
	VST3Editor* editor {nullptr};
	CFrame* frame {nullptr};
	CSlider* slider {nullptr};
	CTextLabel* gainLabel {nullptr};
	CRect capAtZeroDb;
	size_t samplesPlayed {0};
};

} // namespace

TEST_F (RoadOfOneEdit, ClickBesideTheHandleReachesBothChannelsAtTheNewGain)
{
	// 30 px above the cap: the cap jumps to put its centre under the pointer (one pixel
	// past it).
	const CCoord pointer = capAtZeroDb.top - 30.;
	ASSERT_TRUE (slider->getViewSize ().pointInside (CPoint (slider->getViewSize ().getCenter ().x, pointer)));
	EXPECT_EQ (down (pointer), kMouseEventHandled);
	const CRect cap = capRect ();
	EXPECT_NEAR (cap.top + cap.getHeight () / 2., pointer, 1.);
	EXPECT_LT (cap.top, capAtZeroDb.top - 29.);

	// The controller began the edit and performed the new value, which it holds too.
	ASSERT_EQ (handler->kinds (), "bp");
	expectOnlyMF2Gain ();
	const double v = handler->events[1].value;
	EXPECT_EQ (v, static_cast<double> (slider->getValueNormalized ()));
	EXPECT_EQ (controller->getParamNormalized (kGainMF2Id), v);
	// The value of that cap position, maximum at the top of the travel.
	const double travelTop = slider->getViewSize ().top + slider->getOffsetHandle ().y;
	const double capHeight = slider->getHandleSizePrivate ().y;
	const double leadingEdge = pointer - capHeight / 2. + 1.;
	EXPECT_NEAR (v, 1. - (leadingEdge - travelTop) / slider->getHandleRangePrivate (), 1e-6);
	EXPECT_GT (v, 0.9);
	String128 text {};
	ASSERT_EQ (controller->getParamStringByValue (kGainMF2Id, v, text), kResultOk);
	EXPECT_EQ (gainLabel->getText ().getString (), ord3ltest::narrow (text));

	// The host hands the value to the processor's next block.
	const ChannelGains gains = playTone (hostQueues ());
	EXPECT_EQ (processor->plugState.bands[kBandMF2].gainNorm, v);

	// Both MF2 sections are designed at the new gain times the Range factor; no other
	// band moved.
	const double bandDb = v * 32. - 16.;
	const double g = bandDb * kRangeNorm;
	ASSERT_EQ (static_cast<int> (processor->filterFreqHz[kBandMF2]), 799);
	EXPECT_NEAR (processor->filterQ[kBandMF2], 3.2, 1e-4);
	const SectionCoefs expected = designPeakSection (
	    799, g, processor->filterFreqHz[kBandMF2] / processor->filterQ[kBandMF2], kSampleRate);
	for (int channel = 0; channel < 2; ++channel)
	{
		SCOPED_TRACE (channel);
		const int i = channel * kNumEqBands + kBandMF2;
		EXPECT_DOUBLE_EQ (processor->filterGainDb[i], bandDb);
		EXPECT_DOUBLE_EQ (processor->coefB0[i], expected.b0);
		EXPECT_DOUBLE_EQ (processor->coefB1[i], expected.b1);
		EXPECT_DOUBLE_EQ (processor->coefB2[i], expected.b2);
		EXPECT_DOUBLE_EQ (processor->coefA1[i], expected.a1);
		EXPECT_DOUBLE_EQ (processor->coefA2[i], expected.a2);
		for (int band : {kBandLF, kBandMF1, kBandMF3, kBandMF4, kBandHF})
			EXPECT_EQ (processor->filterGainDb[channel * kNumEqBands + band], 0.) << band;
	}

	// The same block already sounds at the new gain, on both channels.
	EXPECT_NEAR (gains.leftDb, g, 0.01);
	EXPECT_NEAR (gains.rightDb, g, 0.01);

	// Releasing the mouse ends the edit: one begin, one end in all.
	EXPECT_EQ (up (pointer), kMouseEventHandled);
	EXPECT_EQ (handler->kinds (), "bpe");
	expectOnlyMF2Gain ();
}

TEST_F (RoadOfOneEdit, OptionClickResetsTheGainToZeroDecibels)
{
	// Off 0 dB first, by a click below the cap, and the processor follows.
	down (capAtZeroDb.bottom + 20.);
	up (capAtZeroDb.bottom + 20.);
	ASSERT_EQ (handler->kinds (), "bpe");
	playTone (hostQueues ());
	ASSERT_LT (processor->filterGainDb[kBandMF2], -3.);
	handler->events.clear ();

	// Option-click beside the cap: back to the default, 0 dB, as one complete edit.
	const CCoord beside = capRect ().top - 20.;
	EXPECT_EQ (down (beside, kL | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	up (beside, kL | kAlt);
	ASSERT_EQ (handler->kinds (), "bpe");
	expectOnlyMF2Gain ();
	EXPECT_EQ (handler->events[1].value, 0.5);
	EXPECT_EQ (controller->getParamNormalized (kGainMF2Id), 0.5);
	EXPECT_EQ (capRect (), capAtZeroDb);
	EXPECT_EQ (gainLabel->getText (), "0.0");

	// In the processor MF2 is at exactly 0 dB again, so both sections are skipped and
	// the tone passes as it came in.
	const ChannelGains gains = playTone (hostQueues ());
	EXPECT_EQ (processor->filterGainDb[kBandMF2], 0.);
	EXPECT_EQ (processor->filterGainDb[kNumEqBands + kBandMF2], 0.);
	EXPECT_NEAR (gains.leftDb, 0., 1e-4);
	EXPECT_NEAR (gains.rightDb, 0., 1e-4);

	// Already at 0 dB: the gesture is taken (no drag starts) and the host hears nothing.
	handler->events.clear ();
	EXPECT_EQ (down (beside, kL | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	moveTo (beside - 10., kL | kAlt);
	up (beside - 10., kL | kAlt);
	EXPECT_TRUE (handler->events.empty ()) << handler->kinds ();
	EXPECT_EQ (capRect (), capAtZeroDb);
}

TEST_F (RoadOfOneEdit, GrabbedHandleKeepsItsOffsetAndShiftDragsFinely)
{
	const double travel = slider->getHandleRangePrivate ();
	// 4 px into the cap, off its centre: a free click would move it by 2.5 px.
	const CCoord grab = capAtZeroDb.top + 4.;
	EXPECT_EQ (down (grab), kMouseEventHandled);
	EXPECT_EQ (capRect (), capAtZeroDb);
	// 0 dB is a whole-pixel position, so the grab itself changes nothing.
	EXPECT_EQ (handler->kinds (), "b");

	// The cap follows the pointer with the pointer staying 4 px into it.
	for (CCoord dy : {5., 12., 20.})
	{
		SCOPED_TRACE (dy);
		EXPECT_EQ (moveTo (grab - dy), kMouseEventHandled);
		EXPECT_NEAR (controller->getParamNormalized (kGainMF2Id), 0.5 + dy / travel, 1e-6);
		EXPECT_NEAR (grab - dy - capRect ().top, 4., 1.);
	}
	const double coarse = controller->getParamNormalized (kGainMF2Id);

	// Shift: the next 20 px move the value a tenth as far.
	EXPECT_EQ (moveTo (grab - 40., kL | kShift), kMouseEventHandled);
	const double fine = controller->getParamNormalized (kGainMF2Id);
	EXPECT_NEAR (fine - coarse, 20. / travel / 10., 1e-6);

	// Without Shift the value is at once that of the cap under the pointer again.
	EXPECT_EQ (moveTo (grab - 40.), kMouseEventHandled);
	EXPECT_NEAR (controller->getParamNormalized (kGainMF2Id), 0.5 + 40. / travel, 1e-6);
	EXPECT_NEAR (grab - 40. - capRect ().top, 4., 1.);

	// One edit: a begin, a perform per move, an end; the host's last value is the
	// controller's.
	EXPECT_EQ (up (grab - 40.), kMouseEventHandled);
	EXPECT_EQ (handler->kinds (), "bpppppe");
	expectOnlyMF2Gain ();
	EXPECT_EQ (handler->events[handler->events.size () - 2].value,
	           controller->getParamNormalized (kGainMF2Id));
}
