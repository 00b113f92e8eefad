// The tests' own little Linux host: a top-level X11 window to embed into, an IPlugFrame
// that also serves Steinberg::Linux::IRunLoop (poll on the registered descriptors, timers
// with their intervals), XTest input and window screenshots.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/ccolor.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

namespace x11test {

class TestHostFrame : public Steinberg::FObject,
                      public Steinberg::IPlugFrame,
                      public Steinberg::Linux::IRunLoop
{
public:
	// With offerRunLoop false the frame answers IPlugFrame only, like a host without
	// run loop support.
	explicit TestHostFrame (bool offerRunLoop = true) : offerRunLoop (offerRunLoop) {}

	// IPlugFrame: records the request and, as a host does, passes it on to view->onSize.
	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;

	// IRunLoop
	Steinberg::tresult PLUGIN_API registerEventHandler (Steinberg::Linux::IEventHandler* handler,
	                                                    Steinberg::Linux::FileDescriptor fd) override;
	Steinberg::tresult PLUGIN_API unregisterEventHandler (Steinberg::Linux::IEventHandler* handler) override;
	Steinberg::tresult PLUGIN_API registerTimer (Steinberg::Linux::ITimerHandler* handler,
	                                             Steinberg::Linux::TimerInterval milliseconds) override;
	Steinberg::tresult PLUGIN_API unregisterTimer (Steinberg::Linux::ITimerHandler* handler) override;

	size_t getEventHandlerCount () const { return eventHandlers.size (); }
	size_t getTimerCount () const { return timers.size (); }
	std::vector<Steinberg::Linux::FileDescriptor> getWatchedDescriptors () const;
	std::vector<Steinberg::Linux::TimerInterval> getTimerIntervals () const;
	const std::vector<Steinberg::ViewRect>& getResizeRequests () const { return resizeRequests; }

	// One pass of the loop: waits up to maxWaitMs (less when a timer is due earlier) for
	// a watched descriptor, then calls the handlers of the readable ones and the due timers.
	void runOnce (int maxWaitMs);
	// Runs until condition () holds (true) or timeoutMs have passed (false).
	bool runUntil (const std::function<bool ()>& condition, int timeoutMs = 3000);
	void runFor (int ms);

	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	REFCOUNT_METHODS (FObject)

private:
	struct Watch
	{
		Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
		Steinberg::Linux::FileDescriptor fd;
	};
	struct Timer
	{
		Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
		Steinberg::Linux::TimerInterval interval;
		int64_t due;
	};
	bool isRegistered (Steinberg::Linux::IEventHandler* handler) const;
	Timer* findTimer (Steinberg::Linux::ITimerHandler* handler);

	bool offerRunLoop;
	std::vector<Watch> eventHandlers;
	std::vector<Timer> timers;
	std::vector<Steinberg::ViewRect> resizeRequests;
};

// Pixels of a window as 0xRRGGBB.
struct Screenshot
{
	int width {0};
	int height {0};
	std::vector<uint32_t> pixels;

	bool valid () const { return width > 0 && height > 0; }
	VSTGUI::CColor at (int x, int y) const;
	// Writes the shot as an RGB PNG file.
	bool writePNG (const std::string& path) const;
};

// The host's side of the X server: its own connection and a top-level window the
// plug-in embeds into, plus XTest input that goes through the server like a real user's.
class HostWindow
{
public:
	HostWindow () = default;
	~HostWindow ();
	HostWindow (const HostWindow&) = delete;
	HostWindow& operator= (const HostWindow&) = delete;

	// Opens the display in DISPLAY, creates and maps a width x height window.
	bool open (int width, int height, std::string& error);
	unsigned long id () const { return window; }
	// Destroys the window (and everything embedded in it) while the connection stays.
	void destroyWindow ();
	// The id of a window that existed and is gone.
	unsigned long makeStaleWindowId ();
	_XDisplay* getDisplay () const { return display; }

	std::vector<unsigned long> children () const;
	// The _XEMBED_INFO property of w (type _XEMBED_INFO, format 32, two values).
	bool readXEmbedInfo (unsigned long w, long& version, long& flags) const;
	struct Geometry
	{
		int x {0}, y {0}, width {0}, height {0};
		bool viewable {false};
	};
	bool getGeometry (unsigned long w, Geometry& geometry) const;

	// XTest input. Positions are relative to window w; they may lie outside it.
	void moveTo (unsigned long w, int x, int y);
	void button (unsigned int xButton, bool down);
	void click (unsigned long w, int x, int y, unsigned int xButton = 1);
	void key (unsigned long keysym, bool down);
	// Waits until the server has processed everything sent so far.
	void sync ();
	// The window that has the X keyboard focus (XGetInputFocus): a window id, or
	// PointerRoot (1) or None (0).
	unsigned long inputFocus () const;
	void unmap ();
	void map ();

	Screenshot capture (unsigned long w) const;

private:
	_XDisplay* display {nullptr};
	unsigned long window {0};
};

} // namespace x11test
