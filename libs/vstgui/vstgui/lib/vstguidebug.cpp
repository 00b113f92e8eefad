#include "vstguidebug.h"

namespace VSTGUI {

namespace {
AssertionHandler gAssertionHandler = nullptr;
}

void setAssertionHandler (AssertionHandler handler) { gAssertionHandler = handler; }

bool hasAssertionHandler () { return gAssertionHandler != nullptr; }

void doAssert (const char* filename, const char* line, const char* desc) noexcept (false)
{
	if (gAssertionHandler)
		gAssertionHandler (filename, line, desc);
}

} // VSTGUI
