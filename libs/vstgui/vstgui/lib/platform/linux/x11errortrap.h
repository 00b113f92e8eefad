// Internal to the X11 layer (it includes Xlib and its macros).
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {
namespace X11 {

// Xlib reports a failed request to one process-wide error handler whose default prints
// and exits, which would take the host down with us, e.g. when the host destroys its
// window (and ours with it) before it closes the editor, and a redraw is already on its
// way. Errors reach the handler when Xlib reads them from the connection, which for our
// connections only happens inside our own calls; so every entry point of the layer holds
// an ErrorTrap while it works. While one lives, errors of the layer's displays are
// counted (by the innermost trap of that display) or dropped, and errors of any other
// display (the host's own connection) go on to the handler that was installed before.
// Traps nest; all of this happens on the UI thread.
class ErrorTrap
{
public:
	explicit ErrorTrap (Display* display);
	~ErrorTrap () noexcept;
	ErrorTrap (const ErrorTrap&) = delete;
	ErrorTrap& operator= (const ErrorTrap&) = delete;

	// Waits until the server has answered every request sent so far; true when any of
	// them failed since the trap was made or last checked.
	bool check ();

	// Displays the layer opened; their errors are never passed on.
	static void addLayerDisplay (Display* display);
	static void removeLayerDisplay (Display* display);

private:
	static int handleError (Display* display, XErrorEvent* event);

	Display* display;
	XErrorHandler previousHandler;
	ErrorTrap* outer;
	int errorCount {0};
};

} // X11
} // VSTGUI
