#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

// Mouse buttons and modifier keys of one event. On the Mac the platform layer reports
// Command as kControl and Control as kApple; on Linux and Windows kControl is Ctrl.
enum CButton
{
	kLButton = 1 << 1,
	kMButton = 1 << 2,
	kRButton = 1 << 3,
	kShift = 1 << 4,
	kControl = 1 << 5,
	kAlt = 1 << 6,
	kApple = 1 << 7,
	kButton4 = 1 << 8,
	kButton5 = 1 << 9,
	kDoubleClick = 1 << 10,
	kMouseWheelInverted = 1 << 11
};

constexpr int32_t kMouseButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

struct CButtonState
{
	constexpr CButtonState (int32_t state = 0) : state (state) {}
	CButtonState (const CButtonState&) = default;
	CButtonState& operator= (const CButtonState&) = default;

	int32_t getButtonState () const { return state & kMouseButtonMask; }
	int32_t getModifierState () const { return state & kModifierMask; }
	bool isLeftButton () const { return getButtonState () == kLButton; }
	bool isRightButton () const { return getButtonState () == kRButton; }
	bool isDoubleClick () const { return (state & kDoubleClick) != 0; }
	bool empty () const { return state == 0; }

	int32_t operator() () const { return state; }
	int32_t operator& (int32_t mask) const { return state & mask; }
	int32_t operator| (int32_t bits) const { return state | bits; }
	CButtonState& operator|= (int32_t bits)
	{
		state |= bits;
		return *this;
	}
	CButtonState& operator&= (int32_t mask)
	{
		state &= mask;
		return *this;
	}
	bool operator== (const CButtonState& o) const { return state == o.state; }
	bool operator!= (const CButtonState& o) const { return state != o.state; }

private:
	int32_t state;
};

} // VSTGUI
