// Assertions: vstgui_assert calls doAssert, which hands the failure to the installed
// handler. Without a handler doAssert returns and the caller carries on; a handler may
// throw, and the exception passes on to the caller of the failing operation.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

using AssertionHandler = void (*) (const char* filename, const char* line, const char* desc);

void setAssertionHandler (AssertionHandler handler);
bool hasAssertionHandler ();
void doAssert (const char* filename, const char* line, const char* desc = nullptr) noexcept (false);

} // VSTGUI

#define VSTGUI_MAKE_STRING_PRIVATE_DONT_USE(x) #x
#define VSTGUI_MAKE_STRING(x) VSTGUI_MAKE_STRING_PRIVATE_DONT_USE (x)

// Always active: the check is cheap and a handler decides what a failure means.
#define vstgui_assert(x, ...)                                                             \
	if (!(x))                                                                              \
		VSTGUI::doAssert (__FILE__, VSTGUI_MAKE_STRING (__LINE__), ##__VA_ARGS__);
