#include "testsupport.h"

using namespace VSTGUI;
using VSTGUI::Test::RecordingListener;
using Events = std::vector<std::string>;

namespace {
// A vertical switch of three positions, 20 x 60: each position 20 px tall.
CVerticalSwitch* makeSwitch (IControlListener* l)
{
	auto* sw = new CVerticalSwitch (CRect (0, 0, 20, 60), l, 2, 3, 60, 3, nullptr);
	sw->setDefaultValue (0.5f);
	sw->setDirty (false); // as after its first drawing
	return sw;
}
} // namespace

TEST (CSwitchTest, PositionUnderThePointer)
{
	RecordingListener rec;
	auto sw = owned (makeSwitch (&rec));
	struct Case
	{
		CCoord y;
		float value;
	} cases[] = {{0, 0.f}, {19.9, 0.f}, {20, 0.5f}, {45, 1.f}, {59.9, 1.f}, {80, 1.f}, {-5, 0.f}};
	for (const auto& c : cases)
	{
		CPoint p (10, c.y);
		EXPECT_EQ (sw->onMouseDown (p, kLButton), kMouseEventHandled);
		EXPECT_EQ (sw->getValue (), c.value) << c.y;
		sw->onMouseUp (p, kLButton);
	}
	EXPECT_FALSE (sw->isEditing ());
}

TEST (CSwitchTest, HorizontalSwitchUsesX)
{
	auto sw = owned (new CHorizontalSwitch (CRect (10, 0, 110, 20), nullptr, 1, 4, 20, 4, nullptr));
	CPoint p (10 + 60, 5); // third of four cells
	sw->onMouseDown (p, kLButton);
	EXPECT_NEAR (sw->getValue (), 2.f / 3.f, 1e-6);
}

TEST (CSwitchTest, OptionClickResetsAndBracketsTheCheck)
{
	RecordingListener rec;
	auto sw = owned (makeSwitch (&rec));
	sw->setValue (1.f);
	CPoint p (10, 5);
	// Left bit plus another button still counts for a switch; Option alone is the reset.
	EXPECT_EQ (sw->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (sw->getValue (), 0.5f);
	EXPECT_EQ (rec.events, (Events {"begin", "change 0.5", "end"}));
	rec.events.clear ();
	EXPECT_EQ (sw->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (rec.events, (Events {"begin", "end"}));
	rec.events.clear ();
	EXPECT_EQ (sw->onMouseDown (p, kRButton), kMouseEventNotHandled);
	EXPECT_TRUE (rec.events.empty ());
}

TEST (CSwitchTest, DragAndCancel)
{
	RecordingListener rec;
	auto sw = owned (makeSwitch (&rec));
	CPoint p (10, 5);
	sw->onMouseDown (p, kLButton);
	p (10, 50);
	sw->onMouseMoved (p, kLButton);
	EXPECT_EQ (sw->getValue (), 1.f);
	sw->onMouseCancel ();
	EXPECT_EQ (sw->getValue (), 0.f);
	EXPECT_EQ (rec.events, (Events {"begin", "change 1", "change 0", "end"}));
}

TEST (CSwitchTest, ASecondButtonDuringADragLeavesNoEditOpen)
{
	VSTGUI::Test::FrameFixture f;
	RecordingListener rec;
	auto* sw = makeSwitch (&rec);
	f.frame->addView (sw);
	CPoint p (10, 5);
	f.frame->onMouseDown (p, kLButton);
	p (10, 50);
	f.frame->onMouseMoved (p, kLButton);
	f.frame->onMouseDown (p, kLButton | kRButton);
	EXPECT_EQ (sw->getValue (), 1.f);
	f.frame->onMouseUp (p, kRButton);
	EXPECT_FALSE (sw->isEditing ());
	EXPECT_EQ (sw->getValue (), 1.f);
	EXPECT_EQ (rec.events, (Events {"begin", "change 1", "end", "begin", "end"}));
}

TEST (COnOffButtonTest, ClickAndReturnToggle)
{
	RecordingListener rec;
	auto b = owned (new COnOffButton (CRect (0, 0, 20, 20), &rec, 5));
	b->setDirty (false);
	CPoint p (5, 5);
	EXPECT_EQ (b->onMouseDown (p, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (b->getValue (), 1.f);
	EXPECT_EQ (rec.events, (Events {"begin", "change 1", "end"}));
	EXPECT_EQ (b->onMouseDown (p, kRButton), kMouseEventNotHandled);
	EXPECT_EQ (b->getValue (), 1.f);
	VstKeyCode key;
	key.virt = VKEY_RETURN;
	EXPECT_EQ (b->onKeyDown (key), 1);
	EXPECT_EQ (b->getValue (), 0.f);
	// Space, the host's transport key, and modified Returns are not the button's.
	rec.events.clear ();
	for (auto [virt, modifier] : {std::pair<int, int> {VKEY_SPACE, 0}, {VKEY_UP, 0}, {VKEY_RETURN, MODIFIER_SHIFT}})
	{
		key.virt = static_cast<unsigned char> (virt);
		key.modifier = static_cast<unsigned char> (modifier);
		EXPECT_EQ (b->onKeyDown (key), -1) << virt;
	}
	EXPECT_EQ (b->getValue (), 0.f);
	EXPECT_TRUE (rec.events.empty ());
}

TEST (COnOffButtonTest, OptionClickResetsInsteadOfToggling)
{
	RecordingListener rec;
	auto b = owned (new COnOffButton (CRect (0, 0, 20, 20), &rec, 5));
	b->setDefaultValue (1.f);
	b->setDirty (false);
	CPoint p (5, 5);
	// Off: the reset turns it on, with one begin, change and end, and asks for a redraw.
	EXPECT_EQ (b->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (b->getValue (), 1.f);
	EXPECT_TRUE (b->isDirty ());
	EXPECT_EQ (rec.events, (Events {"begin", "change 1", "end"}));
	// Already at its default: taken, and nothing changes (a toggle would turn it off).
	rec.events.clear ();
	EXPECT_EQ (b->onMouseDown (p, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (b->getValue (), 1.f);
	EXPECT_TRUE (rec.events.empty ());
	// With another modifier it is a plain click again.
	EXPECT_EQ (b->onMouseDown (p, kLButton | kAlt | kShift), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (b->getValue (), 0.f);
}
