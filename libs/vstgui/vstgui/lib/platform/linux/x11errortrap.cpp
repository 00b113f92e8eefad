#include "x11errortrap.h"

#include <algorithm>
#include <vector>

namespace VSTGUI {
namespace X11 {

namespace {
ErrorTrap* innermostTrap = nullptr;
XErrorHandler handlerBeforeTraps = nullptr;

std::vector<Display*>& layerDisplays ()
{
	static std::vector<Display*> displays;
	return displays;
}
} // namespace

ErrorTrap::ErrorTrap (Display* display) : display (display), outer (innermostTrap)
{
	previousHandler = XSetErrorHandler (&ErrorTrap::handleError);
	if (!outer)
		handlerBeforeTraps = previousHandler;
	innermostTrap = this;
}

ErrorTrap::~ErrorTrap () noexcept
{
	innermostTrap = outer;
	XSetErrorHandler (previousHandler);
	if (!outer)
		handlerBeforeTraps = nullptr;
}

bool ErrorTrap::check ()
{
	XSync (display, False);
	const bool failed = errorCount > 0;
	errorCount = 0;
	return failed;
}

void ErrorTrap::addLayerDisplay (Display* display) { layerDisplays ().push_back (display); }

void ErrorTrap::removeLayerDisplay (Display* display)
{
	auto& displays = layerDisplays ();
	displays.erase (std::remove (displays.begin (), displays.end (), display), displays.end ());
}

int ErrorTrap::handleError (Display* display, XErrorEvent* event)
{
	for (ErrorTrap* trap = innermostTrap; trap; trap = trap->outer)
	{
		if (trap->display == display)
		{
			++trap->errorCount;
			return 0;
		}
	}
	// Another window of the layer, e.g. drawn by a timer that fired during this one's tick.
	const auto& displays = layerDisplays ();
	if (std::find (displays.begin (), displays.end (), display) != displays.end ())
		return 0;
	return handlerBeforeTraps ? handlerBeforeTraps (display, event) : 0;
}

} // X11
} // VSTGUI
