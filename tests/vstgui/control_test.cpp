#include "testsupport.h"
#include <cmath>
#include <limits>

using namespace VSTGUI;
using VSTGUI::Test::RecordingListener;

namespace {
// A plain control to exercise CControl's own behaviour.
class PlainControl : public CControl
{
public:
	using CControl::CControl;
};
} // namespace

TEST (CControlTest, ValueLimitsAndNormalization)
{
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10));
	c->setMin (-10.f);
	c->setMax (10.f);
	c->setValue (25.f);
	EXPECT_EQ (c->getValue (), 10.f);
	c->setValue (std::numeric_limits<float>::quiet_NaN ());
	EXPECT_EQ (c->getValue (), 10.f); // NaN ignored
	c->setValueNormalized (0.25f);
	EXPECT_EQ (c->getValue (), -5.f);
	EXPECT_EQ (c->getValueNormalized (), 0.25f);
	c->setValueNormalized (std::numeric_limits<float>::quiet_NaN ());
	EXPECT_EQ (c->getValue (), -10.f); // NaN normalized counts as 0
	c->setValueNormalized (7.f);
	EXPECT_EQ (c->getValue (), 10.f);
	c->setMin (10.f);
	EXPECT_EQ (c->getValueNormalized (), 0.f); // empty range
}

TEST (CControlTest, DirtyFollowsOldValue)
{
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10));
	c->setDirty (false);
	EXPECT_FALSE (c->isDirty ());
	c->setValue (0.5f);
	EXPECT_TRUE (c->isDirty ());
	c->invalid (); // clears the flag and takes the value as drawn
	EXPECT_FALSE (c->isDirty ());
	c->setDirty (true);
	EXPECT_TRUE (c->isDirty ());
}

TEST (CControlTest, DefaultValueGestureNeedsLeftButtonAndExactlyTheResetModifier)
{
	EXPECT_EQ (CControl::kDefaultValueModifier, kAlt);
	EXPECT_EQ (CControl::kZoomModifier, kShift);
	EXPECT_EQ (CControl::checkDefaultValueFunc, &defaultCheckDefaultValue);
	struct Case
	{
		int32_t buttons;
		bool reset;
	} cases[] = {
	    {kLButton | kAlt, true},
	    {kLButton | kAlt | kDoubleClick, true},   // double-click flag plays no part
	    {kLButton | kAlt | kMouseWheelInverted, true},
	    {kLButton | kAlt | kShift, false},
	    {kLButton | kAlt | kRButton, false},
	    {kLButton | kAlt | kButton4, false},
	    {kLButton | kControl, false},             // Command on the Mac
	    {kLButton | kApple, false},               // Control on the Mac
	    {kLButton, false},
	    {kRButton | kAlt, false},
	    {kAlt, false},
	};
	for (const auto& c : cases)
		EXPECT_EQ (defaultCheckDefaultValue (nullptr, CButtonState (c.buttons)), c.reset) << std::hex << c.buttons;
}

TEST (CControlTest, CheckDefaultValueResetsInsideOneEdit)
{
	RecordingListener rec;
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10), &rec);
	c->setDefaultValue (0.5f);
	c->setValue (0.9f);
	c->setDirty (false);

	EXPECT_FALSE (c->checkDefaultValue (kLButton | kShift));
	EXPECT_TRUE (rec.events.empty ());

	EXPECT_TRUE (c->checkDefaultValue (kLButton | kAlt));
	EXPECT_EQ (c->getValue (), 0.5f);
	EXPECT_EQ (rec.events, (std::vector<std::string> {"begin", "change 0.5", "end"}));
	EXPECT_TRUE (c->isDirty ()); // marked for redraw
	EXPECT_FALSE (c->isEditing ());

	rec.events.clear ();
	EXPECT_TRUE (c->checkDefaultValue (kLButton | kAlt)); // already there: taken, nothing sent
	EXPECT_TRUE (rec.events.empty ());
}

TEST (CControlTest, InstalledPredicateDecides)
{
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10));
	c->setValue (1.f);
	auto saved = CControl::checkDefaultValueFunc;
	CControl::checkDefaultValueFunc = [] (CControl*, CButtonState b) { return (b & kRButton) != 0; };
	EXPECT_FALSE (c->checkDefaultValue (kLButton | kAlt));
	EXPECT_TRUE (c->checkDefaultValue (kRButton));
	CControl::checkDefaultValueFunc = saved;
	EXPECT_EQ (c->getValue (), 0.5f);
}

TEST (CControlTest, EditDepthNotifiesOutermostOnlyAndIgnoresStrayEnds)
{
	RecordingListener rec, sub;
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10), &rec);
	c->registerControlListener (&sub);
	c->endEdit (); // nothing open: dropped
	c->beginEdit ();
	c->beginEdit ();
	EXPECT_EQ (c->getEditDepth (), 2);
	c->endEdit ();
	EXPECT_TRUE (c->isEditing ());
	c->endEdit ();
	EXPECT_FALSE (c->isEditing ());
	EXPECT_EQ (rec.events, (std::vector<std::string> {"begin", "end"}));
	EXPECT_EQ (sub.events, rec.events);
	c->unregisterControlListener (&sub);
	c->valueChanged ();
	EXPECT_EQ (sub.events.size (), 2u);
	EXPECT_EQ (rec.events.size (), 3u);
}

TEST (CControlTest, ListenerMayUnregisterDuringNotification)
{
	struct SelfRemoving : IControlListener
	{
		int calls = 0;
		void valueChanged (CControl* c) override
		{
			++calls;
			c->unregisterControlListener (this);
		}
	};
	SelfRemoving a, b;
	auto c = makeOwned<PlainControl> (CRect (0, 0, 10, 10));
	c->registerControlListener (&a);
	c->registerControlListener (&b);
	c->valueChanged ();
	c->valueChanged ();
	EXPECT_EQ (a.calls, 1);
	EXPECT_EQ (b.calls, 1);
}
