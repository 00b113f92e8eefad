#include "runloop.h"
#include <chrono>
#include <algorithm>
#include <climits>
#include <vector>

namespace VSTGUI {

RunLoop& RunLoop::instance ()
{
	static RunLoop loop;
	return loop;
}

uint64_t RunLoop::now () const
{
	if (manualClock)
		return manualTime;
	using namespace std::chrono;
	return static_cast<uint64_t> (
	    duration_cast<milliseconds> (steady_clock::now ().time_since_epoch ()).count ());
}

void RunLoop::setManualClock (bool state)
{
	if (state == manualClock)
		return;
	uint64_t t = now ();
	manualClock = state;
	if (state)
		manualTime = t;
	else
	{
		// Keep every timer's remaining time across the switch.
		uint64_t t2 = now ();
		for (auto& entry : timers)
			entry.second->due = entry.second->due >= t ? t2 + (entry.second->due - t) : t2;
	}
}

RunLoop::TimerID RunLoop::addTimer (uint32_t periodMs, Callback callback)
{
	auto timer = std::make_shared<Timer> ();
	timer->period = periodMs ? periodMs : 1;
	timer->due = now () + timer->period;
	timer->callback = std::move (callback);
	TimerID id = nextId++;
	timers.emplace (id, std::move (timer));
	return id;
}

void RunLoop::removeTimer (TimerID id) { timers.erase (id); }

bool RunLoop::hasTimer (TimerID id) const { return timers.find (id) != timers.end (); }

bool RunLoop::fireNext (uint64_t until)
{
	// The earliest due timer; ties go to the older timer.
	auto best = timers.end ();
	for (auto it = timers.begin (); it != timers.end (); ++it)
		if (it->second->due <= until && (best == timers.end () || it->second->due < best->second->due))
			best = it;
	if (best == timers.end ())
		return false;
	// Hold the entry: the callback may remove (or destroy the owner of) this timer.
	std::shared_ptr<Timer> timer = best->second;
	if (manualClock && timer->due > manualTime)
		manualTime = timer->due;
	timer->due += timer->period;
	timer->callback ();
	return true;
}

void RunLoop::advance (uint64_t ms)
{
	if (!manualClock)
		return;
	uint64_t target = manualTime + ms;
	while (fireNext (target))
	{
	}
	manualTime = target;
}

void RunLoop::processDueTimers ()
{
	uint64_t t = now ();
	// Each due timer fires once; one that fell behind is rescheduled from now on.
	std::vector<std::pair<TimerID, std::shared_ptr<Timer>>> due;
	for (auto& entry : timers)
		if (entry.second->due <= t)
			due.emplace_back (entry.first, entry.second);
	for (auto& entry : due)
	{
		if (!hasTimer (entry.first))
			continue;
		entry.second->due = t + entry.second->period;
		entry.second->callback ();
	}
}

uint32_t RunLoop::getNextDueIn () const
{
	if (timers.empty ())
		return UINT32_MAX;
	uint64_t t = now ();
	uint64_t best = UINT64_MAX;
	for (auto& entry : timers)
		best = std::min (best, entry.second->due);
	return best <= t ? 0u : static_cast<uint32_t> (std::min<uint64_t> (best - t, UINT32_MAX - 1));
}

} // VSTGUI
