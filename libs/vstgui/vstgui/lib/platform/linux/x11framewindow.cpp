#include "x11framewindow.h"
#include "x11eventmapping.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/runloop.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// Xlib defines macros (None, Bool, Status, True ...) that clash with the headers above.
#include "x11errortrap.h"
#include "x11windowimage.h"
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

namespace VSTGUI {
namespace X11 {

namespace {

// X11 (and cairo) limit window and image sides to 15 bits.
constexpr int kMaxSide = 32767;

int toSide (CCoord value)
{
	if (!(value >= 1.))
		return 1;
	return static_cast<int> (std::min<CCoord> (std::lround (value), kMaxSide));
}

} // namespace

// Draws on the window's image; every flush sends the pixels that changed to the window,
// whoever drew them (the window's own redraw or the editor's idle).
class WindowDrawContext : public CDrawContext
{
public:
	WindowDrawContext (cairo_t* cr, const CRect& rect, WindowImage* image) : CDrawContext (cr, rect), image (image) {}

	void flush () override
	{
		CDrawContext::flush ();
		if (image)
			image->presentChanges ();
	}
	// The image goes away before a context that someone else may still hold.
	void detach () { image = nullptr; }

private:
	WindowImage* image;
};

// The run loop's callbacks into the window. The host owns a reference while they are
// registered; owner is cleared before the window goes away, so a late call does nothing.
class EventHandler final : public Steinberg::FObject, public Steinberg::Linux::IEventHandler
{
public:
	explicit EventHandler (FrameWindow::Impl* owner) : owner (owner) {}
	void PLUGIN_API onFDIsSet (Steinberg::Linux::FileDescriptor fd) override;

	FrameWindow::Impl* owner;

	OBJ_METHODS (EventHandler, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (Steinberg::Linux::IEventHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)
};

class TimerHandler final : public Steinberg::FObject, public Steinberg::Linux::ITimerHandler
{
public:
	explicit TimerHandler (FrameWindow::Impl* owner) : owner (owner) {}
	void PLUGIN_API onTimer () override;

	FrameWindow::Impl* owner;

	OBJ_METHODS (TimerHandler, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (Steinberg::Linux::ITimerHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)
};

struct FrameWindow::Impl
{
	Display* display {nullptr};
	Window parent {0};
	Window window {0};
	Visual* visual {nullptr};
	int depth {0};

	std::unique_ptr<WindowImage> image;
	int windowWidth {0};
	int windowHeight {0};
	SharedPointer<WindowDrawContext> context;

	SharedPointer<CFrame> frame;
	SharedPointer<CDrawContext> previousContext;

	Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
	Steinberg::IPtr<EventHandler> eventHandler;
	Steinberg::IPtr<TimerHandler> timerHandler;

	DoubleClickDetector doubleClick;
	int32_t extraButtons {0}; // kButton4 / kButton5 held (X's state has no bits for them)
	int32_t pressedButtons {0}; // buttons pressed in the window and not yet released

	// Set to false when the window is destroyed; event dispatch checks it after every
	// call into the frame, which may close the editor.
	std::shared_ptr<bool> alive {std::make_shared<bool> (true)};

	~Impl () noexcept { close (); }

	bool open (CFrame* frame, Window parent, Steinberg::IPlugFrame* plugFrame, std::string& error);
	void attachRunLoop (Steinberg::IPlugFrame* plugFrame);
	void close () noexcept;

	bool createImage (int width, int height);
	void releaseImage ();

	void setSize (const CPoint& size);
	void redraw ();
	void processEvents ();
	void onReadable ();
	// False when the window was destroyed while dispatching.
	bool dispatchPendingEvents ();
	void dispatch (XEvent& event);
	void onButtonPress (const XButtonEvent& event);
	void onButtonRelease (const XButtonEvent& event);
	void onMotion (XEvent& event);
	void onKey (XKeyEvent& event);
	void checkLostRelease ();
};

void PLUGIN_API EventHandler::onFDIsSet (Steinberg::Linux::FileDescriptor /*fd*/)
{
	if (owner)
		owner->onReadable ();
}

void PLUGIN_API TimerHandler::onTimer ()
{
	if (owner)
		owner->processEvents ();
}

//------------------------------------------------------------------------
bool FrameWindow::Impl::open (CFrame* newFrame, Window parentWindow, Steinberg::IPlugFrame* plugFrame,
                              std::string& error)
{
	if (!newFrame)
	{
		error = "no frame to show";
		return false;
	}
	if (parentWindow == 0)
	{
		error = "no parent window";
		return false;
	}
	display = XOpenDisplay (nullptr);
	if (!display)
	{
		const char* name = std::getenv ("DISPLAY");
		error = std::string ("cannot open the X display '") + (name ? name : "") + "'";
		return false;
	}
	ErrorTrap::addLayerDisplay (display);
	parent = parentWindow;

	ErrorTrap trap (display);
	XWindowAttributes parentAttributes;
	if (!XGetWindowAttributes (display, parent, &parentAttributes) || trap.check ())
	{
		char text[64];
		std::snprintf (text, sizeof text, "the parent window 0x%lx does not exist", parent);
		error = text;
		return false;
	}

	const int width = toSide (newFrame->getWidth ());
	const int height = toSide (newFrame->getHeight ());
	XSetWindowAttributes attributes {};
	attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
	                        KeyPressMask | KeyReleaseMask;
	// No background: the server would clear exposed parts before we send the image.
	attributes.background_pixmap = None;
	attributes.bit_gravity = NorthWestGravity;
	// Same depth and visual as the host's window, so any parent visual works.
	window = XCreateWindow (display, parent, 0, 0, static_cast<unsigned> (width), static_cast<unsigned> (height),
	                        0, CopyFromParent, InputOutput, CopyFromParent,
	                        CWEventMask | CWBackPixmap | CWBitGravity, &attributes);
	if (trap.check () || window == 0)
	{
		window = 0;
		error = "cannot create the editor's window";
		return false;
	}
	windowWidth = width;
	windowHeight = height;

	// Embedders that follow XEmbed only show a child that announces itself: version 0,
	// flags XEMBED_MAPPED.
	Atom xembedInfo = XInternAtom (display, "_XEMBED_INFO", False);
	long info[2] = {0, 1};
	XChangeProperty (display, window, xembedInfo, xembedInfo, 32, PropModeReplace,
	                 reinterpret_cast<unsigned char*> (info), 2);

	XWindowAttributes own;
	XGetWindowAttributes (display, window, &own);
	visual = own.visual;
	depth = own.depth;

	// Key repeat as repeated presses, without the synthetic releases in between.
	XkbSetDetectableAutoRepeat (display, True, nullptr);

	frame = newFrame;
	previousContext = frame->getDrawContext ();
	if (!createImage (width, height))
	{
		error = "cannot create the editor's drawing surface";
		return false;
	}
	// The image starts complete, so Expose events can be served at once.
	frame->drawAll (context);
	XMapWindow (display, window);
	if (trap.check ())
	{
		error = "the X server refused the editor's window";
		return false;
	}
	attachRunLoop (plugFrame);
	return true;
}

void FrameWindow::Impl::attachRunLoop (Steinberg::IPlugFrame* plugFrame)
{
	if (!plugFrame)
		return;
	Steinberg::FUnknownPtr<Steinberg::Linux::IRunLoop> loop (plugFrame);
	if (!loop)
		return;
	auto events = Steinberg::owned (new EventHandler (this));
	auto timer = Steinberg::owned (new TimerHandler (this));
	bool eventsOk = loop->registerEventHandler (events, ConnectionNumber (display)) == Steinberg::kResultOk;
	bool timerOk = eventsOk && loop->registerTimer (timer, kTickMs) == Steinberg::kResultOk;
	if (!timerOk)
	{
		// Half a registration is no use: the owner pumps processEvents instead.
		if (eventsOk)
			loop->unregisterEventHandler (events);
		events->owner = nullptr;
		timer->owner = nullptr;
		return;
	}
	runLoop = loop;
	eventHandler = events;
	timerHandler = timer;
}

void FrameWindow::Impl::close () noexcept
{
	*alive = false;
	if (runLoop)
	{
		runLoop->unregisterTimer (timerHandler);
		runLoop->unregisterEventHandler (eventHandler);
		runLoop = nullptr;
	}
	if (eventHandler)
		eventHandler->owner = nullptr;
	if (timerHandler)
		timerHandler->owner = nullptr;
	eventHandler = nullptr;
	timerHandler = nullptr;

	if (frame)
	{
		// A drag cut short by the window going away ends like any cancelled drag, so
		// that the control's edit does not stay open.
		if (frame->getMouseDownView ())
			frame->onMouseCancel ();
		if (context && frame->getDrawContext () == context.get ())
			frame->setDrawContext (previousContext);
		frame = nullptr;
	}
	previousContext = nullptr;
	if (context)
		context->detach ();
	context = nullptr;

	if (display)
	{
		{
			// The host may have destroyed its window (and ours with it) already; the
			// errors of that arrive at the latest in XCloseDisplay's final sync.
			ErrorTrap trap (display);
			releaseImage ();
			if (window)
				XDestroyWindow (display, window);
			window = 0;
			XCloseDisplay (display);
		}
		ErrorTrap::removeLayerDisplay (display);
		display = nullptr;
	}
}

bool FrameWindow::Impl::createImage (int width, int height)
{
	auto newImage = WindowImage::create (display, window, visual, depth, width, height);
	if (!newImage)
		return false;
	cairo_t* cr = cairo_create (newImage->getSurface ());
	if (cairo_status (cr) != CAIRO_STATUS_SUCCESS)
	{
		cairo_destroy (cr);
		return false;
	}
	auto newContext = owned (new WindowDrawContext (cr, CRect (0, 0, width, height), newImage.get ()));
	cairo_destroy (cr); // the context holds its own reference

	// The frame lets go of the old context before the old image goes.
	frame->setDrawContext (newContext);
	releaseImage ();
	context = newContext;
	image = std::move (newImage);
	return true;
}

void FrameWindow::Impl::releaseImage ()
{
	if (context)
		context->detach ();
	context = nullptr;
	image.reset ();
}

void FrameWindow::Impl::setSize (const CPoint& newSize)
{
	if (!frame || !window)
		return;
	ErrorTrap trap (display);
	const int width = toSide (newSize.x);
	const int height = toSide (newSize.y);
	const CRect frameRect (0, 0, width, height);
	if (width == windowWidth && height == windowHeight && image && width == image->getWidth () &&
	    height == image->getHeight () && frame->getViewSize () == frameRect)
		return;
	XResizeWindow (display, window, static_cast<unsigned> (width), static_cast<unsigned> (height));
	windowWidth = width;
	windowHeight = height;
	// Without memory for an image this big, the old one goes on showing its part.
	createImage (width, height);
	if (frame->getViewSize () != frameRect)
		frame->setViewSize (frameRect);
	frame->drawAll (context);
	// Parts that were on screen before may hold pixels the new image has only by chance.
	if (image)
		image->present ({0, 0, image->getWidth (), image->getHeight ()});
}

void FrameWindow::Impl::redraw ()
{
	if (!frame || !context)
		return;
	ErrorTrap trap (display);
	// The window follows the frame, e.g. after the editor exchanged its template.
	if (toSide (frame->getWidth ()) != windowWidth || toSide (frame->getHeight ()) != windowHeight)
		setSize (CPoint (frame->getWidth (), frame->getHeight ()));
	// Drawing ends in the context's flush, which sends the changed pixels.
	frame->idle ();
}

void FrameWindow::Impl::processEvents ()
{
	if (!display)
		return;
	ErrorTrap trap (display);
	auto stillAlive = alive;
	if (!dispatchPendingEvents ())
		return;
	if (pressedButtons)
	{
		checkLostRelease ();
		if (!*stillAlive)
			return;
	}
	RunLoop::instance ().processDueTimers ();
	if (*stillAlive)
		redraw ();
}

void FrameWindow::Impl::checkLostRelease ()
{
	// When the grab of a drag ends early, e.g. because the host hid its window, the
	// release goes to another window and the control would stay in its edit. So during a
	// drag each tick asks the server which buttons are still down (8 and 9 it cannot tell).
	Window root, child;
	int rootX, rootY, x, y;
	unsigned int mask = 0;
	XQueryPointer (display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
	const int32_t watched = kLButton | kMButton | kRButton;
	if ((pressedButtons & watched & ~buttonsFromState (mask)) == 0)
		return;
	// A release on its way was sent before the reply and is queued by now.
	auto stillAlive = alive;
	if (!dispatchPendingEvents () || !*stillAlive)
		return;
	if ((pressedButtons & watched & ~buttonsFromState (mask)) == 0)
		return;
	pressedButtons = 0;
	extraButtons = 0;
	frame->onMouseCancel ();
}

void FrameWindow::Impl::onReadable ()
{
	if (!display)
		return;
	ErrorTrap trap (display);
	auto stillAlive = alive;
	// Show the result of a click at once instead of at the next tick.
	if (dispatchPendingEvents () && *stillAlive)
		redraw ();
}

bool FrameWindow::Impl::dispatchPendingEvents ()
{
	auto stillAlive = alive;
	if (!display)
		return false;
	// XPending also reads what has arrived on the socket; events that other Xlib calls
	// already queued are served here too.
	while (XPending (display) > 0)
	{
		XEvent event;
		XNextEvent (display, &event);
		dispatch (event);
		if (!*stillAlive)
			return false;
	}
	return true;
}

void FrameWindow::Impl::dispatch (XEvent& event)
{
	if (event.xany.window != window)
		return;
	switch (event.type)
	{
		case Expose:
			if (image)
				image->present ({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
				                 event.xexpose.y + event.xexpose.height});
			break;
		case ButtonPress:
			onButtonPress (event.xbutton);
			break;
		case ButtonRelease:
			onButtonRelease (event.xbutton);
			break;
		case MotionNotify:
			onMotion (event);
			break;
		case KeyPress:
		case KeyRelease:
			onKey (event.xkey);
			break;
		default:
			break;
	}
}

void FrameWindow::Impl::onButtonPress (const XButtonEvent& event)
{
	CPoint where (event.x, event.y);
	const int32_t modifiers = modifiersFromState (event.state);
	CMouseWheelAxis axis;
	float distance;
	if (wheelFromXButton (event.button, axis, distance))
	{
		CButtonState buttons (buttonsFromState (event.state) | extraButtons | modifiers);
		frame->onWheel (where, axis, distance, buttons);
		return;
	}
	const int32_t button = buttonFromXButton (event.button);
	if (button == 0)
		return;
	// The keyboard focus stays where the host has it: the host passes keys on through
	// IPlugView::onKeyDown, and a grab here would take its key commands (Space) away.
	if (button & (kButton4 | kButton5))
		extraButtons |= button;
	pressedButtons |= button;
	// The state field holds the buttons held before this press.
	int32_t state = buttonsFromState (event.state) | extraButtons | button | modifiers;
	if (doubleClick.onPress (event.button, event.time, event.x, event.y))
		state |= kDoubleClick;
	CButtonState buttons (state);
	frame->onMouseDown (where, buttons);
}

void FrameWindow::Impl::onButtonRelease (const XButtonEvent& event)
{
	const int32_t button = buttonFromXButton (event.button);
	if (button == 0 || !(pressedButtons & button))
		return;
	pressedButtons &= ~button;
	extraButtons &= ~button;
	CPoint where (event.x, event.y);
	// The up reports the button that went up.
	CButtonState buttons (button | modifiersFromState (event.state));
	frame->onMouseUp (where, buttons);
}

void FrameWindow::Impl::onMotion (XEvent& event)
{
	// A drag produces motion faster than a redraw; only the latest queued position counts.
	while (XEventsQueued (display, QueuedAlready) > 0)
	{
		XEvent next;
		XPeekEvent (display, &next);
		if (next.type != MotionNotify || next.xmotion.window != window)
			break;
		XNextEvent (display, &event);
	}
	const XMotionEvent& motion = event.xmotion;
	CPoint where (motion.x, motion.y);
	CButtonState buttons (buttonsFromState (motion.state) | extraButtons | modifiersFromState (motion.state));
	frame->onMouseMoved (where, buttons);
}

void FrameWindow::Impl::onKey (XKeyEvent& event)
{
	KeySym keysym = 0;
	char text[16];
	XLookupString (&event, text, sizeof text, &keysym, nullptr);
	VstKeyCode code = keyCodeFromKeysym (keysym, event.state);
	if (code.virt == 0 && code.character == 0)
		return;
	if (event.type == KeyPress)
		frame->onKeyDown (code);
	else
		frame->onKeyUp (code);
}

//------------------------------------------------------------------------
std::unique_ptr<FrameWindow> FrameWindow::create (CFrame* frame, unsigned long parentWindowId,
                                                  Steinberg::IPlugFrame* plugFrame, std::string& error)
{
	auto impl = std::make_unique<Impl> ();
	if (!impl->open (frame, parentWindowId, plugFrame, error))
		return nullptr; // ~Impl undoes what open did
	error.clear ();
	return std::unique_ptr<FrameWindow> (new FrameWindow (std::move (impl)));
}

FrameWindow::FrameWindow (std::unique_ptr<Impl> i) : impl (std::move (i)) {}

FrameWindow::~FrameWindow () noexcept = default;

unsigned long FrameWindow::getWindowId () const { return impl->window; }
unsigned long FrameWindow::getParentWindowId () const { return impl->parent; }
int FrameWindow::getFileDescriptor () const { return impl->display ? ConnectionNumber (impl->display) : -1; }
bool FrameWindow::usesHostRunLoop () const { return impl->runLoop != nullptr; }
CPoint FrameWindow::getSize () const { return CPoint (impl->windowWidth, impl->windowHeight); }
void FrameWindow::setSize (const CPoint& size) { impl->setSize (size); }
void FrameWindow::processEvents () { impl->processEvents (); }
void FrameWindow::redraw () { impl->redraw (); }

} // X11
} // VSTGUI
