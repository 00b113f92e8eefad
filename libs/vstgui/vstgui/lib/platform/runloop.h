#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace VSTGUI {

// The UI thread's timer queue. Every CVSTGUITimer of the process lives here.
// Times are milliseconds. With the system clock (the default), processDueTimers fires
// what is due; the platform layer calls it from its own timer (later: the host's
// Linux IRunLoop). With the manual clock, time stands still until advance () moves it,
// firing the due timers in time order - tests drive timers that way.
class RunLoop
{
public:
	using TimerID = uint64_t;
	using Callback = std::function<void ()>;

	static RunLoop& instance ();

	// Returns a non-zero id. periodMs 0 counts as 1.
	TimerID addTimer (uint32_t periodMs, Callback callback);
	void removeTimer (TimerID id);
	bool hasTimer (TimerID id) const;
	size_t getTimerCount () const { return timers.size (); }

	uint64_t now () const;
	// Switches to the manual clock at the current time, or back to the system clock.
	void setManualClock (bool state);
	bool isManualClock () const { return manualClock; }
	// Manual clock: moves time on by ms, firing each timer at each of its due times.
	void advance (uint64_t ms);
	// Fires every timer that is due now, each once.
	void processDueTimers ();
	// Milliseconds until the next timer is due (0 when due, UINT32_MAX with no timer).
	uint32_t getNextDueIn () const;

private:
	RunLoop () = default;
	struct Timer
	{
		uint32_t period;
		uint64_t due;
		Callback callback;
	};
	bool fireNext (uint64_t until);

	std::map<TimerID, std::shared_ptr<Timer>> timers;
	TimerID nextId {1};
	bool manualClock {false};
	uint64_t manualTime {0};
};

} // VSTGUI
