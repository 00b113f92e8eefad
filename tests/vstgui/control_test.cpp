#include "testsupport.h"
#include <algorithm>
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

namespace {
// The frame's side of edits, as an editor sees them.
class EditRecordingEditor : public VSTGUI::Test::TestEditor
{
public:
	EditRecordingEditor () : TestEditor (kLinearMode) {}
	void beginEdit (int32_t index) override { events.push_back ("begin " + std::to_string (index)); }
	void endEdit (int32_t index) override { events.push_back ("end " + std::to_string (index)); }
	std::vector<std::string> events;
};
} // namespace

TEST (CControlTest, AnEditOpenWhenTheControlLeavesTheFrameEndsThereOnce)
{
	using VSTGUI::Test::ManualClock;
	enum class Edit { kWheel, kDrag, kNested };
	enum class Removal { kControl, kItsContainer, kFrameClose };
	const struct
	{
		const char* name;
		Edit edit;
		Removal removal;
	} cases[] = {
	    {"wheel, control removed", Edit::kWheel, Removal::kControl},
	    {"wheel, container removed", Edit::kWheel, Removal::kItsContainer},
	    {"wheel, frame closed", Edit::kWheel, Removal::kFrameClose},
	    {"drag, control removed", Edit::kDrag, Removal::kControl},
	    {"drag, container removed", Edit::kDrag, Removal::kItsContainer},
	    {"drag, frame closed", Edit::kDrag, Removal::kFrameClose},
	    {"nested begins, control removed", Edit::kNested, Removal::kControl},
	    {"nested begins, frame closed", Edit::kNested, Removal::kFrameClose},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		ManualClock clock;
		const size_t baseTimers = RunLoop::instance ().getTimerCount ();
		EditRecordingEditor editor;
		RecordingListener rec;
		CFrame* frame = new CFrame (CRect (0, 0, 200, 200), &editor);
		auto* box = new CViewContainer (CRect (50, 50, 150, 150));
		frame->addView (box);
		auto* knob = new CKnob (CRect (0, 0, 50, 50), &rec, 4, nullptr, nullptr);
		knob->setValue (0.3f);
		box->addView (knob);
		SharedPointer<CKnob> keep (knob); // the test looks at it after it left

		CPoint p (75, 75); // the knob's centre in frame coordinates
		switch (c.edit)
		{
			case Edit::kWheel: frame->onWheel (p, kMouseWheelAxisY, 1.f, 0); break;
			case Edit::kDrag:
				frame->onMouseDown (p, kLButton);
				p (75, 35);
				frame->onMouseMoved (p, kLButton);
				break;
			case Edit::kNested:
				knob->beginEdit ();
				knob->beginEdit ();
				break;
		}
		ASSERT_TRUE (knob->isEditing ());
		ASSERT_EQ (editor.events, (std::vector<std::string> {"begin 4"}));
		const float valueBefore = knob->getValue ();

		switch (c.removal)
		{
			case Removal::kControl: box->removeView (knob); break;
			case Removal::kItsContainer: frame->removeView (box); break;
			case Removal::kFrameClose: break;
		}
		if (c.removal == Removal::kFrameClose)
			frame->close ();
		EXPECT_FALSE (knob->isEditing ());
		EXPECT_EQ (editor.events, (std::vector<std::string> {"begin 4", "end 4"}));
		EXPECT_EQ (std::count (rec.events.begin (), rec.events.end (), "end"), 1);
		EXPECT_EQ (rec.events.back (), "end");
		// A drag cut short is cancelled: back to the value of its mouse-down; other
		// edits end with the value they have.
		EXPECT_EQ (knob->getValue (), c.edit == Edit::kDrag ? 0.3f : valueBefore);
		EXPECT_EQ (RunLoop::instance ().getTimerCount (), baseTimers); // no wheel timer left

		// Nothing follows: not the wheel's end timer, not the rest of the gesture.
		const auto logged = rec.events;
		clock.advance (1000);
		if (c.removal != Removal::kFrameClose)
		{
			p (75, 20);
			frame->onMouseMoved (p, kLButton);
			frame->onMouseUp (p, kLButton);
			frame->close ();
		}
		EXPECT_EQ (rec.events, logged);
		EXPECT_EQ (editor.events.size (), 2u);
	}
}
