#include "testsupport.h"
#include "vstgui/uidescription/icontroller.h"

using namespace VSTGUI;
using VSTGUI::Test::FrameFixture;

namespace {
// Records the events it gets, in its parent's coordinates.
class Probe : public CView
{
public:
	explicit Probe (const CRect& r, CMouseEventResult downResult = kMouseEventHandled)
	: CView (r), downResult (downResult)
	{
	}
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState&) override
	{
		log.push_back ("down " + pt (where));
		return downResult;
	}
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState&) override
	{
		log.push_back ("moved " + pt (where));
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState&) override
	{
		log.push_back ("up " + pt (where));
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseCancel () override
	{
		log.push_back ("cancel");
		return kMouseEventHandled;
	}
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& d, const CButtonState&) override
	{
		log.push_back ("wheel " + pt (where) + (axis == kMouseWheelAxisX ? " x " : " y ") + std::to_string (int (d)));
		return true;
	}
	int32_t onKeyDown (VstKeyCode& key) override
	{
		log.push_back ("key " + std::to_string (key.virt));
		return keyResult;
	}
	static std::string pt (const CPoint& p) { return std::to_string (int (p.x)) + "," + std::to_string (int (p.y)); }

	std::vector<std::string> log;
	CMouseEventResult downResult;
	int32_t keyResult {1};
};
} // namespace

TEST (CFrameTest, RoutesMouseToTheViewUnderThePointerInItsParentsCoordinates)
{
	FrameFixture f;
	auto* box = new CViewContainer (CRect (50, 40, 150, 140));
	auto* inner = new Probe (CRect (10, 10, 30, 30));
	box->addView (inner);
	f.frame->addView (box);

	CPoint p (65, 55); // frame point -> box point (15, 15)
	EXPECT_EQ (f.frame->onMouseDown (p, kLButton), kMouseEventHandled);
	p (300, -20); // far outside: still the view that took the down
	f.frame->onMouseMoved (p, kLButton);
	f.frame->onMouseUp (p, kLButton);
	p (65, 55);
	f.frame->onMouseMoved (p, kLButton); // no view holds the mouse now
	EXPECT_EQ (inner->log, (std::vector<std::string> {"down 15,15", "moved 250,-60", "up 250,-60"}));
}

TEST (CFrameTest, TopmostMouseEnabledViewWinsAndUnhandledFallsThrough)
{
	FrameFixture f;
	auto* below = new Probe (CRect (0, 0, 100, 100));
	auto* middle = new Probe (CRect (0, 0, 100, 100), kMouseEventNotHandled);
	auto* top = new Probe (CRect (0, 0, 100, 100));
	f.frame->addView (below);
	f.frame->addView (middle);
	f.frame->addView (top);
	top->setMouseEnabled (false);
	CPoint p (10, 10);
	f.frame->onMouseDown (p, kLButton);
	EXPECT_TRUE (top->log.empty ());
	EXPECT_EQ (middle->log.size (), 1u);
	EXPECT_EQ (below->log.size (), 1u);
	p (20, 20);
	f.frame->onMouseMoved (p, kLButton);
	EXPECT_EQ (below->log.back (), "moved 20,20");
	EXPECT_EQ (middle->log.size (), 1u);
	// A second down while the first is still held cancels the first gesture.
	f.frame->onMouseDown (p, kLButton);
	EXPECT_EQ (below->log[2], "cancel");
}

TEST (CFrameTest, AFurtherButtonGoesToTheViewThatHoldsTheMouse)
{
	FrameFixture f;
	auto* box = new CViewContainer (CRect (50, 40, 150, 140));
	auto* held = new Probe (CRect (10, 10, 30, 30));
	box->addView (held);
	auto* other = new Probe (CRect (0, 0, 50, 50));
	f.frame->addView (box);
	f.frame->addView (other);

	CPoint p (65, 55);
	f.frame->onMouseDown (p, kLButton);
	p (10, 10); // over the other view: the press still belongs to the held gesture
	f.frame->onMouseDown (p, kLButton | kRButton);
	f.frame->onMouseUp (p, kRButton);
	EXPECT_EQ (held->log, (std::vector<std::string> {"down 15,15", "down -40,-30", "up -40,-30"}));
	EXPECT_TRUE (other->log.empty ());
	EXPECT_EQ (f.frame->getMouseDownView (), nullptr);
}

TEST (CFrameTest, DownThatWantsNoMoreEventsGetsNoMovesOrUp)
{
	FrameFixture f;
	auto* v = new Probe (CRect (0, 0, 50, 50), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	f.frame->addView (v);
	CPoint p (5, 5);
	EXPECT_EQ (f.frame->onMouseDown (p, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	f.frame->onMouseMoved (p, kLButton);
	f.frame->onMouseUp (p, kLButton);
	EXPECT_EQ (v->log.size (), 1u);
}

TEST (CFrameTest, WheelGoesUnderThePointerAndKeysToTheFocusViewThenItsParents)
{
	FrameFixture f;
	auto* box = new CViewContainer (CRect (100, 100, 200, 200));
	auto* a = new Probe (CRect (0, 0, 50, 50));
	auto* b = new Probe (CRect (0, 0, 40, 40));
	a->setWantsFocus (true);
	b->setWantsFocus (true);
	f.frame->addView (a);
	box->addView (b);
	f.frame->addView (box);

	f.frame->onWheel (CPoint (110, 120), kMouseWheelAxisX, 2.f, 0);
	EXPECT_EQ (b->log.back (), "wheel 10,20 x 2");
	EXPECT_FALSE (f.frame->onWheel (CPoint (190, 10), kMouseWheelAxisY, 1.f, 0));

	VstKeyCode key;
	key.virt = VKEY_UP;
	EXPECT_EQ (f.frame->onKeyDown (key), -1); // no focus view yet
	CPoint p (110, 110);
	f.frame->onMouseDown (p, kLButton); // a click focuses a view that wants it
	f.frame->onMouseUp (p, kLButton);
	EXPECT_EQ (f.frame->getFocusView (), b);
	EXPECT_EQ (f.frame->onKeyDown (key), 1);
	EXPECT_EQ (b->log.back (), "key 12");

	f.frame->setFocusView (a);
	box->removeView (b); // not the focus view: focus stays
	EXPECT_EQ (f.frame->getFocusView (), a);
	f.frame->removeView (a);
	EXPECT_EQ (f.frame->getFocusView (), nullptr);
	EXPECT_EQ (f.frame->onKeyDown (key), -1);
}

TEST (CFrameTest, ViewThatRemovesItselfDuringMouseDownIsSafe)
{
	FrameFixture f;
	struct Vanishing : CView
	{
		using CView::CView;
		CMouseEventResult onMouseDown (CPoint&, const CButtonState&) override
		{
			getParentViewContainer ()->removeView (this);
			return kMouseEventHandled;
		}
	};
	f.frame->addView (new Vanishing (CRect (0, 0, 20, 20)));
	CPoint p (5, 5);
	f.frame->onMouseDown (p, kLButton);
	f.frame->onMouseMoved (p, kLButton);
	f.frame->onMouseUp (p, kLButton);
	EXPECT_EQ (f.frame->getNbViews (), 0u);
}

TEST (CFrameTest, IdleRedrawsDirtyViewsInFrameCoordinates)
{
	FrameFixture f (300, 300);
	auto ctx = COffscreenContext::create (CPoint (300, 300));
	f.frame->setDrawContext (ctx);
	auto* box = new CViewContainer (CRect (100, 50, 200, 150));
	auto* v = new CView (CRect (10, 20, 30, 40));
	box->addView (v);
	f.frame->addView (box);
	f.frame->idle ();
	uint64_t count = f.frame->getRedrawCount ();
	EXPECT_TRUE (f.frame->idle ().isEmpty ()); // nothing new
	EXPECT_EQ (f.frame->getRedrawCount (), count);

	v->setDirty (true);
	CRect drawn = f.frame->idle ();
	EXPECT_EQ (drawn, CRect (110, 70, 130, 90));
	EXPECT_EQ (f.frame->getRedrawCount (), count + 1);
	EXPECT_FALSE (v->isDirty ());

	v->setVisible (false);
	f.frame->idle ();
	v->setDirty (true);
	EXPECT_TRUE (f.frame->idle ().isEmpty ()); // hidden views are not redrawn
}

TEST (CViewTest, ListenersHearOfSizeAndDeletionAndControllersGoFirst)
{
	struct Listener : ViewListenerAdapter
	{
		std::vector<std::string>* log;
		void viewSizeChanged (CView*, const CRect&) override { log->push_back ("size"); }
		void viewWillDelete (CView* v) override
		{
			log->push_back ("delete");
			v->unregisterViewListener (this);
		}
	};
	struct Controller : IController
	{
		std::vector<std::string>* log;
		~Controller () override { log->push_back ("controller"); }
		void valueChanged (CControl*) override {}
	};
	std::vector<std::string> log;
	Listener childListener;
	childListener.log = &log;
	auto* container = new CViewContainer (CRect (0, 0, 50, 50));
	auto* child = new CView (CRect (0, 0, 10, 10));
	child->registerViewListener (&childListener);
	container->addView (child);
	child->setViewSize (CRect (0, 0, 20, 20));
	auto* controller = new Controller;
	controller->log = &log;
	IController* ptr = controller;
	container->setAttribute (kCViewControllerAttribute, sizeof (ptr), &ptr);
	container->forget ();
	EXPECT_EQ (log, (std::vector<std::string> {"size", "controller", "delete"}));
}
