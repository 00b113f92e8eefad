#pragma once

#include "vstguibase.h"
#include <functional>

namespace VSTGUI {

// A periodic timer on the UI thread's run loop (platform/runloop.h). It fires every
// fireTime milliseconds while running; destroying it stops it. A timer that releases
// its last reference from inside its own callback is destroyed safely afterwards.
class CVSTGUITimer : public CBaseObject
{
public:
	using CallbackFunc = std::function<void (CVSTGUITimer*)>;

	// Sends notify (this, kMsgTimer) to timerObject (not remembered).
	CVSTGUITimer (CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
	CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime = 100, bool doStart = true);
	CVSTGUITimer (CallbackFunc&& callback, uint32_t fireTime = 100, bool doStart = true);
	~CVSTGUITimer () noexcept override;
	CVSTGUITimer (const CVSTGUITimer&) = delete;
	CVSTGUITimer& operator= (const CVSTGUITimer&) = delete;

	virtual bool start ();
	virtual bool stop ();
	bool setFireTime (uint32_t newFireTime);
	uint32_t getFireTime () const { return fireTime; }
	bool isRunning () const { return timerId != 0; }

	static IdStringPtr kMsgTimer;

private:
	void fire ();

	uint32_t fireTime;
	uint64_t timerId {0};
	CBaseObject* timerObject {nullptr};
	CallbackFunc callbackFunc;
};

} // VSTGUI
