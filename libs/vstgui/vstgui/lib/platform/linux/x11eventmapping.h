// Translation of X11 pointer and key events into the view layer's CButtonState and
// VstKeyCode. Plain functions over the numbers in X events, so that no X header (and
// none of its macros) leaks into the code that includes this.
#pragma once

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/vstguifwd.h"
#include "vstgui/lib/vstkeycode.h"

#include <cstdint>

namespace VSTGUI {
namespace X11 {

// Modifier keys in the state field of an X event: Shift -> kShift, Control -> kControl,
// Mod1 (Alt, the Option key of the reset gesture) -> kAlt, Mod4 (Super) -> kApple.
int32_t modifiersFromState (unsigned int state);
// The same keys as VstModifierKey bits for key events.
unsigned char keyModifiersFromState (unsigned int state);
// Buttons 1 to 3 held according to the state field. X has no mask for buttons 8 and 9
// (its Button4Mask and Button5Mask are the wheel), so those are tracked by the window.
int32_t buttonsFromState (unsigned int state);

// X button number -> kLButton (1), kMButton (2), kRButton (3), kButton4 (8), kButton5 (9);
// 0 for the wheel buttons and anything unknown.
int32_t buttonFromXButton (unsigned int button);

// Buttons 4 to 7 are wheel steps: 4 up and 5 down on the Y axis, 6 left and 7 right on
// the X axis. Up and left are +1, as on the other platforms (a horizontal control negates
// the distance itself). False for every other button.
bool wheelFromXButton (unsigned int button, CMouseWheelAxis& axis, float& distance);

// keysym (as XLookupString returned it, Shift and NumLock applied) -> VstKeyCode. Keys
// with a VstVirtualKey get virt and character 0; other keys the Unicode code point of
// the keysym (Latin-1 and the 0x1000000 Unicode range; 0 for legacy keysyms without a
// simple mapping). Modifiers come from state.
VstKeyCode keyCodeFromKeysym (unsigned long keysym, unsigned int state);

// X reports single presses only. A press of the same button within kIntervalMs (server
// time) and kSlopPixels of the previous press is a double click; the press after a double
// click starts over, so a triple click is a double click and a single one.
class DoubleClickDetector
{
public:
	static constexpr unsigned long kIntervalMs = 400;
	static constexpr int kSlopPixels = 4;

	// Returns true when this press completes a double click.
	bool onPress (unsigned int button, unsigned long timeMs, int x, int y);
	void reset () { havePrevious = false; }

private:
	bool havePrevious {false};
	unsigned int lastButton {0};
	unsigned long lastTime {0};
	int lastX {0};
	int lastY {0};
};

} // X11
} // VSTGUI
