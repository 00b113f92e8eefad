// Shows a CFrame in a child window of a Linux host's window (VST 3's "X11EmbedWindowID").
#pragma once

#include "vstgui/lib/cpoint.h"

#include <memory>
#include <string>

namespace Steinberg {
class IPlugFrame;
}

namespace VSTGUI {

class CFrame;

namespace X11 {

// The frame's window on the X server. It opens an X connection of its own and creates a
// child window of the host's window (with _XEMBED_INFO, mapped). The frame draws with
// cairo into an image of the window's size, exactly as it draws offscreen; each flush of
// that drawing sends the pixels that changed to the window (see x11windowimage.h), and
// Expose events are served from the image without redrawing.
//
// Pointer, wheel and key events of the window reach the frame in frame coordinates with
// CButtonState / VstKeyCode bits (see x11eventmapping.h); X's implicit grab keeps moves
// and the up coming to the window after a press, and the frame routes them to the view
// that took the down. The window never takes the keyboard focus: keys come from the host
// (IPlugView::onKeyDown); key events the X server still delivers to the window (the
// pointer over it while an ancestor has the focus) go to the frame's focus view.
//
// Everything runs on the host's UI thread. When the IPlugFrame answers
// Steinberg::Linux::IRunLoop, the window registers an event handler for its connection's
// file descriptor and one timer (kTickMs) that fires the view layer's due timers
// (RunLoop::processDueTimers) and redraws what is dirty. Without a run loop the owner
// calls processEvents () regularly.
//
// The destructor ends a drag in progress (onMouseCancel), unregisters everything from
// the run loop, gives the frame back its previous draw context, destroys the window and
// closes the connection, so an editor can be opened and closed any number of times. It
// may run from inside one of the window's own event callbacks (a click that closes the
// editor). X errors of the layer's own connection (say, the host destroyed its window
// first) are caught and never reach the host's error handler (x11errortrap.h).
class FrameWindow
{
public:
	// Period of the run loop timer in ms: fine enough that the 10 ms idle and 16 ms
	// ramp steps of the view layer fire within a few ms of their due time.
	static constexpr unsigned kTickMs = 5;

	// parentWindowId is the host's X11 Window. plugFrame may be null; create () asks it
	// for the run loop, which the window then holds until it goes. The window holds a
	// reference on frame and takes over its draw context, giving the previous one back at
	// the end. Null with error set when the display cannot be opened, the parent does not
	// exist or the window cannot be made.
	static std::unique_ptr<FrameWindow> create (CFrame* frame, unsigned long parentWindowId,
	                                            Steinberg::IPlugFrame* plugFrame, std::string& error);
	~FrameWindow () noexcept;
	FrameWindow (const FrameWindow&) = delete;
	FrameWindow& operator= (const FrameWindow&) = delete;

	// The child window's X11 id and that of the host's window it lives in.
	unsigned long getWindowId () const;
	unsigned long getParentWindowId () const;
	// The X connection's file descriptor (what the run loop watches).
	int getFileDescriptor () const;
	// True when the host's IRunLoop drives the window.
	bool usesHostRunLoop () const;

	// Window size in pixels. setSize resizes the window and its image, sets the
	// frame to (0, 0, width, height) and redraws everything; sizes below 1 count as 1.
	CPoint getSize () const;
	void setSize (const CPoint& size);

	// Reads and dispatches the X events that are waiting, fires the view layer's due
	// timers and redraws what is dirty. The host run loop's timer calls this; without a
	// run loop the owner does.
	void processEvents ();
	// Draws the frame's dirty views and invalid region and shows them.
	void redraw ();

	struct Impl;

private:
	explicit FrameWindow (std::unique_ptr<Impl> impl);
	std::unique_ptr<Impl> impl;
};

} // X11
} // VSTGUI
