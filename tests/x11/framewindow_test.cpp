// A CFrame with a few controls in a FrameWindow embedded into our own host's window,
// with input sent through the X server (XTest) and the window read back from it.

#include "vstgui/lib/platform/linux/x11eventmapping.h"
#include "vstgui/lib/platform/linux/x11framewindow.h"

#include "testhost.h"
#include "xvfbfixture.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/coffscreencontext.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/platform/runloop.h"
#if X11TEST_HAVE_SLIDER
#include "source/controls/cslider.h"
#endif

#include <X11/keysym.h>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <unistd.h>

using namespace VSTGUI;
using namespace x11test;
using VSTGUI::X11::FrameWindow;

namespace {

constexpr int kPanelWidth = 320;
constexpr int kPanelHeight = 220;
const CRect kKnobRect (20, 20, 100, 100);
const CRect kButtonRect (130, 20, 180, 50);
const CRect kRecorderRect (20, 130, 180, 200);
const CRect kSliderRect (260, 20, 290, 200);
const CColor kPanelColor (40, 44, 52, 255);
const CColor kRecorderColor (90, 160, 70, 255);

CPoint centerOf (const CRect& r) { return CPoint ((r.left + r.right) / 2., (r.top + r.bottom) / 2.); }

struct EditLog : IControlListener
{
	int begins {0};
	int ends {0};
	int changes {0};
	std::function<void (CControl*)> onChange;

	void valueChanged (CControl* control) override
	{
		++changes;
		if (onChange)
			onChange (control);
	}
	void controlBeginEdit (CControl*) override { ++begins; }
	void controlEndEdit (CControl*) override { ++ends; }
};

// Takes every pointer gesture that starts on it and writes down what arrived.
class EventRecorder : public CView
{
public:
	enum Kind
	{
		kDown,
		kMoved,
		kUp,
		kWheel,
		kCancel
	};
	struct Event
	{
		Kind kind;
		CPoint where;
		int32_t buttons;
		CMouseWheelAxis axis;
		float distance;
	};

	explicit EventRecorder (const CRect& r) : CView (r) {}

	void draw (CDrawContext* context) override
	{
		context->setFillColor (kRecorderColor);
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override
	{
		events.push_back ({kDown, where, buttons (), kMouseWheelAxisY, 0.f});
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override
	{
		events.push_back ({kMoved, where, buttons (), kMouseWheelAxisY, 0.f});
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override
	{
		events.push_back ({kUp, where, buttons (), kMouseWheelAxisY, 0.f});
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseCancel () override
	{
		events.push_back ({kCancel, CPoint (), 0, kMouseWheelAxisY, 0.f});
		return kMouseEventHandled;
	}
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override
	{
		events.push_back ({kWheel, where, buttons (), axis, distance});
		return true;
	}

	size_t count (Kind kind) const
	{
		size_t n = 0;
		for (const auto& e : events)
			n += e.kind == kind;
		return n;
	}
	const Event* last (Kind kind) const
	{
		for (auto it = events.rbegin (); it != events.rend (); ++it)
			if (it->kind == kind)
				return &*it;
		return nullptr;
	}

	std::vector<Event> events;
};

// The frame the tests show: a knob (circular mode, as a frame without editor has it),
// an on/off button, the event recorder and, where it is built, a vertical slider.
struct Panel
{
	EditLog log;
	CFrame* frame;
	CKnob* knob;
	COnOffButton* button;
	EventRecorder* recorder;
	CControl* slider {nullptr};

	Panel ()
	{
		frame = new CFrame (CRect (0, 0, kPanelWidth, kPanelHeight), nullptr);
		frame->setBackgroundColor (kPanelColor);
		knob = new CKnob (kKnobRect, &log, 1, nullptr, nullptr, CPoint (0, 0), kCoronaDrawing);
		knob->setCoronaColor (CColor (230, 120, 30, 255));
		knob->setHandleLineWidth (3.);
		knob->setDefaultValue (0.25f);
		knob->setValue (0.75f);
		frame->addView (knob);
		button = new COnOffButton (kButtonRect, &log, 2);
		frame->addView (button);
		recorder = new EventRecorder (kRecorderRect);
		frame->addView (recorder);
#if X11TEST_HAVE_SLIDER
		auto* s = new CVerticalSlider (kSliderRect, &log, 3, CPoint (0, 0), static_cast<int32_t> (kSliderRect.getHeight ()),
		                               nullptr, nullptr);
		s->setDrawStyle (CSlider::kDrawBack | CSlider::kDrawFrame | CSlider::kDrawValue);
		s->setBackColor (CColor (20, 20, 20, 255));
		s->setValueColor (CColor (60, 140, 220, 255));
		s->setDefaultValue (0.5f);
		s->setValue (0.5f);
		slider = s;
		frame->addView (s);
#endif
	}
	~Panel () { frame->close (); }
	Panel (const Panel&) = delete;
	Panel& operator= (const Panel&) = delete;
};

// The frame drawn offscreen, pixel for pixel what the window should show.
struct Reference
{
	explicit Reference (CFrame* frame)
	{
		context = COffscreenContext::create (CPoint (frame->getWidth (), frame->getHeight ()));
		frame->drawAll (context);
	}
	CColor at (int x, int y) { return context->getPixel (x, y); }
	SharedPointer<COffscreenContext> context;
};

int channelDistance (const CColor& a, const CColor& b)
{
	return std::max ({std::abs (a.red - b.red), std::abs (a.green - b.green), std::abs (a.blue - b.blue)});
}

// Pixels of shot that differ from the offscreen rendering by more than tolerance in any
// channel. The window shows the very pixels the frame drew; only a visual with fewer
// bits per channel needs a tolerance.
size_t countMismatches (const Screenshot& shot, CFrame* frame, int tolerance = 0)
{
	Reference reference (frame);
	if (shot.width != frame->getWidth () || shot.height != frame->getHeight ())
		return static_cast<size_t> (-1);
	size_t mismatches = 0;
	for (int y = 0; y < shot.height; ++y)
		for (int x = 0; x < shot.width; ++x)
			if (channelDistance (shot.at (x, y), reference.at (x, y)) > tolerance)
				++mismatches;
	return mismatches;
}

size_t openDescriptorCount ()
{
	size_t n = 0;
	if (DIR* dir = opendir ("/proc/self/fd"))
	{
		while (readdir (dir))
			++n;
		closedir (dir);
	}
	return n;
}

class FrameWindowTest : public XvfbTest
{
protected:
	void SetUp () override
	{
		XvfbTest::SetUp ();
		if (IsSkipped () || HasFatalFailure ())
			return;
		std::string error;
		ASSERT_TRUE (host.open (400, 300, error)) << error;
		hostFrame = Steinberg::owned (new TestHostFrame (true));
	}

	std::unique_ptr<FrameWindow> open (Panel& panel, Steinberg::IPlugFrame* plugFrame)
	{
		std::string error;
		auto window = FrameWindow::create (panel.frame, host.id (), plugFrame, error);
		EXPECT_TRUE (window) << error;
		return window;
	}

	// Runs the loop (or pumps the window itself) until cond holds.
	bool runUntil (FrameWindow& window, const std::function<bool ()>& cond, int timeoutMs = 3000)
	{
		host.sync ();
		if (window.usesHostRunLoop ())
			return hostFrame->runUntil (cond, timeoutMs);
		for (int waited = 0; !cond (); waited += 5)
		{
			if (waited >= timeoutMs)
				return false;
			window.processEvents ();
			usleep (5000);
		}
		return true;
	}
	void runFor (FrameWindow& window, int ms)
	{
		runUntil (window, [] { return false; }, ms);
	}

	// Waits until the window shows what the frame draws offscreen.
	bool waitUntilShown (FrameWindow& window, CFrame* frame, int tolerance = 0)
	{
		return runUntil (window, [&] {
			Screenshot shot = host.capture (window.getWindowId ());
			return shot.valid () && countMismatches (shot, frame, tolerance) == 0;
		});
	}

	CPoint knobPointAt (float degrees) const
	{
		// Counter-clockwise from the positive x axis, y upward, 20 px inside the rim.
		const CPoint c = centerOf (kKnobRect);
		const double r = kKnobRect.getWidth () / 2. - 20.;
		const double a = degrees * M_PI / 180.;
		return CPoint (c.x + std::cos (a) * r, c.y - std::sin (a) * r);
	}

	void clickAt (FrameWindow& window, const CPoint& p, unsigned int xButton = 1)
	{
		host.click (window.getWindowId (), static_cast<int> (p.x), static_cast<int> (p.y), xButton);
	}

	HostWindow host;
	Steinberg::IPtr<TestHostFrame> hostFrame;
};

TEST_F (FrameWindowTest, EmbedsAnXEmbedChildAndRegistersWithTheHostRunLoop)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);

	auto children = host.children ();
	ASSERT_EQ (children.size (), 1u);
	EXPECT_EQ (children[0], window->getWindowId ());
	EXPECT_EQ (window->getParentWindowId (), host.id ());
	long version = -1, flags = -1;
	ASSERT_TRUE (host.readXEmbedInfo (children[0], version, flags));
	EXPECT_EQ (version, 0);
	EXPECT_EQ (flags, 1); // XEMBED_MAPPED

	HostWindow::Geometry g;
	ASSERT_TRUE (host.getGeometry (children[0], g));
	EXPECT_EQ (g.x, 0);
	EXPECT_EQ (g.y, 0);
	EXPECT_EQ (g.width, kPanelWidth);
	EXPECT_EQ (g.height, kPanelHeight);
	EXPECT_TRUE (g.viewable);
	EXPECT_EQ (window->getSize (), CPoint (kPanelWidth, kPanelHeight));

	EXPECT_TRUE (window->usesHostRunLoop ());
	EXPECT_EQ (hostFrame->getWatchedDescriptors (), std::vector<int> {window->getFileDescriptor ()});
	EXPECT_EQ (hostFrame->getTimerIntervals (),
	           std::vector<Steinberg::Linux::TimerInterval> {FrameWindow::kTickMs});
}

TEST_F (FrameWindowTest, WindowShowsWhatTheFrameDrawsAndFollowsChanges)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	// Pixel for pixel the offscreen rendering (waitUntilShown), which is itself right.
	Screenshot shot = host.capture (window->getWindowId ());
	EXPECT_EQ (channelDistance (shot.at (5, 5), kPanelColor), 0);
	EXPECT_EQ (channelDistance (shot.at (60, 160), kRecorderColor), 0);
	const CPoint b = centerOf (kButtonRect);
	EXPECT_EQ (channelDistance (shot.at (static_cast<int> (b.x), static_cast<int> (b.y)), CColor (60, 60, 60, 255)), 0);

	// Changes show up at the next redraw.
	const uint64_t redraws = panel.frame->getRedrawCount ();
	panel.knob->setValue (0.1f);
	panel.button->setValue (1.f);
	panel.button->setDirty ();
	ASSERT_TRUE (runUntil (*window, [&] { return panel.frame->getRedrawCount () > redraws; }));
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	shot = host.capture (window->getWindowId ());
	EXPECT_EQ (channelDistance (shot.at (static_cast<int> (b.x), static_cast<int> (b.y)), CColor (200, 200, 200, 255)), 0);
}

TEST_F (FrameWindowTest, PointerAndKeyEventsReachTheControls)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	// Circular knob: a click jumps to the pointer's angle; the sweep runs clockwise from
	// 225 degrees through the top (0.5) to -45 degrees.
	clickAt (*window, knobPointAt (90.f));
	ASSERT_TRUE (runUntil (*window, [&] { return std::fabs (panel.knob->getValue () - 0.5f) < 0.02f; }))
	    << panel.knob->getValue ();
	EXPECT_EQ (panel.log.begins, panel.log.ends);

	// A drag goes on to follow the pointer, also outside the knob.
	host.moveTo (window->getWindowId (), static_cast<int> (knobPointAt (90.f).x), static_cast<int> (knobPointAt (90.f).y));
	host.button (1, true);
	host.moveTo (window->getWindowId (), static_cast<int> (knobPointAt (45.f).x), static_cast<int> (knobPointAt (45.f).y));
	host.moveTo (window->getWindowId (), 200, 60);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.knob->getValue () > 0.8f; })) << panel.knob->getValue ();
	EXPECT_TRUE (panel.knob->isEditing ());
	host.button (1, false);
	ASSERT_TRUE (runUntil (*window, [&] { return !panel.knob->isEditing (); }));

	// Alt-click (Mod1) resets the knob to its default.
	host.key (XK_Alt_L, true);
	clickAt (*window, centerOf (kKnobRect));
	host.key (XK_Alt_L, false);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.knob->getValue () == 0.25f; })) << panel.knob->getValue ();

	// Wheel up raises by the wheel increment; down lowers it again (after the 500 ms wheel
	// edit the knob ends on its own).
	clickAt (*window, centerOf (kKnobRect), 4);
	ASSERT_TRUE (runUntil (*window, [&] { return std::fabs (panel.knob->getValue () - 0.35f) < 1e-4f; }))
	    << panel.knob->getValue ();
	clickAt (*window, centerOf (kKnobRect), 5);
	clickAt (*window, centerOf (kKnobRect), 5);
	ASSERT_TRUE (runUntil (*window, [&] { return std::fabs (panel.knob->getValue () - 0.15f) < 1e-4f; }))
	    << panel.knob->getValue ();

	// The button toggles on a click, which gives it the frame's focus but leaves the X
	// keyboard focus where it was. Keys the server delivers to the window (the pointer is
	// over it) reach the focus view: Return toggles the button back, Space is not its key.
	const unsigned long focusBefore = host.inputFocus ();
	clickAt (*window, centerOf (kButtonRect));
	ASSERT_TRUE (runUntil (*window, [&] { return panel.button->getValue () == 1.f; }));
	EXPECT_EQ (panel.frame->getFocusView (), panel.button);
	EXPECT_EQ (host.inputFocus (), focusBefore);
	EXPECT_NE (host.inputFocus (), window->getWindowId ());
	const int changesBeforeKeys = panel.log.changes;
	host.key (XK_space, true);
	host.key (XK_space, false);
	host.key (XK_Return, true);
	host.key (XK_Return, false);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.button->getValue () == 0.f; }));
	EXPECT_EQ (panel.log.changes, changesBeforeKeys + 1); // Return's toggle alone

#if X11TEST_HAVE_SLIDER
	// Vertical slider, minimum at the bottom: a click near the top moves it near 1, an
	// Alt-click resets it.
	clickAt (*window, CPoint (centerOf (kSliderRect).x, kSliderRect.top + 3));
	ASSERT_TRUE (runUntil (*window, [&] { return panel.slider->getValue () > 0.9f; })) << panel.slider->getValue ();
	host.key (XK_Alt_L, true);
	clickAt (*window, centerOf (kSliderRect));
	host.key (XK_Alt_L, false);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.slider->getValue () == 0.5f; })) << panel.slider->getValue ();
#endif

	runUntil (*window, [&] { return panel.log.begins == panel.log.ends; }, 1500);
	EXPECT_EQ (panel.log.begins, panel.log.ends);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
}

TEST_F (FrameWindowTest, ButtonStatesCarryButtonsModifiersAndDoubleClicks)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	struct Case
	{
		const char* name;
		std::vector<unsigned long> keys;
		unsigned int xButton;
		int32_t expected;
	};
	const Case cases[] = {
	    {"left", {}, 1, kLButton},
	    {"middle", {}, 2, kMButton},
	    {"right", {}, 3, kRButton},
	    {"shift", {XK_Shift_L}, 1, kLButton | kShift},
	    {"control", {XK_Control_L}, 1, kLButton | kControl},
	    {"alt", {XK_Alt_L}, 1, kLButton | kAlt},
	    {"shift alt right", {XK_Shift_L, XK_Alt_L}, 3, kRButton | kShift | kAlt},
	};
	// Each case clicks somewhere else, so that no press makes a double click with the last.
	CPoint target (kRecorderRect.left + 10, centerOf (kRecorderRect).y);
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		target.x += 2 * X11::DoubleClickDetector::kSlopPixels + 1;
		panel.recorder->events.clear ();
		for (auto k : c.keys)
			host.key (k, true);
		clickAt (*window, target, c.xButton);
		for (auto k : c.keys)
			host.key (k, false);
		ASSERT_TRUE (runUntil (*window, [&] { return panel.recorder->count (EventRecorder::kUp) == 1; }));
		const auto* down = panel.recorder->last (EventRecorder::kDown);
		ASSERT_TRUE (down);
		EXPECT_EQ (down->buttons, c.expected);
		// Positions are the frame's (the recorder's parent's) coordinates.
		EXPECT_EQ (down->where, target);
		// The up names the button that went up.
		EXPECT_EQ (panel.recorder->last (EventRecorder::kUp)->buttons, c.expected);
	}

	// Two quick clicks: the second down is a double click.
	panel.recorder->events.clear ();
	clickAt (*window, target);
	clickAt (*window, target);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.recorder->count (EventRecorder::kDown) == 2; }));
	std::vector<int32_t> downs;
	for (const auto& e : panel.recorder->events)
		if (e.kind == EventRecorder::kDown)
			downs.push_back (e.buttons);
	EXPECT_EQ (downs, (std::vector<int32_t> {kLButton, kLButton | kDoubleClick}));
}

TEST_F (FrameWindowTest, WheelStepsGiveAxisDistanceAndModifiers)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	struct Case
	{
		unsigned int xButton;
		bool shift;
		CMouseWheelAxis axis;
		float distance;
	};
	const Case cases[] = {
	    {4, false, kMouseWheelAxisY, 1.f},
	    {5, false, kMouseWheelAxisY, -1.f},
	    {6, false, kMouseWheelAxisX, 1.f},
	    {7, true, kMouseWheelAxisX, -1.f},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.xButton);
		panel.recorder->events.clear ();
		if (c.shift)
			host.key (XK_Shift_L, true);
		clickAt (*window, centerOf (kRecorderRect), c.xButton);
		if (c.shift)
			host.key (XK_Shift_L, false);
		ASSERT_TRUE (runUntil (*window, [&] { return panel.recorder->count (EventRecorder::kWheel) == 1; }));
		runFor (*window, 20);
		const auto* wheel = panel.recorder->last (EventRecorder::kWheel);
		EXPECT_EQ (wheel->axis, c.axis);
		EXPECT_EQ (wheel->distance, c.distance);
		EXPECT_EQ (wheel->buttons, c.shift ? kShift : 0);
		// A wheel step is neither a press nor a release.
		EXPECT_EQ (panel.recorder->count (EventRecorder::kDown), 0u);
		EXPECT_EQ (panel.recorder->count (EventRecorder::kUp), 0u);
	}
}

TEST_F (FrameWindowTest, MovesAndTheUpGoToTheViewThatTookTheDown)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	const unsigned long id = window->getWindowId ();

	auto movedTo = [&] (const CPoint& p) {
		const auto* e = panel.recorder->last (EventRecorder::kMoved);
		return e && e->where == p;
	};
	host.moveTo (id, 60, 160);
	host.button (1, true);
	// Over the knob, then outside the editor's window altogether (the host's window
	// beyond it): X's implicit grab keeps the events coming.
	host.moveTo (id, 60, 60);
	ASSERT_TRUE (runUntil (*window, [&] { return movedTo (CPoint (60, 60)); }));
	EXPECT_EQ (panel.recorder->last (EventRecorder::kMoved)->buttons, kLButton);
	host.moveTo (id, 380, 280);
	ASSERT_TRUE (runUntil (*window, [&] { return movedTo (CPoint (380, 280)); }));
	host.button (1, false);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.recorder->count (EventRecorder::kUp) == 1; }));

	const auto* up = panel.recorder->last (EventRecorder::kUp);
	EXPECT_EQ (up->where, CPoint (380, 280));
	EXPECT_EQ (up->buttons, kLButton);
	EXPECT_EQ (panel.recorder->count (EventRecorder::kCancel), 0u);
	EXPECT_EQ (panel.knob->getValue (), 0.75f);
	EXPECT_EQ (panel.log.changes, 0);
}

TEST_F (FrameWindowTest, ADragWhoseWindowDisappearsIsCancelled)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	const CPoint top = knobPointAt (90.f);
	host.moveTo (window->getWindowId (), static_cast<int> (top.x), static_cast<int> (top.y));
	host.button (1, true);
	ASSERT_TRUE (runUntil (*window, [&] { return panel.knob->isEditing (); }));
	ASSERT_NE (panel.knob->getValue (), 0.75f);

	// The host hides its window mid-drag: the grab ends, and the release goes elsewhere.
	// The drag ends as cancelled, back at the value it started from, its edit closed.
	host.unmap ();
	runFor (*window, 20);
	EXPECT_TRUE (panel.knob->isEditing ()); // the button is still down
	host.button (1, false);
	ASSERT_TRUE (runUntil (*window, [&] { return !panel.knob->isEditing (); }));
	EXPECT_EQ (panel.knob->getValue (), 0.75f);
	EXPECT_EQ (panel.log.begins, panel.log.ends);
	EXPECT_EQ (panel.frame->getMouseDownView (), nullptr);
}

TEST_F (FrameWindowTest, OpensAndClosesRepeatedlyWithoutLeaks)
{
	Panel panel;
	const size_t descriptors = openDescriptorCount ();
	const size_t layerTimers = RunLoop::instance ().getTimerCount ();
	for (int round = 0; round < 5; ++round)
	{
		SCOPED_TRACE (round);
		auto window = open (panel, hostFrame);
		ASSERT_TRUE (window);
		EXPECT_EQ (hostFrame->getEventHandlerCount (), 1u);
		EXPECT_EQ (hostFrame->getTimerCount (), 1u);
		EXPECT_EQ (panel.frame->getDrawContext () != nullptr, true);
		const float before = panel.button->getValue ();
		clickAt (*window, centerOf (kButtonRect));
		ASSERT_TRUE (runUntil (*window, [&] { return panel.button->getValue () != before; }));
		window.reset ();
		EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
		EXPECT_EQ (hostFrame->getTimerCount (), 0u);
		EXPECT_EQ (panel.frame->getDrawContext (), nullptr);
		EXPECT_TRUE (host.children ().empty ());
		// Let the 500 ms wheel timers and the like of the layer run out.
		hostFrame->runFor (10);
	}
	EXPECT_EQ (openDescriptorCount (), descriptors);
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), layerTimers);
}

TEST_F (FrameWindowTest, WorksWithoutAHostRunLoopWhenTheOwnerPumps)
{
	struct Variant
	{
		const char* name;
		bool plugFrame;
	};
	for (const Variant v : {Variant {"no IPlugFrame", false}, Variant {"IPlugFrame without IRunLoop", true}})
	{
		SCOPED_TRACE (v.name);
		Panel panel;
		auto plainFrame = Steinberg::owned (new TestHostFrame (false));
		auto window = open (panel, v.plugFrame ? plainFrame.get () : nullptr);
		ASSERT_TRUE (window);
		EXPECT_FALSE (window->usesHostRunLoop ());
		EXPECT_EQ (plainFrame->getEventHandlerCount (), 0u);
		EXPECT_EQ (plainFrame->getTimerCount (), 0u);
		ASSERT_TRUE (waitUntilShown (*window, panel.frame));
		clickAt (*window, knobPointAt (90.f));
		ASSERT_TRUE (runUntil (*window, [&] { return std::fabs (panel.knob->getValue () - 0.5f) < 0.02f; }))
		    << panel.knob->getValue ();
		ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	}
}

TEST_F (FrameWindowTest, SetSizeResizesWindowAndFrameAndTheWindowFollowsTheFrame)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	window->setSize (CPoint (380, 260));
	HostWindow::Geometry g;
	host.sync ();
	ASSERT_TRUE (host.getGeometry (window->getWindowId (), g));
	EXPECT_EQ (g.width, 380);
	EXPECT_EQ (g.height, 260);
	EXPECT_EQ (window->getSize (), CPoint (380, 260));
	EXPECT_EQ (panel.frame->getViewSize (), CRect (0, 0, 380, 260));
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	// The frame changes size by itself (another template, say): the window follows.
	panel.frame->setViewSize (CRect (0, 0, 250, 150));
	ASSERT_TRUE (runUntil (*window, [&] { return window->getSize () == CPoint (250, 150); }));
	host.sync ();
	ASSERT_TRUE (host.getGeometry (window->getWindowId (), g));
	EXPECT_EQ (g.width, 250);
	EXPECT_EQ (g.height, 150);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));

	// Nonsense sizes are held to what X can make.
	window->setSize (CPoint (0, -5));
	EXPECT_EQ (window->getSize (), CPoint (1, 1));
}

TEST_F (FrameWindowTest, ClosingEndsAnOpenDragAndMayHappenInsideAnEvent)
{
	{
		Panel panel;
		auto window = open (panel, hostFrame);
		ASSERT_TRUE (window);
		ASSERT_TRUE (waitUntilShown (*window, panel.frame));
		host.moveTo (window->getWindowId (), static_cast<int> (knobPointAt (90.f).x),
		             static_cast<int> (knobPointAt (90.f).y));
		host.button (1, true);
		ASSERT_TRUE (runUntil (*window, [&] { return panel.knob->isEditing (); }));
		window.reset ();
		host.button (1, false);
		host.sync ();
		// The edit the drag began is over, with nothing left to send it the up.
		EXPECT_FALSE (panel.knob->isEditing ());
		EXPECT_EQ (panel.log.begins, panel.log.ends);
	}
	{
		// A button whose click closes the editor, as an "OK" button of a dialog would.
		Panel panel;
		std::unique_ptr<FrameWindow> window = open (panel, hostFrame);
		ASSERT_TRUE (window);
		ASSERT_TRUE (waitUntilShown (*window, panel.frame));
		const unsigned long id = window->getWindowId ();
		panel.log.onChange = [&] (CControl* c) {
			if (c == panel.button)
				window.reset ();
		};
		host.click (id, static_cast<int> (centerOf (kButtonRect).x), static_cast<int> (centerOf (kButtonRect).y));
		host.sync ();
		ASSERT_TRUE (hostFrame->runUntil ([&] { return !window; }));
		EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
		EXPECT_EQ (hostFrame->getTimerCount (), 0u);
		hostFrame->runFor (20);
		EXPECT_TRUE (host.children ().empty ());
	}
}

TEST_F (FrameWindowTest, CreateFailsCleanlyOnBadArguments)
{
	Panel panel;
	const size_t descriptors = openDescriptorCount ();
	std::string error;

	EXPECT_FALSE (FrameWindow::create (nullptr, host.id (), hostFrame, error));
	EXPECT_FALSE (error.empty ());
	error.clear ();
	EXPECT_FALSE (FrameWindow::create (panel.frame, 0, hostFrame, error));
	EXPECT_FALSE (error.empty ());
	error.clear ();
	// A window id nobody owns: X reports BadWindow, which must not end the process.
	EXPECT_FALSE (FrameWindow::create (panel.frame, host.makeStaleWindowId (), hostFrame, error));
	EXPECT_NE (error.find ("parent window"), std::string::npos) << error;

	const std::string display = std::getenv ("DISPLAY");
	setenv ("DISPLAY", ":65000", 1);
	error.clear ();
	EXPECT_FALSE (FrameWindow::create (panel.frame, host.id (), hostFrame, error));
	EXPECT_NE (error.find ("display"), std::string::npos) << error;
	setenv ("DISPLAY", display.c_str (), 1);

	EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
	EXPECT_EQ (hostFrame->getTimerCount (), 0u);
	EXPECT_EQ (panel.frame->getDrawContext (), nullptr);
	EXPECT_EQ (openDescriptorCount (), descriptors);

	// The host's window went away before the editor was closed.
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame));
	host.destroyWindow ();
	// Redraws and clicks still arrive at a window that is gone.
	panel.knob->setValue (0.f);
	hostFrame->runFor (50);
	window.reset ();
	EXPECT_EQ (hostFrame->getEventHandlerCount (), 0u);
	EXPECT_EQ (openDescriptorCount (), descriptors);
}

// A 16-bit screen: the window's visual has 5-6-5 channels, so the image's pixels are
// converted to the visual's masks on their way.
class FrameWindowDepth16Test : public FrameWindowTest
{
protected:
	static void SetUpTestSuite () { startServer ("1024x768x16"); }
};

TEST_F (FrameWindowDepth16Test, ConvertsPixelsToTheVisualsChannels)
{
	Panel panel;
	auto window = open (panel, hostFrame);
	ASSERT_TRUE (window);
	// 5 bits per channel: steps of 255 / 31, so rounding to them is off by up to 4.1, and
	// reading the screenshot back to 8 bits truncates by up to 1 more.
	constexpr int kTolerance = 5;
	ASSERT_TRUE (waitUntilShown (*window, panel.frame, kTolerance));
	panel.knob->setValue (0.f);
	ASSERT_TRUE (waitUntilShown (*window, panel.frame, kTolerance));
	Screenshot shot = host.capture (window->getWindowId ());
	EXPECT_LE (channelDistance (shot.at (60, 160), kRecorderColor), kTolerance);
}

} // namespace
