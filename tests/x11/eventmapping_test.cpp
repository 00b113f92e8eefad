// The translation of X event fields into CButtonState and VstKeyCode; needs no X server.

#include "vstgui/lib/platform/linux/x11eventmapping.h"

#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

#include <vector>

using namespace VSTGUI;
using namespace VSTGUI::X11;

namespace {

TEST (X11EventMapping, ModifierMasksBecomeButtonStateAndKeyModifierBits)
{
	struct Case
	{
		unsigned int state;
		int32_t buttons;
		unsigned char keyModifiers;
	};
	const Case cases[] = {
	    {0, 0, 0},
	    {ShiftMask, kShift, MODIFIER_SHIFT},
	    {ControlMask, kControl, MODIFIER_CONTROL},
	    {Mod1Mask, kAlt, MODIFIER_ALTERNATE},
	    {Mod4Mask, kApple, MODIFIER_COMMAND},
	    {ShiftMask | Mod1Mask, kShift | kAlt, MODIFIER_SHIFT | MODIFIER_ALTERNATE},
	    // Caps Lock, Num Lock (Mod2) and the pointer buttons are no modifiers.
	    {LockMask | Mod2Mask | Button1Mask, 0, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << "state 0x" << std::hex << c.state);
		EXPECT_EQ (modifiersFromState (c.state), c.buttons);
		EXPECT_EQ (keyModifiersFromState (c.state), c.keyModifiers);
		// The key event's modifiers mean the same as the pointer event's.
		EXPECT_EQ (buttonStateFromKeyModifiers (c.keyModifiers) (), c.buttons);
	}
}

TEST (X11EventMapping, PointerButtonsAndHeldButtonMasks)
{
	const std::pair<unsigned int, int32_t> buttons[] = {
	    {1, kLButton}, {2, kMButton}, {3, kRButton}, {8, kButton4}, {9, kButton5},
	    {4, 0},        {5, 0},        {6, 0},        {7, 0},        {10, 0},
	};
	for (const auto& b : buttons)
		EXPECT_EQ (buttonFromXButton (b.first), b.second) << "X button " << b.first;

	EXPECT_EQ (buttonsFromState (Button1Mask), kLButton);
	EXPECT_EQ (buttonsFromState (Button1Mask | Button3Mask | ShiftMask), kLButton | kRButton);
	// Button4Mask and Button5Mask are the wheel, not the side buttons.
	EXPECT_EQ (buttonsFromState (Button4Mask | Button5Mask), 0);
}

TEST (X11EventMapping, WheelButtonsGiveAxisAndDirection)
{
	struct Case
	{
		unsigned int button;
		CMouseWheelAxis axis;
		float distance;
	};
	const Case cases[] = {
	    {4, kMouseWheelAxisY, 1.f},
	    {5, kMouseWheelAxisY, -1.f},
	    {6, kMouseWheelAxisX, 1.f},
	    {7, kMouseWheelAxisX, -1.f},
	};
	for (const auto& c : cases)
	{
		CMouseWheelAxis axis = c.axis == kMouseWheelAxisX ? kMouseWheelAxisY : kMouseWheelAxisX;
		float distance = 0.f;
		ASSERT_TRUE (wheelFromXButton (c.button, axis, distance)) << c.button;
		EXPECT_EQ (axis, c.axis) << c.button;
		EXPECT_EQ (distance, c.distance) << c.button;
	}
	CMouseWheelAxis axis = kMouseWheelAxisX;
	float distance = 0.f;
	for (unsigned int notWheel : {1u, 2u, 3u, 8u, 9u})
		EXPECT_FALSE (wheelFromXButton (notWheel, axis, distance)) << notWheel;
}

TEST (X11EventMapping, KeysymsBecomeVirtualKeysOrCharacters)
{
	struct Case
	{
		unsigned long keysym;
		unsigned int state;
		unsigned char virt;
		int32_t character;
		unsigned char modifier;
	};
	const Case cases[] = {
	    {XK_Escape, 0, VKEY_ESCAPE, 0, 0},
	    {XK_Left, 0, VKEY_LEFT, 0, 0},
	    {XK_Up, ShiftMask, VKEY_UP, 0, MODIFIER_SHIFT},
	    {XK_Right, 0, VKEY_RIGHT, 0, 0},
	    {XK_Down, ControlMask, VKEY_DOWN, 0, MODIFIER_CONTROL},
	    {XK_KP_Up, 0, VKEY_UP, 0, 0}, // keypad arrows with Num Lock off
	    {XK_Return, 0, VKEY_RETURN, 0, 0},
	    {XK_KP_Enter, 0, VKEY_ENTER, 0, 0},
	    {XK_space, 0, VKEY_SPACE, 0, 0},
	    {XK_ISO_Left_Tab, ShiftMask, VKEY_TAB, 0, MODIFIER_SHIFT}, // Shift+Tab
	    {XK_Page_Down, 0, VKEY_PAGEDOWN, 0, 0},
	    {XK_F1, 0, VKEY_F1, 0, 0},
	    {XK_F12, 0, VKEY_F12, 0, 0},
	    {XK_KP_0, Mod2Mask, VKEY_NUMPAD0, 0, 0},
	    {XK_KP_9, Mod2Mask, VKEY_NUMPAD9, 0, 0},
	    {XK_Alt_L, 0, VKEY_ALT, 0, 0},
	    {XK_Shift_R, 0, VKEY_SHIFT, 0, 0},
	    {XK_a, Mod1Mask, 0, 'a', MODIFIER_ALTERNATE},
	    {XK_A, ShiftMask, 0, 'A', MODIFIER_SHIFT},
	    {XK_udiaeresis, 0, 0, 0xfc, 0},
	    {0x10020ac, 0, 0, 0x20ac, 0}, // the euro sign in the Unicode keysym range
	    {XK_Caps_Lock, 0, 0, 0, 0},   // neither: the window drops it
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << "keysym 0x" << std::hex << c.keysym);
		VstKeyCode code = keyCodeFromKeysym (c.keysym, c.state);
		EXPECT_EQ (code.virt, c.virt);
		EXPECT_EQ (code.character, c.character);
		EXPECT_EQ (code.modifier, c.modifier);
	}
}

TEST (X11EventMapping, DoubleClickNeedsSameButtonSoonAndNearby)
{
	using D = DoubleClickDetector;
	struct Press
	{
		unsigned int button;
		unsigned long time;
		int x, y;
		bool isDouble;
	};
	struct Case
	{
		const char* name;
		std::vector<Press> presses;
	};
	const Case cases[] = {
	    {"quick second press", {{1, 1000, 10, 10, false}, {1, 1000 + D::kIntervalMs, 10, 10, true}}},
	    {"too slow", {{1, 1000, 10, 10, false}, {1, 1001 + D::kIntervalMs, 10, 10, false}}},
	    {"other button", {{1, 1000, 10, 10, false}, {3, 1100, 10, 10, false}}},
	    {"moved away", {{1, 1000, 10, 10, false}, {1, 1100, 10 + D::kSlopPixels + 1, 10, false}}},
	    {"within slop", {{1, 1000, 10, 10, false}, {1, 1100, 10 - D::kSlopPixels, 10 + D::kSlopPixels, true}}},
	    {"triple click", {{1, 1000, 5, 5, false}, {1, 1100, 5, 5, true}, {1, 1200, 5, 5, false}, {1, 1300, 5, 5, true}}},
	    // The server's millisecond clock wraps after 49.7 days.
	    {"across the clock wrap", {{1, 0xffffff00UL, 10, 10, false}, {1, 0x40, 10, 10, true}}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		DoubleClickDetector detector;
		for (size_t i = 0; i < c.presses.size (); ++i)
		{
			const auto& p = c.presses[i];
			EXPECT_EQ (detector.onPress (p.button, p.time, p.x, p.y), p.isDouble) << "press " << i;
		}
	}
}

} // namespace
