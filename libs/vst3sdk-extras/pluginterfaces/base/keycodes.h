// The key codes and modifier bits of IPlugView::onKeyDown / onKeyUp, which the packaged
// SDK's interfaces name but do not ship.
#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {

// The keyCode argument for keys that are not plain characters; 0 when the key is given by
// its character alone. The list goes on past KEY_EQUALS in the SDK (context menu, media
// keys, F13 and up); up to KEY_EQUALS the numbers are those of VSTGUI's VstVirtualKey.
enum VirtualKeyCodes
{
	KEY_BACK = 1,
	KEY_TAB,
	KEY_CLEAR,
	KEY_RETURN,
	KEY_PAUSE,
	KEY_ESCAPE,
	KEY_SPACE,
	KEY_NEXT,
	KEY_END,
	KEY_HOME,
	KEY_LEFT,
	KEY_UP,
	KEY_RIGHT,
	KEY_DOWN,
	KEY_PAGEUP,
	KEY_PAGEDOWN,
	KEY_SELECT,
	KEY_PRINT,
	KEY_ENTER,
	KEY_SNAPSHOT,
	KEY_INSERT,
	KEY_DELETE,
	KEY_HELP,
	KEY_NUMPAD0,
	KEY_NUMPAD1,
	KEY_NUMPAD2,
	KEY_NUMPAD3,
	KEY_NUMPAD4,
	KEY_NUMPAD5,
	KEY_NUMPAD6,
	KEY_NUMPAD7,
	KEY_NUMPAD8,
	KEY_NUMPAD9,
	KEY_MULTIPLY,
	KEY_ADD,
	KEY_SEPARATOR,
	KEY_SUBTRACT,
	KEY_DECIMAL,
	KEY_DIVIDE,
	KEY_F1,
	KEY_F2,
	KEY_F3,
	KEY_F4,
	KEY_F5,
	KEY_F6,
	KEY_F7,
	KEY_F8,
	KEY_F9,
	KEY_F10,
	KEY_F11,
	KEY_F12,
	KEY_NUMLOCK,
	KEY_SCROLL,
	KEY_SHIFT,
	KEY_CONTROL,
	KEY_ALT,
	KEY_EQUALS,

	VKEY_FIRST_CODE = KEY_BACK
};

// The modifiers argument. kCommandKey is Ctrl on Linux and Windows (Command on macOS);
// kControlKey is the macOS Control key.
enum KeyModifier
{
	kShiftKey = 1 << 0,
	kAlternateKey = 1 << 1,
	kCommandKey = 1 << 2,
	kControlKey = 1 << 3
};

} // Steinberg
