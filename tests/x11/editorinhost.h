// The built bundle's editor in our host's X11 window, for tests that reach it only
// through VST 3 interfaces and the X server: the controller, loaded with dlopen, with a
// recording component handler; its editor attached to the host's window and driven by
// the host's run loop; and where the template puts its views, read from the bundle's own
// UI description.
#pragma once

#include "bundleloader.h"
#include "recordingcomponenthandler.h"
#include "testhost.h"
#include "xvfbfixture.h"

#include "source/processor/plugids.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/resourcepath.h"
#include "vstgui/uidescription/uidescription.h"

#include <functional>
#include <string>
#include <vector>

namespace x11test {

// The rectangles, in window coordinates, of the views of the editor's template that
// match; read with the GUI layer of the test, so the test follows the layout.
inline std::vector<VSTGUI::CRect> findViews (const std::string& resources,
                                             const std::function<bool (VSTGUI::CView*)>& match)
{
	using namespace VSTGUI;
	std::vector<CRect> found;
	setResourcePath (resources);
	auto description = makeOwned<UIDescription> (CResourceDescription ("plug.uidesc"));
	if (!description->parse ())
		return found;
	CView* root = description->createView ("view", nullptr);
	if (!root || !root->asViewContainer ())
	{
		if (root)
			root->forget ();
		return found;
	}
	std::vector<CView*> views;
	root->asViewContainer ()->getChildViewsOfType<CView> (views, true);
	for (auto* v : views)
	{
		if (!match (v))
			continue;
		CRect r = v->getViewSize ();
		for (CView* p = v->getParentView (); p && p != root; p = p->getParentView ())
			r.offset (p->getViewSize ().left, p->getViewSize ().top);
		found.push_back (r);
	}
	root->forget ();
	return found;
}

// Where the template puts the control that edits a parameter (labels show the same
// parameters; the control that edits it takes the mouse).
inline bool findControl (const std::string& resources, Steinberg::Vst::ParamID id, VSTGUI::CRect& where)
{
	using namespace VSTGUI;
	const auto found = findViews (resources, [id] (CView* v) {
		auto* c = dynamic_cast<CControl*> (v);
		return c && c->getTag () == static_cast<int32_t> (id) && c->getMouseEnabled () &&
		       !dynamic_cast<CParamDisplay*> (c);
	});
	if (found.empty ())
		return false;
	where = found.front ();
	return true;
}

// The controller with a recording handler, a host frame that serves the run loop, and
// one host window. An editor still attached when a test ends, say after a failed
// assertion, is removed before the controller goes.
class EditorInHostFixture : public XvfbTest
{
protected:
	void SetUp () override
	{
		using namespace Steinberg;
		XvfbTest::SetUp ();
		if (IsSkipped () || HasFatalFailure ())
			return;
		ASSERT_TRUE (loader.load (ord3ltest::bundleUnderTest (ORD3L_BUNDLE_DIR))) << loader.error ();
		factory = owned (loader.getFactory ());
		ASSERT_TRUE (factory);
		TUID cid;
		Vst::kPlugControllerUID.toTUID (cid);
		Vst::IEditController* c = nullptr;
		ASSERT_EQ (factory->createInstance (reinterpret_cast<FIDString> (cid), Vst::IEditController::iid.toTUID (),
		                                    reinterpret_cast<void**> (&c)),
		           kResultOk);
		controller = owned (c);
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		recorder = owned (new ord3ltest::RecordingHandler);
		controller->setComponentHandler (recorder);
		hostFrame = owned (new TestHostFrame (true));
	}

	void TearDown () override
	{
		if (view)
			closeEditor ();
		if (controller)
		{
			controller->setComponentHandler (nullptr);
			controller->terminate ();
		}
		controller = nullptr;
		factory = nullptr;
		if (!loader.libraryPath ().empty ())
		{
			EXPECT_TRUE (loader.unload ());
		}
	}

	// createView ("editor") into view, attached to window opened at the view's size;
	// view stays empty when the controller made none.
	void attachEditor ()
	{
		using namespace Steinberg;
		view = owned (controller->createView (Vst::ViewType::kEditor));
		EXPECT_TRUE (view);
		if (!view)
			return;
		EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
		ViewRect size;
		EXPECT_EQ (view->getSize (&size), kResultTrue);
		std::string error;
		EXPECT_TRUE (window.open (size.getWidth (), size.getHeight (), error)) << error;
		EXPECT_EQ (view->setFrame (hostFrame), kResultTrue);
		EXPECT_EQ (view->attached (reinterpret_cast<void*> (window.id ()), kPlatformTypeX11EmbedWindowID),
		           kResultTrue);
	}

	// The editor's child of window once it is on screen (mapped and drawable), running
	// the host's loop meanwhile; 0 when it did not come.
	unsigned long waitForEditorWindow ()
	{
		unsigned long child = 0;
		hostFrame->runUntil ([&] {
			auto children = window.children ();
			HostWindow::Geometry g;
			if (children.size () == 1 && window.getGeometry (children[0], g) && g.viewable &&
			    window.capture (children[0]).valid ())
				child = children[0];
			return child != 0;
		});
		return child;
	}

	// attachEditor and waitForEditorWindow: the editor's window, 0 when it did not come.
	unsigned long openEditor ()
	{
		attachEditor ();
		return view ? waitForEditorWindow () : 0;
	}

	void closeEditor ()
	{
		EXPECT_EQ (view->removed (), Steinberg::kResultTrue);
		view->setFrame (nullptr);
		view = nullptr;
	}

	// The centre of the control of a parameter, in the editor window's coordinates.
	bool controlCentre (Steinberg::Vst::ParamID id, int& x, int& y) const
	{
		VSTGUI::CRect r;
		if (!findControl (resources (), id, r))
			return false;
		x = static_cast<int> (r.getCenter ().x);
		y = static_cast<int> (r.getCenter ().y);
		return true;
	}

	std::string resources () const { return ord3ltest::bundleUnderTest (ORD3L_BUNDLE_DIR) + "/Contents/Resources"; }

	ord3ltest::BundleLoader loader;
	Steinberg::IPtr<Steinberg::IPluginFactory> factory;
	Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
	Steinberg::IPtr<ord3ltest::RecordingHandler> recorder;
	Steinberg::IPtr<TestHostFrame> hostFrame;
	HostWindow window;
	Steinberg::IPtr<Steinberg::IPlugView> view;
};

} // namespace x11test
