#include "cvstguitimer.h"
#include "platform/runloop.h"

namespace VSTGUI {

IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer (CBaseObject* timerObject, uint32_t fireTime, bool doStart)
: fireTime (fireTime), timerObject (timerObject)
{
	if (doStart)
		start ();
}

CVSTGUITimer::CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime, bool doStart)
: fireTime (fireTime), callbackFunc (callback)
{
	if (doStart)
		start ();
}

CVSTGUITimer::CVSTGUITimer (CallbackFunc&& callback, uint32_t fireTime, bool doStart)
: fireTime (fireTime), callbackFunc (std::move (callback))
{
	if (doStart)
		start ();
}

CVSTGUITimer::~CVSTGUITimer () noexcept { stop (); }

bool CVSTGUITimer::start ()
{
	if (timerId)
		return false;
	timerId = RunLoop::instance ().addTimer (fireTime, [this] () { fire (); });
	return true;
}

bool CVSTGUITimer::stop ()
{
	if (!timerId)
		return false;
	RunLoop::instance ().removeTimer (timerId);
	timerId = 0;
	return true;
}

bool CVSTGUITimer::setFireTime (uint32_t newFireTime)
{
	if (newFireTime == fireTime)
		return false;
	fireTime = newFireTime;
	if (isRunning ())
	{
		stop ();
		start ();
	}
	return true;
}

void CVSTGUITimer::fire ()
{
	// Keep this timer alive through its callback, which may drop the last outside
	// reference (a ramp that finishes, a wheel edit that ends).
	SharedPointer<CVSTGUITimer> guard (this);
	if (callbackFunc)
		callbackFunc (this);
	else if (timerObject)
		timerObject->notify (this, kMsgTimer);
}

} // VSTGUI
