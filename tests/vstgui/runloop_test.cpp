#include "testsupport.h"

using namespace VSTGUI;
using VSTGUI::Test::ManualClock;

TEST (TimerTest, FiresEveryPeriodUntilStoppedOrDestroyed)
{
	ManualClock clock;
	int fired = 0;
	auto timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++fired; }, 16, true);
	clock.advance (15);
	EXPECT_EQ (fired, 0);
	clock.advance (1);
	EXPECT_EQ (fired, 1);
	clock.advance (32);
	EXPECT_EQ (fired, 3);
	timer->stop ();
	clock.advance (100);
	EXPECT_EQ (fired, 3);
	timer->start ();
	clock.advance (16);
	EXPECT_EQ (fired, 4);
	size_t before = RunLoop::instance ().getTimerCount ();
	timer = nullptr; // destroying stops it
	EXPECT_EQ (RunLoop::instance ().getTimerCount (), before - 1);
	clock.advance (100);
	EXPECT_EQ (fired, 4);
}

TEST (TimerTest, TimersFireInDueOrder)
{
	ManualClock clock;
	std::string order;
	auto a = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { order += "a"; }, 30, true);
	auto b = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { order += "b"; }, 20, true);
	clock.advance (60);
	// b at 20, a at 30, b at 40; at 60 both are due and the older timer goes first.
	EXPECT_EQ (order, "babab");
}

TEST (TimerTest, ReleasingItselfInsideItsCallbackIsSafe)
{
	ManualClock clock;
	int fired = 0;
	SharedPointer<CVSTGUITimer> holder;
	holder = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer* t) {
		    ++fired;
		    EXPECT_EQ (t, holder.get ());
		    holder = nullptr; // the last outside reference
	    },
	    10, true);
	clock.advance (50);
	EXPECT_EQ (fired, 1);
	EXPECT_EQ (holder, nullptr);
}

TEST (TimerTest, NotifiesItsObjectWhenMadeWithOne)
{
	ManualClock clock;
	struct Target : CBaseObject
	{
		int count = 0;
		CMessageResult notify (CBaseObject*, IdStringPtr message) override
		{
			if (message == CVSTGUITimer::kMsgTimer)
				++count;
			return kMessageNotified;
		}
	};
	auto target = makeOwned<Target> ();
	auto timer = makeOwned<CVSTGUITimer> (target.get (), 100); // not started by default
	clock.advance (200);
	EXPECT_EQ (target->count, 0);
	timer->start ();
	clock.advance (200);
	EXPECT_EQ (target->count, 2);
}
