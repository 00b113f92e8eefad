// The parameter table against the other places that know the ranges: the processor's
// curves and the controls of "plug.uidesc".

#include "source/controller/plugcontroller.h"
#include "source/controller/plugparameters.h"
#include "source/processor/dsp/parametercurves.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"
#include "controllerfixture.h"
#include "testhelpers.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/resourcepath.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ord3ltest::narrow;

namespace {

class PlugParameterTableTest : public ord3ltest::ControllerFixture
{
protected:
	void SetUp () override
	{
		ControllerFixture::SetUp ();
		ASSERT_EQ (controller->getParameterCount (), kNumPlugParameters);
	}
};

/** The processor's setting for a range parameter's tag at normalized n, in the unit the
    controller shows (dB, %, Hz, Q). */
double processorPlain (ParamID tag, double n)
{
	if (tag == kLevelId)
		return 20.0 * std::log10 (outputGainFromLevel (n)); // the processor keeps a linear gain
	if (tag == kRangeId)
		return 100.0 * rangeFactor (n);
	switch ((tag - kGainLFId) % 4)
	{
		case 0: return bandGainDb (n);
		case 1:
			if (tag == kFreqLFId)
				return lowShelfFreqHz (n);
			if (tag == kFreqHFId)
				return highShelfFreqHz (n);
			return peakFreqHz (n);
		case 2: return bandQ (n);
	}
	ADD_FAILURE () << "tag " << tag << " has no plain curve";
	return 0.0;
}

/** Notes which views the description gives a "default-value". */
class DefaultValueCollector : public VSTGUI::IController
{
public:
	void valueChanged (VSTGUI::CControl*) override {}
	VSTGUI::CView* verifyView (VSTGUI::CView* view, const VSTGUI::UIAttributes& attributes,
	                           const VSTGUI::IUIDescription*) override
	{
		if (attributes.hasAttribute ("default-value"))
			withDefault.push_back (view);
		return view;
	}
	bool hasDefault (VSTGUI::CView* view) const
	{
		return std::find (withDefault.begin (), withDefault.end (), view) != withDefault.end ();
	}
	std::vector<VSTGUI::CView*> withDefault;
};

/** The record's normalized value under a parameter's tag. */
double recordValue (const PlugState& record, ParamID tag)
{
	if (tag == kBypassId)
		return record.bypass ? 1.0 : 0.0;
	if (tag == kLevelId)
		return record.levelNorm;
	if (tag == kRangeId)
		return record.rangeNorm;
	const PlugBandState& band = record.bands[(tag - kGainLFId) / 4];
	switch ((tag - kGainLFId) % 4)
	{
		case 0: return band.gainNorm;
		case 1: return band.freqNorm;
		case 2: return band.qNorm;
	}
	return band.enabled ? 1.0 : 0.0;
}

} // namespace

TEST_F (PlugParameterTableTest, ControllerShowsWhatTheProcessorApplies)
{
	for (const PlugParameterSpec& spec : kPlugParameters)
	{
		SCOPED_TRACE (narrow (spec.title));
		for (int32 step = 0; step <= 10; ++step)
		{
			const double n = step / 10.0;
			const double shown = controller->normalizedParamToPlain (spec.tag, n);
			if (spec.curve == ParamCurve::kSwitch)
			{
				// A switch carries its normalized value; the processor's threshold is 0.5.
				String128 text {};
				controller->getParamStringByValue (spec.tag, n, text);
				EXPECT_EQ (shown, n);
				EXPECT_EQ (narrow (text), n > 0.5 ? "On" : "Off") << n;
				continue;
			}
			const double applied = processorPlain (spec.tag, n);
			if (spec.tag == kLevelId)
			{
				// dB against a linear gain: pow and log10 each round, measured at 1e-14 dB.
				EXPECT_NEAR (shown, applied, 1e-12 * std::max (1.0, std::fabs (applied))) << n;
			}
			else if (spec.tag == kRangeId && n <= 0.01)
			{
				// The processor applies at least 1 %; the display's 0 stands for it.
				EXPECT_EQ (shown, 0.0);
				EXPECT_EQ (applied, 1.0);
			}
			else
			{
				// The same closed forms with the same constants: equal bit for bit.
				EXPECT_EQ (shown, applied) << n;
			}
		}
	}
}

TEST_F (PlugParameterTableTest, ControllerIsBuiltFromTheTable)
{
	for (int32 index = 0; index < kNumPlugParameters; ++index)
	{
		const PlugParameterSpec& spec = kPlugParameters[index];
		SCOPED_TRACE (narrow (spec.title));
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfo (index, info), kResultOk);
		EXPECT_EQ (info.id, spec.tag);
		EXPECT_EQ (narrow (info.title), narrow (spec.title));
		EXPECT_EQ (narrow (info.units), narrow (spec.units));
		EXPECT_EQ (info.flags, spec.flags);
		EXPECT_EQ (info.stepCount, spec.curve == ParamCurve::kSwitch ? 1 : 0);
		EXPECT_EQ (controller->normalizedParamToPlain (spec.tag, 0.0), spec.minPlain);
		EXPECT_NEAR (controller->normalizedParamToPlain (spec.tag, 1.0), spec.maxPlain, 1e-12 * spec.maxPlain);
		EXPECT_NEAR (controller->normalizedParamToPlain (spec.tag, info.defaultNormalizedValue), spec.defaultPlain,
		             1e-12 * std::max (1.0, std::fabs (spec.defaultPlain)));
		if (spec.curve != ParamCurve::kSwitch)
		{
			EXPECT_EQ (controller->getParameterObject (spec.tag)->getPrecision (), spec.precision);
		}
	}
}

TEST_F (PlugParameterTableTest, DefaultsAreWhatANewProcessorRuns)
{
	const PlugState record = makeInitialPlugState ();
	for (const PlugParameterSpec& spec : kPlugParameters)
	{
		SCOPED_TRACE (narrow (spec.title));
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfoByTag (spec.tag, info), kResultOk);
		const double stored = recordValue (record, spec.tag);
		if (spec.curve == ParamCurve::kSwitch)
		{
			// A host's reset and a new controller show what a new processor runs.
			EXPECT_EQ (info.defaultNormalizedValue, stored);
			EXPECT_EQ (controller->getParamNormalized (spec.tag), stored);
			continue;
		}
		const double applied = processorPlain (spec.tag, stored);
		if (spec.curve == ParamCurve::kExponential && spec.units == nullptr)
		{
			// Q: the record holds 0.50515, the parameter log10 (3.2) = 0.5051499783...
			EXPECT_NEAR (info.defaultNormalizedValue, stored, 1e-7);
			EXPECT_NEAR (applied, spec.defaultPlain, 1e-6 * spec.defaultPlain);
		}
		else
		{
			EXPECT_NEAR (info.defaultNormalizedValue, stored, 1e-15);
			EXPECT_NEAR (applied, spec.defaultPlain, 1e-12 * std::max (1.0, std::fabs (spec.defaultPlain)));
		}
	}
}

// Reads "plug.uidesc" with the editor's own reader and holds every control against the
// parameter of its tag. The controls carry normalized values.
TEST (PlugUIDescription, ControlsFitTheParameterTable)
{
	VSTGUI::setResourcePath (ORD3L_RESOURCE_DIR);
	auto description = VSTGUI::owned (new VSTGUI::UIDescription (VSTGUI::CResourceDescription ("plug.uidesc")));
	ASSERT_TRUE (description->parse ()) << description->getLastError ();
	DefaultValueCollector collector;
	VSTGUI::CView* view = description->createView ("view", &collector);
	ASSERT_NE (view, nullptr) << description->getLastError ();
	ASSERT_NE (view->asViewContainer (), nullptr);

	auto* controller = new PlugController ();
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);

	std::map<ParamID, const PlugParameterSpec*> specs;
	for (const PlugParameterSpec& spec : kPlugParameters)
		specs[spec.tag] = &spec;
	std::map<ParamID, int> editors; // controls that change the parameter, labels left out

	std::vector<VSTGUI::CControl*> controls;
	view->asViewContainer ()->getChildViewsOfType<VSTGUI::CControl> (controls, true);
	for (VSTGUI::CControl* control : controls)
	{
		if (control->getTag () < 0)
			continue; // bound to no parameter (the about button)
		const auto tag = static_cast<ParamID> (control->getTag ());
		SCOPED_TRACE ("tag " + std::to_string (tag));
		ASSERT_EQ (specs.count (tag), 1u) << "a control is bound to a tag without a parameter";
		const PlugParameterSpec& spec = *specs[tag];
		const bool isSwitch = spec.curve == ParamCurve::kSwitch;
		const bool isButton = dynamic_cast<VSTGUI::COnOffButton*> (control) != nullptr;
		EXPECT_EQ (isButton, isSwitch) << "switches are on/off buttons, and only they";
		EXPECT_EQ (control->getMin (), 0.f);
		EXPECT_EQ (control->getMax (), 1.f);
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfoByTag (tag, info), kResultOk);
		// The description writes Q's default as 0.50515, the record's value.
		if (collector.hasDefault (control))
		{
			EXPECT_NEAR (control->getDefaultValue (), info.defaultNormalizedValue, 1e-5);
		}
		if (!dynamic_cast<VSTGUI::CTextLabel*> (control))
			++editors[tag];
	}
	for (const PlugParameterSpec& spec : kPlugParameters)
		EXPECT_GE (editors[spec.tag], 1) << narrow (spec.title) << " has no control";

	view->forget ();
	controller->terminate ();
	controller->release ();
}
