#include "testhost.h"

#include <algorithm>
#include <chrono>
#include <poll.h>

#include <cairo.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

using namespace Steinberg;

namespace x11test {

namespace {

int64_t nowMs ()
{
	using namespace std::chrono;
	return duration_cast<milliseconds> (steady_clock::now ().time_since_epoch ()).count ();
}

} // namespace

//------------------------------------------------------------------------
tresult PLUGIN_API TestHostFrame::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IPlugFrame::iid, IPlugFrame)
	if (offerRunLoop)
	{
		QUERY_INTERFACE (iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
	}
	return FObject::queryInterface (iid, obj);
}

tresult PLUGIN_API TestHostFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	resizeRequests.push_back (*newSize);
	if (view)
		view->onSize (newSize);
	return kResultTrue;
}

tresult PLUGIN_API TestHostFrame::registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd)
{
	if (!handler || fd < 0 || isRegistered (handler))
		return kInvalidArgument;
	eventHandlers.push_back ({IPtr<Linux::IEventHandler> (handler), fd});
	return kResultOk;
}

tresult PLUGIN_API TestHostFrame::unregisterEventHandler (Linux::IEventHandler* handler)
{
	auto it = std::find_if (eventHandlers.begin (), eventHandlers.end (),
	                        [&] (const Watch& w) { return w.handler == handler; });
	if (it == eventHandlers.end ())
		return kInvalidArgument;
	eventHandlers.erase (it);
	return kResultOk;
}

tresult PLUGIN_API TestHostFrame::registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
	if (!handler || milliseconds == 0 || findTimer (handler))
		return kInvalidArgument;
	timers.push_back ({IPtr<Linux::ITimerHandler> (handler), milliseconds,
	                   nowMs () + static_cast<int64_t> (milliseconds)});
	return kResultOk;
}

tresult PLUGIN_API TestHostFrame::unregisterTimer (Linux::ITimerHandler* handler)
{
	auto it = std::find_if (timers.begin (), timers.end (), [&] (const Timer& t) { return t.handler == handler; });
	if (it == timers.end ())
		return kInvalidArgument;
	timers.erase (it);
	return kResultOk;
}

bool TestHostFrame::isRegistered (Linux::IEventHandler* handler) const
{
	return std::any_of (eventHandlers.begin (), eventHandlers.end (),
	                    [&] (const Watch& w) { return w.handler == handler; });
}

TestHostFrame::Timer* TestHostFrame::findTimer (Linux::ITimerHandler* handler)
{
	for (auto& t : timers)
		if (t.handler == handler)
			return &t;
	return nullptr;
}

std::vector<Linux::FileDescriptor> TestHostFrame::getWatchedDescriptors () const
{
	std::vector<Linux::FileDescriptor> fds;
	for (const auto& w : eventHandlers)
		fds.push_back (w.fd);
	return fds;
}

std::vector<Linux::TimerInterval> TestHostFrame::getTimerIntervals () const
{
	std::vector<Linux::TimerInterval> intervals;
	for (const auto& t : timers)
		intervals.push_back (t.interval);
	return intervals;
}

void TestHostFrame::runOnce (int maxWaitMs)
{
	int64_t wait = std::max (0, maxWaitMs);
	const int64_t start = nowMs ();
	for (const auto& t : timers)
		wait = std::min (wait, std::max<int64_t> (0, t.due - start));

	// Handlers may unregister themselves (or others) from inside their callbacks, so
	// the loop works on copies and asks again before each call.
	std::vector<Watch> watches = eventHandlers;
	std::vector<pollfd> fds;
	for (const auto& w : watches)
		fds.push_back ({w.fd, POLLIN, 0});
	if (poll (fds.data (), fds.size (), static_cast<int> (wait)) > 0)
	{
		for (size_t i = 0; i < fds.size (); ++i)
			if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) && isRegistered (watches[i].handler))
				watches[i].handler->onFDIsSet (watches[i].fd);
	}

	const int64_t now = nowMs ();
	std::vector<IPtr<Linux::ITimerHandler>> due;
	for (const auto& t : timers)
		if (t.due <= now)
			due.push_back (t.handler);
	for (auto& handler : due)
	{
		if (Timer* t = findTimer (handler))
		{
			t->due = now + static_cast<int64_t> (t->interval);
			handler->onTimer ();
		}
	}
}

bool TestHostFrame::runUntil (const std::function<bool ()>& condition, int timeoutMs)
{
	const int64_t end = nowMs () + timeoutMs;
	while (!condition ())
	{
		if (nowMs () >= end)
			return false;
		runOnce (5);
	}
	return true;
}

void TestHostFrame::runFor (int ms)
{
	const int64_t end = nowMs () + ms;
	while (nowMs () < end)
		runOnce (static_cast<int> (std::min<int64_t> (5, end - nowMs ())));
}

//------------------------------------------------------------------------
VSTGUI::CColor Screenshot::at (int x, int y) const
{
	if (x < 0 || y < 0 || x >= width || y >= height)
		return VSTGUI::CColor (0, 0, 0, 0);
	uint32_t p = pixels[static_cast<size_t> (y) * static_cast<size_t> (width) + static_cast<size_t> (x)];
	return VSTGUI::CColor (static_cast<uint8_t> (p >> 16), static_cast<uint8_t> (p >> 8), static_cast<uint8_t> (p), 255);
}

bool Screenshot::writePNG (const std::string& path) const
{
	if (!valid ())
		return false;
	// The pixels are 0x00RRGGBB words, which is cairo's RGB24 layout.
	const int stride = cairo_format_stride_for_width (CAIRO_FORMAT_RGB24, width);
	if (stride != width * 4)
		return false;
	cairo_surface_t* surface = cairo_image_surface_create_for_data (
	    reinterpret_cast<unsigned char*> (const_cast<uint32_t*> (pixels.data ())), CAIRO_FORMAT_RGB24, width,
	    height, stride);
	const bool ok = cairo_surface_write_to_png (surface, path.c_str ()) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy (surface);
	return ok;
}

//------------------------------------------------------------------------
HostWindow::~HostWindow ()
{
	if (display)
	{
		if (window)
			XDestroyWindow (display, window);
		XCloseDisplay (display);
	}
}

bool HostWindow::open (int width, int height, std::string& error)
{
	display = XOpenDisplay (nullptr);
	if (!display)
	{
		error = "cannot open the X display";
		return false;
	}
	int eventBase, errorBase, major, minor;
	if (!XTestQueryExtension (display, &eventBase, &errorBase, &major, &minor))
	{
		error = "the X server lacks the XTEST extension";
		return false;
	}
	const int screen = DefaultScreen (display);
	window = XCreateSimpleWindow (display, RootWindow (display, screen), 0, 0, static_cast<unsigned> (width),
	                              static_cast<unsigned> (height), 0, BlackPixel (display, screen),
	                              WhitePixel (display, screen));
	XSelectInput (display, window, StructureNotifyMask);
	XMapWindow (display, window);
	// Without a window manager the map happens at once; wait for it all the same.
	XEvent event;
	do
		XWindowEvent (display, window, StructureNotifyMask, &event);
	while (event.type != MapNotify);
	// The pointer starts far away from everything the tests click.
	XTestFakeMotionEvent (display, screen, 1000, 760, CurrentTime);
	XSync (display, False);
	return true;
}

void HostWindow::destroyWindow ()
{
	if (window)
		XDestroyWindow (display, window);
	window = 0;
	XSync (display, False);
}

unsigned long HostWindow::makeStaleWindowId ()
{
	Window w = XCreateSimpleWindow (display, window, 0, 0, 10, 10, 0, 0, 0);
	XDestroyWindow (display, w);
	XSync (display, False);
	return w;
}

std::vector<unsigned long> HostWindow::children () const
{
	std::vector<unsigned long> result;
	Window root, parent;
	Window* list = nullptr;
	unsigned int count = 0;
	if (XQueryTree (display, window, &root, &parent, &list, &count))
	{
		result.assign (list, list + count);
		if (list)
			XFree (list);
	}
	return result;
}

bool HostWindow::readXEmbedInfo (unsigned long w, long& version, long& flags) const
{
	Atom atom = XInternAtom (display, "_XEMBED_INFO", False);
	Atom type = 0;
	int format = 0;
	unsigned long count = 0, after = 0;
	unsigned char* data = nullptr;
	if (XGetWindowProperty (display, w, atom, 0, 2, False, AnyPropertyType, &type, &format, &count, &after,
	                        &data) != Success)
		return false;
	const bool ok = data && type == atom && format == 32 && count == 2;
	if (ok)
	{
		const long* values = reinterpret_cast<const long*> (data);
		version = values[0];
		flags = values[1];
	}
	if (data)
		XFree (data);
	return ok;
}

bool HostWindow::getGeometry (unsigned long w, Geometry& geometry) const
{
	XWindowAttributes a;
	if (!XGetWindowAttributes (display, w, &a))
		return false;
	geometry.x = a.x;
	geometry.y = a.y;
	geometry.width = a.width;
	geometry.height = a.height;
	geometry.viewable = a.map_state == IsViewable;
	return true;
}

void HostWindow::moveTo (unsigned long w, int x, int y)
{
	const int screen = DefaultScreen (display);
	int rootX = 0, rootY = 0;
	Window child;
	XTranslateCoordinates (display, w, RootWindow (display, screen), x, y, &rootX, &rootY, &child);
	XTestFakeMotionEvent (display, screen, rootX, rootY, CurrentTime);
	XFlush (display);
}

void HostWindow::button (unsigned int xButton, bool down)
{
	XTestFakeButtonEvent (display, xButton, down ? True : False, CurrentTime);
	XFlush (display);
}

void HostWindow::click (unsigned long w, int x, int y, unsigned int xButton)
{
	moveTo (w, x, y);
	button (xButton, true);
	button (xButton, false);
}

void HostWindow::key (unsigned long keysym, bool down)
{
	KeyCode code = XKeysymToKeycode (display, keysym);
	XTestFakeKeyEvent (display, code, down ? True : False, CurrentTime);
	XFlush (display);
}

void HostWindow::sync () { XSync (display, False); }

unsigned long HostWindow::inputFocus () const
{
	Window focus = 0;
	int revertTo = 0;
	XGetInputFocus (display, &focus, &revertTo);
	return focus;
}

void HostWindow::unmap ()
{
	XUnmapWindow (display, window);
	XSync (display, False);
}

void HostWindow::map ()
{
	XMapWindow (display, window);
	XSync (display, False);
}

Screenshot HostWindow::capture (unsigned long w) const
{
	Screenshot shot;
	XWindowAttributes a;
	if (!XGetWindowAttributes (display, w, &a) || a.map_state != IsViewable)
		return shot;
	XImage* image = XGetImage (display, w, 0, 0, static_cast<unsigned> (a.width), static_cast<unsigned> (a.height),
	                           AllPlanes, ZPixmap);
	if (!image)
		return shot;
	// Shift each channel mask down to 8 bits, whatever the visual's layout.
	auto channel = [] (unsigned long pixel, unsigned long mask) -> uint32_t {
		if (!mask)
			return 0;
		int shift = 0;
		while (!((mask >> shift) & 1))
			++shift;
		unsigned long value = (pixel & mask) >> shift;
		unsigned long max = mask >> shift;
		return static_cast<uint32_t> (value * 255 / max);
	};
	shot.width = a.width;
	shot.height = a.height;
	shot.pixels.resize (static_cast<size_t> (a.width) * static_cast<size_t> (a.height));
	for (int y = 0; y < a.height; ++y)
		for (int x = 0; x < a.width; ++x)
		{
			unsigned long p = XGetPixel (image, x, y);
			shot.pixels[static_cast<size_t> (y) * static_cast<size_t> (a.width) + static_cast<size_t> (x)] =
			    (channel (p, image->red_mask) << 16) | (channel (p, image->green_mask) << 8) |
			    channel (p, image->blue_mask);
		}
	XDestroyImage (image);
	return shot;
}

} // namespace x11test
