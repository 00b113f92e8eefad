#include "x11eventmapping.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace VSTGUI {
namespace X11 {

int32_t modifiersFromState (unsigned int state)
{
	int32_t result = 0;
	if (state & ShiftMask)
		result |= kShift;
	if (state & ControlMask)
		result |= kControl;
	if (state & Mod1Mask)
		result |= kAlt;
	if (state & Mod4Mask)
		result |= kApple;
	return result;
}

unsigned char keyModifiersFromState (unsigned int state)
{
	unsigned char result = 0;
	if (state & ShiftMask)
		result |= MODIFIER_SHIFT;
	if (state & ControlMask)
		result |= MODIFIER_CONTROL;
	if (state & Mod1Mask)
		result |= MODIFIER_ALTERNATE;
	if (state & Mod4Mask)
		result |= MODIFIER_COMMAND;
	return result;
}

int32_t buttonsFromState (unsigned int state)
{
	int32_t result = 0;
	if (state & Button1Mask)
		result |= kLButton;
	if (state & Button2Mask)
		result |= kMButton;
	if (state & Button3Mask)
		result |= kRButton;
	return result;
}

int32_t buttonFromXButton (unsigned int button)
{
	switch (button)
	{
		case 1:
			return kLButton;
		case 2:
			return kMButton;
		case 3:
			return kRButton;
		case 8:
			return kButton4;
		case 9:
			return kButton5;
		default:
			return 0;
	}
}

bool wheelFromXButton (unsigned int button, CMouseWheelAxis& axis, float& distance)
{
	switch (button)
	{
		case 4:
			axis = kMouseWheelAxisY;
			distance = 1.f;
			return true;
		case 5:
			axis = kMouseWheelAxisY;
			distance = -1.f;
			return true;
		case 6:
			axis = kMouseWheelAxisX;
			distance = 1.f;
			return true;
		case 7:
			axis = kMouseWheelAxisX;
			distance = -1.f;
			return true;
		default:
			return false;
	}
}

namespace {

unsigned char virtualKeyFromKeysym (unsigned long keysym)
{
	if (keysym >= XK_F1 && keysym <= XK_F12)
		return static_cast<unsigned char> (VKEY_F1 + (keysym - XK_F1));
	if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
		return static_cast<unsigned char> (VKEY_NUMPAD0 + (keysym - XK_KP_0));
	switch (keysym)
	{
		case XK_BackSpace: return VKEY_BACK;
		case XK_Tab:
		case XK_ISO_Left_Tab:
		case XK_KP_Tab: return VKEY_TAB;
		case XK_Clear: return VKEY_CLEAR;
		case XK_Return: return VKEY_RETURN;
		case XK_Pause: return VKEY_PAUSE;
		case XK_Escape: return VKEY_ESCAPE;
		case XK_space:
		case XK_KP_Space: return VKEY_SPACE;
		case XK_End:
		case XK_KP_End: return VKEY_END;
		case XK_Home:
		case XK_KP_Home: return VKEY_HOME;
		case XK_Left:
		case XK_KP_Left: return VKEY_LEFT;
		case XK_Up:
		case XK_KP_Up: return VKEY_UP;
		case XK_Right:
		case XK_KP_Right: return VKEY_RIGHT;
		case XK_Down:
		case XK_KP_Down: return VKEY_DOWN;
		case XK_Page_Up:
		case XK_KP_Page_Up: return VKEY_PAGEUP;
		case XK_Page_Down:
		case XK_KP_Page_Down: return VKEY_PAGEDOWN;
		case XK_Select: return VKEY_SELECT;
		case XK_Print: return VKEY_PRINT;
		case XK_KP_Enter: return VKEY_ENTER;
		case XK_Sys_Req: return VKEY_SNAPSHOT;
		case XK_Insert:
		case XK_KP_Insert: return VKEY_INSERT;
		case XK_Delete:
		case XK_KP_Delete: return VKEY_DELETE;
		case XK_Help: return VKEY_HELP;
		case XK_KP_Multiply: return VKEY_MULTIPLY;
		case XK_KP_Add: return VKEY_ADD;
		case XK_KP_Separator: return VKEY_SEPARATOR;
		case XK_KP_Subtract: return VKEY_SUBTRACT;
		case XK_KP_Decimal: return VKEY_DECIMAL;
		case XK_KP_Divide: return VKEY_DIVIDE;
		case XK_KP_Equal: return VKEY_EQUALS;
		case XK_Num_Lock: return VKEY_NUMLOCK;
		case XK_Scroll_Lock: return VKEY_SCROLL;
		case XK_Shift_L:
		case XK_Shift_R: return VKEY_SHIFT;
		case XK_Control_L:
		case XK_Control_R: return VKEY_CONTROL;
		case XK_Alt_L:
		case XK_Alt_R:
		case XK_Meta_L:
		case XK_Meta_R: return VKEY_ALT;
		default: return 0;
	}
}

int32_t characterFromKeysym (unsigned long keysym)
{
	// Latin-1 keysyms are their own code points; 0x1000000 + U marks code point U.
	if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
		return static_cast<int32_t> (keysym);
	if (keysym >= 0x1000100 && keysym <= 0x110ffff)
		return static_cast<int32_t> (keysym - 0x1000000);
	return 0;
}

} // namespace

VstKeyCode keyCodeFromKeysym (unsigned long keysym, unsigned int state)
{
	VstKeyCode code;
	code.virt = virtualKeyFromKeysym (keysym);
	if (code.virt == 0)
		code.character = characterFromKeysym (keysym);
	code.modifier = keyModifiersFromState (state);
	return code;
}

bool DoubleClickDetector::onPress (unsigned int button, unsigned long timeMs, int x, int y)
{
	// Server time is a 32-bit millisecond counter; unsigned subtraction survives its wrap.
	const unsigned long elapsed = (timeMs - lastTime) & 0xffffffffUL;
	const bool isDouble = havePrevious && button == lastButton && elapsed <= kIntervalMs &&
	                      std::abs (x - lastX) <= kSlopPixels && std::abs (y - lastY) <= kSlopPixels;
	havePrevious = !isDouble;
	lastButton = button;
	lastTime = timeMs;
	lastX = x;
	lastY = y;
	return isDouble;
}

} // X11
} // VSTGUI
