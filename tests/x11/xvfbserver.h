// A virtual X server of the test's own: Xvfb picks a free display number itself
// (-displayfd), so parallel test processes never share or collide on a display.
#pragma once

#include <string>
#include <sys/types.h>

namespace x11test {

class XvfbServer
{
public:
	XvfbServer () = default;
	~XvfbServer () { stop (); }
	XvfbServer (const XvfbServer&) = delete;
	XvfbServer& operator= (const XvfbServer&) = delete;

	// The Xvfb program found on PATH (or in /usr/bin), empty when there is none.
	static std::string findProgram ();

	// Starts the server with one screen of screen ("WIDTHxHEIGHTxDEPTH") and sets DISPLAY
	// to it; false with error set on failure. stop () puts the previous DISPLAY back.
	bool start (std::string& error, const std::string& screen = "1024x768x24");
	// Terminates the server and waits for it; safe to call twice.
	void stop ();

	bool isRunning () const { return pid > 0; }
	const std::string& displayName () const { return display; }

private:
	pid_t pid {-1};
	std::string display;
	bool hadDisplay {false};
	std::string previousDisplay;
};

} // namespace x11test
