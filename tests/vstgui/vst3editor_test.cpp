#include "testsupport.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"
#include "pluginterfaces/base/keycodes.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <fstream>

using namespace VSTGUI;
using namespace Steinberg;
using namespace Steinberg::Vst;
using Events = std::vector<std::string>;

namespace {

const char* kDescription = R"(<vstgui-ui-description version="1">
  <bitmaps><bitmap name="frames" path="frames.png"/></bitmaps>
  <colors><color name="panel" rgba="#102030ff"/></colors>
  <control-tags>
    <control-tag name="Gain" tag="3"/>
    <control-tag name="Mode" tag="7"/>
  </control-tags>
  <template name="view" class="CViewContainer" size="200, 100" background-color="panel">
    <view class="CKnob" origin="10, 10" size="40, 40" control-tag="Gain"/>
    <view class="CKnob" origin="10, 55" size="40, 40" control-tag="Gain"/>
    <view class="CVerticalSwitch" origin="60, 10" size="20, 60" control-tag="Mode" bitmap="frames" height-of-one-image="60"/>
    <view class="CViewContainer" origin="100, 0" size="100, 100" sub-controller="Sub" background-color="~ BlackCColor">
      <view class="COnOffButton" origin="10, 10" size="20, 20" control-tag="12"/>
      <view class="CKnob" origin="40, 40" size="20, 20" control-tag="99"/>
    </view>
  </template>
  <template name="small" class="CViewContainer" size="50, 50" background-color="panel"/>
</vstgui-ui-description>)";

class RecordingHandler : public FObject, public IComponentHandler
{
public:
	tresult PLUGIN_API beginEdit (ParamID id) override
	{
		log.push_back ("begin " + std::to_string (id));
		return kResultOk;
	}
	tresult PLUGIN_API performEdit (ParamID id, ParamValue value) override
	{
		log.push_back ("perform " + std::to_string (id) + " " + VSTGUI::Test::fmt (value));
		return kResultOk;
	}
	tresult PLUGIN_API endEdit (ParamID id) override
	{
		log.push_back ("end " + std::to_string (id));
		return kResultOk;
	}
	tresult PLUGIN_API restartComponent (int32) override { return kResultOk; }

	Events log;

	OBJ_METHODS (RecordingHandler, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (IComponentHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)
};

struct SubState
{
	int created = 0;
	int alive = 0;
	std::vector<std::string> verified;
};

class SubController : public IController
{
public:
	explicit SubController (SubState& s) : state (s) { ++state.alive; }
	~SubController () override { --state.alive; }
	void valueChanged (CControl*) override {}
	CView* verifyView (CView* view, const UIAttributes& a, const IUIDescription*) override
	{
		state.verified.push_back (*a.getAttributeValue ("class"));
		return view;
	}
	SubState& state;
};

class TestController : public EditController, public VST3EditorDelegate
{
public:
	tresult PLUGIN_API initialize (FUnknown* context) override
	{
		tresult result = EditController::initialize (context);
		parameters.addParameter (STR16 ("Gain"), nullptr, 0, 0.25, ParameterInfo::kCanAutomate, 3);
		parameters.addParameter (new RangeParameter (STR16 ("Mode"), 7, nullptr, 0., 2., 0., 2));
		parameters.addParameter (STR16 ("On"), nullptr, 1, 0., ParameterInfo::kCanAutomate, 12);
		return result;
	}
	IController* createSubController (UTF8StringPtr name, const IUIDescription*, VST3Editor* editor) override
	{
		lastEditor = editor;
		if (std::string (name) != "Sub")
			return nullptr;
		++sub.created;
		return new SubController (sub);
	}
	void didOpen (VST3Editor*) override { ++opened; }
	void willClose (VST3Editor*) override { ++closed; }

	SubState sub;
	VST3Editor* lastEditor = nullptr;
	int opened = 0;
	int closed = 0;
};

// A controller with its handler, a resources folder with the description, and an editor.
class EditorFixture : public ::testing::Test
{
protected:
	void SetUp () override
	{
		dir = VSTGUI::Test::outputPath (std::string ("editor-") +
		                        ::testing::UnitTest::GetInstance ()->current_test_info ()->name ());
		std::string cmd = "mkdir -p '" + dir + "'";
		ASSERT_EQ (std::system (cmd.c_str ()), 0);
		// Three frames: red for position 0, green for 1, blue for 2.
		ASSERT_TRUE (VSTGUI::Test::writeBandsPNG (dir + "/frames.png", 20, 60, {kRedCColor, kGreenCColor, kBlueCColor}));
		std::ofstream (dir + "/test.uidesc") << kDescription;
		setResourcePath (dir);
		controller = new TestController;
		controller->initialize (nullptr);
		handler = new RecordingHandler;
		controller->setComponentHandler (handler);
		controller->setKnobMode (Vst::kLinearMode);
	}
	void TearDown () override
	{
		if (editor)
			editor->release ();
		controller->setKnobMode (Vst::kCircularMode); // module-wide: leave it as found
		controller->terminate ();
		controller->release ();
		handler->release ();
	}
	VST3Editor* openEditor (const char* file = "test.uidesc")
	{
		editor = new VST3Editor (controller, "view", file);
		EXPECT_TRUE (editor->openOffscreen ()) << editor->getLastError ();
		return editor;
	}
	template <class T>
	std::vector<T*> views ()
	{
		std::vector<T*> result;
		if (editor && editor->getFrame ())
			editor->getFrame ()->getChildViewsOfType<T> (result, true);
		return result;
	}

	std::string dir;
	TestController* controller = nullptr;
	RecordingHandler* handler = nullptr;
	VST3Editor* editor = nullptr;
};

} // namespace

TEST_F (EditorFixture, BindsControlsToParametersBothWays)
{
	controller->setParamNormalized (3, 0.6);
	openEditor ();
	EXPECT_EQ (controller->opened, 1);
	EXPECT_EQ (editor->getBoundControlCount (3), 2u);
	EXPECT_EQ (editor->getBoundControlCount (7), 1u);
	EXPECT_EQ (editor->getBoundControlCount (12), 1u);
	EXPECT_EQ (editor->getBoundControlCount (99), 0u); // no such parameter
	auto knobs = views<CKnob> ();
	ASSERT_EQ (knobs.size (), 3u);
	EXPECT_FLOAT_EQ (knobs[0]->getValue (), 0.6f);
	EXPECT_FLOAT_EQ (knobs[0]->getDefaultValue (), 0.25f); // the parameter's default

	// The host moves the parameter: both knobs follow at once.
	controller->setParamNormalized (3, 0.75);
	EXPECT_FLOAT_EQ (knobs[0]->getValue (), 0.75f);
	EXPECT_FLOAT_EQ (knobs[1]->getValue (), 0.75f);
	EXPECT_TRUE (handler->log.empty ());

	// A linear drag of the first knob: one begin, performs, one end; the other follows.
	CPoint p (30, 30);
	editor->getFrame ()->onMouseDown (p, kLButton);
	p (30, -10); // 40 px up: +0.2
	editor->getFrame ()->onMouseMoved (p, kLButton);
	editor->getFrame ()->onMouseUp (p, kLButton);
	EXPECT_EQ (handler->log, (Events {"begin 3", "perform 3 0.95", "end 3"}));
	EXPECT_NEAR (controller->getParamNormalized (3), 0.95, 1e-6);
	EXPECT_FLOAT_EQ (knobs[1]->getValue (), knobs[0]->getValue ());
}

TEST_F (EditorFixture, OptionClickSendsBeginPerformEndWithTheDefault)
{
	controller->setParamNormalized (3, 0.9);
	openEditor ();
	CPoint p (30, 30);
	EXPECT_EQ (editor->getFrame ()->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (handler->log, (Events {"begin 3", "perform 3 0.25", "end 3"}));
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (3), 0.25);
	handler->log.clear ();
	editor->getFrame ()->onMouseDown (p, kLButton | kAlt); // at the default already
	EXPECT_EQ (handler->log, (Events {"begin 3", "end 3"}));
}

TEST_F (EditorFixture, SteppedParametersUseTheirPlainSteps)
{
	openEditor ();
	auto switches = views<CVerticalSwitch> ();
	ASSERT_EQ (switches.size (), 1u);
	EXPECT_EQ (switches[0]->getMin (), 0.f);
	EXPECT_EQ (switches[0]->getMax (), 2.f);
	CPoint p (70, 65); // the lowest of three positions
	editor->getFrame ()->onMouseDown (p, kLButton);
	editor->getFrame ()->onMouseUp (p, kLButton);
	EXPECT_EQ (handler->log, (Events {"begin 7", "perform 7 1", "end 7"}));
	EXPECT_EQ (switches[0]->getValue (), 2.f);
	controller->setParamNormalized (7, 0.5);
	EXPECT_EQ (switches[0]->getValue (), 1.f);
}

TEST_F (EditorFixture, SubControllersComeFromTheDelegateAndGoWithTheirView)
{
	openEditor ();
	EXPECT_EQ (controller->sub.created, 1);
	EXPECT_EQ (controller->sub.alive, 1);
	EXPECT_EQ (controller->lastEditor, editor);
	EXPECT_EQ (controller->sub.verified, (std::vector<std::string> {"COnOffButton", "CKnob", "CViewContainer"}));
	// A control under the sub-controller is bound to its parameter all the same.
	CPoint p (115, 15);
	editor->getFrame ()->onMouseDown (p, kLButton);
	EXPECT_EQ (handler->log, (Events {"begin 12", "perform 12 1", "end 12"}));
	editor->close ();
	EXPECT_EQ (controller->closed, 1);
	EXPECT_EQ (controller->sub.alive, 0);
	EXPECT_FALSE (editor->isOpen ());
	controller->setParamNormalized (12, 0.); // no editor any more: nothing to update
	EXPECT_TRUE (editor->openOffscreen ()); // and again
	EXPECT_EQ (controller->sub.created, 2);
	EXPECT_TRUE (editor->exchangeView ("small"));
	EXPECT_EQ (controller->sub.alive, 0);
	EXPECT_EQ (editor->getBoundControlCount (3), 0u);
	EXPECT_FALSE (editor->exchangeView ("absent"));
}

TEST_F (EditorFixture, PlugViewServesX11WindowsOnly)
{
	openEditor ();
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeHWND), kResultFalse);
	int dummyWindow = 0;
	IPlugView* plugView = editor;
	// Not a window of any X server: refused, not crashed.
	EXPECT_EQ (plugView->attached (&dummyWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
	ViewRect r;
	EXPECT_EQ (editor->getSize (&r), kResultTrue);
	EXPECT_EQ (r.getWidth (), 200);
	EXPECT_EQ (r.getHeight (), 100);
	EXPECT_EQ (editor->getKnobMode (), VSTGUI::kLinearMode);
	controller->setKnobMode (Vst::kRelativCircularMode);
	EXPECT_EQ (editor->getKnobMode (), VSTGUI::kRelativCircularMode);
	controller->setKnobMode (Vst::kCircularMode);
	EXPECT_EQ (editor->getFrame ()->getKnobMode (), VSTGUI::kCircularMode);
}

TEST_F (EditorFixture, IdleTimerRedrawsWhatChanged)
{
	VSTGUI::Test::ManualClock clock;
	openEditor ();
	clock.advance (20);
	uint64_t count = editor->getFrame ()->getRedrawCount ();
	clock.advance (50);
	EXPECT_EQ (editor->getFrame ()->getRedrawCount (), count); // nothing changed
	controller->setParamNormalized (3, 0.1);
	clock.advance (editor->getIdleRate ());
	EXPECT_EQ (editor->getFrame ()->getRedrawCount (), count + 1);
}

TEST_F (EditorFixture, RendersItselfToPNG)
{
	controller->setParamNormalized (7, 0.5); // the green frame
	openEditor ();
	std::string png = dir + "/editor.png";
	ASSERT_TRUE (editor->renderToPNG (png)) << editor->getLastError ();
	cairo_surface_t* s = cairo_image_surface_create_from_png (png.c_str ());
	ASSERT_EQ (cairo_surface_status (s), CAIRO_STATUS_SUCCESS);
	EXPECT_EQ (cairo_image_surface_get_width (s), 200);
	EXPECT_EQ (cairo_image_surface_get_height (s), 100);
	auto bitmap = VSTGUI::owned (new CBitmap (s));
	cairo_surface_destroy (s);
	CColor c;
	ASSERT_TRUE (bitmap->getPixel (55, 97, c));
	EXPECT_EQ (c, CColor (0x10, 0x20, 0x30, 0xff)); // panel
	ASSERT_TRUE (bitmap->getPixel (190, 95, c));
	EXPECT_EQ (c, kBlackCColor); // the sub-controller's container
	ASSERT_TRUE (bitmap->getPixel (70, 40, c));
	EXPECT_EQ (c, kGreenCColor); // switch at position 1
}

TEST_F (EditorFixture, BrokenDescriptionIsReportedNotOpened)
{
	std::ofstream (dir + "/broken.uidesc") << "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\" size=\"10, 10\"><view class=\"Nope\"/></template></vstgui-ui-description>";
	editor = new VST3Editor (controller, "view", "broken.uidesc");
	EXPECT_FALSE (editor->openOffscreen ());
	EXPECT_NE (editor->getLastError ().find ("unknown view class 'Nope'"), std::string::npos) << editor->getLastError ();
	EXPECT_EQ (controller->sub.alive, 0);
	editor->release ();
	editor = new VST3Editor (controller, "view", "absent.uidesc");
	EXPECT_FALSE (editor->renderToPNG (dir + "/never.png"));
	EXPECT_NE (editor->getLastError ().find ("cannot open"), std::string::npos) << editor->getLastError ();
}

TEST_F (EditorFixture, DemoDescriptionRendersOffscreen)
{
	controller->setParamNormalized (3, 0.7);
	controller->setParamNormalized (12, 1.);
	setResourcePath (VSTGUI_TEST_DATA_DIR);
	openEditor ("demo.uidesc");
	std::string png = VSTGUI::Test::outputPath ("demo.png");
	ASSERT_TRUE (editor->renderToPNG (png)) << editor->getLastError ();
	cairo_surface_t* s = cairo_image_surface_create_from_png (png.c_str ());
	ASSERT_EQ (cairo_surface_status (s), CAIRO_STATUS_SUCCESS);
	auto bitmap = VSTGUI::owned (new CBitmap (s));
	cairo_surface_destroy (s);
	CColor c;
	ASSERT_TRUE (bitmap->getPixel (2, 150, c));
	EXPECT_EQ (c, CColor (0x20, 0x24, 0x28, 0xff)); // panel
	ASSERT_TRUE (bitmap->getPixel (300, 140, c));
	EXPECT_EQ (c, CColor (0x30, 0x36, 0x3c, 0xff)); // inset box
	ASSERT_TRUE (bitmap->getPixel (185, 61, c));
	EXPECT_EQ (c, CColor (0xe0, 0xa0, 0x30, 0xff)); // the button is on
}

namespace {
// Takes every key and keeps the last one, as the view layer spells it.
class KeyProbe : public CView
{
public:
	KeyProbe () : CView (CRect (0, 0, 5, 5)) { setWantsFocus (true); }
	int32_t onKeyDown (VstKeyCode& code) override
	{
		downs.push_back (code);
		return 1;
	}
	int32_t onKeyUp (VstKeyCode& code) override
	{
		ups.push_back (code);
		return 1;
	}
	std::vector<VstKeyCode> downs, ups;
};
} // namespace

TEST_F (EditorFixture, HostKeysReachTheFocusViewAsTheViewLayerSpellsThem)
{
	openEditor ();
	auto* probe = new KeyProbe;
	editor->getFrame ()->addView (probe);
	ASSERT_TRUE (editor->getFrame ()->setFocusView (probe));
	const struct
	{
		char16 key;
		int16 keyCode;
		int16 modifiers;
		int32_t character;
		unsigned char virt;
		unsigned char modifier;
	} cases[] = {
	    {0, KEY_UP, 0, 0, VKEY_UP, 0},
	    {' ', KEY_SPACE, 0, 0, VKEY_SPACE, 0},
	    {0, KEY_BACK, kShiftKey, 0, VKEY_BACK, MODIFIER_SHIFT},
	    {0, KEY_EQUALS, kCommandKey, 0, VKEY_EQUALS, MODIFIER_CONTROL},
	    {0, KEY_ESCAPE, kAlternateKey | kControlKey, 0, VKEY_ESCAPE, MODIFIER_ALTERNATE | MODIFIER_COMMAND},
	    {'a', 0, kShiftKey | kCommandKey, 'a', 0, MODIFIER_SHIFT | MODIFIER_CONTROL},
	    {0x00e9, 0, 0, 0x00e9, 0, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.keyCode);
		SCOPED_TRACE (static_cast<int> (c.key));
		EXPECT_EQ (editor->onKeyDown (c.key, c.keyCode, c.modifiers), kResultTrue);
		EXPECT_EQ (editor->onKeyUp (c.key, c.keyCode, c.modifiers), kResultTrue);
		for (const auto* list : {&probe->downs, &probe->ups})
		{
			ASSERT_FALSE (list->empty ());
			EXPECT_EQ (list->back ().character, c.character);
			EXPECT_EQ (list->back ().virt, c.virt);
			EXPECT_EQ (list->back ().modifier, c.modifier);
		}
	}
	// Nothing to name (no key at all, a code past the view layer's keys): not passed on.
	const size_t seen = probe->downs.size ();
	EXPECT_EQ (editor->onKeyDown (0, 0, 0), kResultFalse);
	EXPECT_EQ (editor->onKeyDown (0, KEY_EQUALS + 1, 0), kResultFalse);
	EXPECT_EQ (editor->onKeyUp (0, -1, 0), kResultFalse);
	EXPECT_EQ (probe->downs.size (), seen);
}

TEST_F (EditorFixture, HostKeysAnswerTrueOnlyWhenAControlUsedThem)
{
	openEditor ();
	// No focus view yet, and no editor open: nothing uses a key.
	EXPECT_EQ (editor->onKeyDown (0, KEY_UP, 0), kResultFalse);

	// A click makes the knob the focus view; the arrows step it, each an edit of its own.
	CPoint p (30, 30);
	editor->getFrame ()->onMouseDown (p, kLButton);
	editor->getFrame ()->onMouseUp (p, kLButton);
	handler->log.clear ();
	EXPECT_EQ (editor->onKeyDown (0, KEY_UP, 0), kResultTrue);
	EXPECT_EQ (editor->onKeyDown (0, KEY_DOWN, kShiftKey), kResultTrue); // a tenth step
	EXPECT_EQ (handler->log, (Events {"begin 3", "perform 3 0.35", "end 3", "begin 3", "perform 3 0.34", "end 3"}));
	handler->log.clear ();
	for (auto [key, code] : {std::pair<char16, int16> {' ', KEY_SPACE}, {0, KEY_RETURN}, {'a', 0}, {0, KEY_F1}})
	{
		EXPECT_EQ (editor->onKeyDown (key, code, 0), kResultFalse) << code;
		EXPECT_EQ (editor->onKeyUp (key, code, 0), kResultFalse) << code;
	}

	// The on/off button takes Return, never Space: Space stays the host's.
	p (115, 15);
	editor->getFrame ()->onMouseDown (p, kLButton);
	EXPECT_EQ (handler->log, (Events {"begin 12", "perform 12 1", "end 12"}));
	handler->log.clear ();
	EXPECT_EQ (editor->onKeyDown (' ', KEY_SPACE, 0), kResultFalse);
	EXPECT_EQ (editor->onKeyDown (0, KEY_UP, 0), kResultFalse);
	EXPECT_TRUE (handler->log.empty ());
	EXPECT_EQ (editor->onKeyDown (0, KEY_RETURN, 0), kResultTrue);
	EXPECT_EQ (handler->log, (Events {"begin 12", "perform 12 0", "end 12"}));

	editor->close ();
	EXPECT_EQ (editor->onKeyDown (0, KEY_RETURN, 0), kResultFalse);
}

TEST_F (EditorFixture, ClosingOrExchangingTheViewEndsEveryOpenEditOnceAndSendsNothingAfter)
{
	VSTGUI::Test::ManualClock clock;
	for (bool exchange : {false, true})
	{
		SCOPED_TRACE (exchange ? "exchangeView" : "close");
		if (!editor)
			openEditor ();
		else
			ASSERT_TRUE (editor->openOffscreen ());
		controller->setParamNormalized (3, 0.25);
		controller->setParamNormalized (7, 0.);
		handler->log.clear ();
		// A wheel turn on the first knob (its end timer pending) and a drag held on the
		// switch: both edits are open when the view goes.
		CPoint p (30, 30);
		editor->getFrame ()->onWheel (p, kMouseWheelAxisY, 1.f, 0);
		p (70, 15);
		editor->getFrame ()->onMouseDown (p, kLButton);
		p (70, 65);
		editor->getFrame ()->onMouseMoved (p, kLButton);
		EXPECT_EQ (handler->log, (Events {"begin 3", "perform 3 0.35", "begin 7", "perform 7 1"}));
		handler->log.clear ();
		if (exchange)
		{
			ASSERT_TRUE (editor->exchangeView ("small"));
		}
		else
			editor->close ();
		// The drag ends as cancelled, back where it began; the wheel edit as it stands.
		EXPECT_EQ (handler->log, (Events {"perform 7 0", "end 7", "end 3"}));
		handler->log.clear ();
		clock.advance (1000);
		EXPECT_TRUE (handler->log.empty ());
	}
}
