// The about view's sub-controller: which views it remembers, the label line through
// button clicks, and letting go of views that are destroyed before it.

#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"
#include "testhelpers.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/uidescription/uiattributes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace {

class PlugAboutControllerTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		owner = new PlugController ();
		owner->initialize (nullptr);
		about = makeAbout (false);
		label = new CTextLabel (CRect (0, 0, 200, 20), "before");
		button = new COnOffButton (CRect (0, 30, 20, 50));
	}
	void TearDown () override
	{
		delete about; // as the editor does: before the views go
		if (label)
			label->forget ();
		button->forget ();
		EXPECT_TRUE (owner->getAboutControllers ().empty ());
		owner->terminate ();
		owner->release ();
	}

	PlugController::AboutController* makeAbout (bool wrapped)
	{
		auto* a = new PlugController::AboutController (owner, wrapped);
		return a;
	}

	CView* verify (CView* view) { return about->verifyView (view, attributes, nullptr); }

	void click (COnOffButton* b)
	{
		CPoint where (b->getViewSize ().left + 2, b->getViewSize ().top + 2);
		b->onMouseDown (where, CButtonState (kLButton));
		b->onMouseUp (where, CButtonState (kLButton));
	}

	std::string expectedLine (const char* format)
	{
		return std::string ("2.0.0, ") + format + " " + architectureText ();
	}

	PlugController* owner {nullptr};
	PlugController::AboutController* about {nullptr};
	CTextLabel* label {nullptr};
	COnOffButton* button {nullptr};
	UIAttributes attributes;
};

} // namespace

TEST_F (PlugAboutControllerTest, LabelFollowsTheButton)
{
	EXPECT_EQ (verify (label), label);
	EXPECT_EQ (label->getText (), ""); // cleared when it is verified
	EXPECT_EQ (verify (button), button);
	EXPECT_EQ (about->getLabel (), label);
	EXPECT_EQ (about->getButton (), button);
	EXPECT_EQ (label->getText (), ""); // the button starts off

	click (button);
	ASSERT_NE (button->getValue (), 0.f);
	EXPECT_EQ (label->getText ().getString (), expectedLine ("VST3"));
#if defined(__linux__) && defined(__x86_64__)
	EXPECT_EQ (label->getText ().getString (), "2.0.0, VST3 x86_64-Linux");
#endif

	click (button);
	EXPECT_EQ (button->getValue (), 0.f);
	EXPECT_EQ (label->getText (), "");

	click (button);
	EXPECT_EQ (label->getText ().getString (), expectedLine ("VST3"));
}

// The line follows the button whichever way its value changes: a click, the Alt-click
// reset (to the button's default, 0.5, which the button shows as off), a key, or code
// that sets the value and reports it. The button is on when its value is its maximum.
TEST_F (PlugAboutControllerTest, LabelFollowsEveryChangeOfTheButtonsValue)
{
	verify (label);
	verify (button);
	const std::string line = expectedLine ("VST3");
	auto altClick = [&] {
		CPoint where (button->getViewSize ().left + 2, button->getViewSize ().top + 2);
		button->onMouseDown (where, CButtonState (kLButton | kAlt));
		button->onMouseUp (where, CButtonState (kLButton | kAlt));
	};
	auto returnKey = [&] {
		VstKeyCode key {};
		key.virt = VKEY_RETURN;
		button->onKeyDown (key);
	};
	auto setByCode = [&] (float value) {
		button->setValue (value);
		button->valueChanged ();
	};
	const struct Step
	{
		const char* what;
		std::function<void ()> act;
		bool on;
	} steps[] = {
	    {"click", [&] { click (button); }, true},
	    {"Alt-click", altClick, false},
	    {"click after the reset", [&] { click (button); }, true},
	    {"click", [&] { click (button); }, false},
	    {"Alt-click while off", altClick, false},
	    {"Return", returnKey, true},
	    {"Alt-click", altClick, false},
	    {"Return after the reset", returnKey, true},
	    {"Return", returnKey, false},
	    {"set to the maximum by code", [&] { setByCode (1.f); }, true},
	    {"set to 0.5 by code", [&] { setByCode (0.5f); }, false},
	};
	for (const auto& step : steps)
	{
		step.act ();
		EXPECT_EQ (button->getValue () == button->getMax (), step.on) << step.what;
		EXPECT_EQ (label->getText ().getString (), step.on ? line : "") << step.what;
	}
}

TEST_F (PlugAboutControllerTest, ButtonAlreadyOnShowsTheLineAtOnceAndWrappedHostsShowAU)
{
	delete about;
	about = makeAbout (true);
	button->setValue (1.f);
	verify (label);
	verify (button);
	EXPECT_EQ (label->getText ().getString (), expectedLine ("AU"));
	EXPECT_STREQ (about->getFormatText ().text8 (), "AU");
}

TEST_F (PlugAboutControllerTest, OtherControlsAndOtherViewsAreIgnored)
{
	verify (label);
	verify (button);
	label->setText ("untouched");

	COnOffButton* other = new COnOffButton (CRect (0, 60, 20, 80));
	other->setValue (1.f);
	about->valueChanged (other);
	about->valueChanged (nullptr);
	EXPECT_EQ (label->getText (), "untouched");
	other->forget ();

	CView* plain = new CView (CRect (0, 0, 10, 10));
	CKnob* knob = new CKnob (CRect (0, 0, 30, 30), nullptr, 3, nullptr, nullptr);
	EXPECT_EQ (verify (plain), plain);
	EXPECT_EQ (verify (knob), knob);
	EXPECT_EQ (verify (nullptr), nullptr);
	EXPECT_EQ (about->getLabel (), label);
	EXPECT_EQ (about->getButton (), button);
	// A view that is not remembered going away changes nothing.
	about->viewWillDelete (plain);
	EXPECT_EQ (about->getLabel (), label);
	plain->forget ();
	knob->forget ();
}

TEST_F (PlugAboutControllerTest, LabelDestroyedFirstIsForgotten)
{
	verify (label);
	verify (button);
	label->forget ();
	label = nullptr;
	EXPECT_EQ (about->getLabel (), nullptr);
	EXPECT_EQ (about->getButton (), button);
	// Clicks with no label left do nothing (and reach no freed label).
	click (button);
	click (button);
}

TEST_F (PlugAboutControllerTest, DestructionUnregistersFromBothViews)
{
	verify (label);
	verify (button);
	delete about;
	about = nullptr;
	EXPECT_TRUE (owner->getAboutControllers ().empty ());
	label->setText ("kept");
	click (button); // no listener left to rewrite the label
	EXPECT_EQ (label->getText (), "kept");
}

TEST_F (PlugAboutControllerTest, ASecondLabelOrButtonReplacesTheFirstCompletely)
{
	CTextLabel* firstLabel = label;
	COnOffButton* firstButton = button;
	label = new CTextLabel (CRect (0, 0, 200, 20));
	button = new COnOffButton (CRect (0, 30, 20, 50));
	verify (firstLabel);
	verify (firstButton);
	verify (label);
	verify (button);
	EXPECT_EQ (about->getLabel (), label);
	EXPECT_EQ (about->getButton (), button);

	firstLabel->setText ("first");
	click (firstButton); // the first button is no longer listened to
	EXPECT_EQ (firstLabel->getText (), "first");
	EXPECT_EQ (label->getText (), "");
	click (button);
	EXPECT_EQ (label->getText ().getString (), expectedLine ("VST3"));
	EXPECT_EQ (firstLabel->getText (), "first");

	// The first pair outlives the controller without pointing at it.
	delete about;
	about = nullptr;
	firstLabel->forget ();
	click (firstButton);
	firstButton->forget ();
}
