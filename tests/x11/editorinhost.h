// The built bundle's editor in our host's X11 window, for tests that reach it only
// through VST 3 interfaces and the X server: the controller with a recording component
// handler, the host's run loop, and where the template puts a parameter's control.
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

#include <string>
#include <vector>

namespace x11test {

// Where the editor's template puts the control that edits a parameter, in window
// coordinates, read from the bundle's own UI description.
inline bool findEditorControl (const std::string& resources, Steinberg::Vst::ParamID id, VSTGUI::CRect& where)
{
	using namespace VSTGUI;
	setResourcePath (resources);
	auto description = makeOwned<UIDescription> (CResourceDescription ("plug.uidesc"));
	if (!description->parse ())
		return false;
	CView* root = description->createView ("view", nullptr);
	if (!root || !root->asViewContainer ())
		return false;
	std::vector<CControl*> controls;
	root->asViewContainer ()->getChildViewsOfType<CControl> (controls, true);
	bool found = false;
	for (auto* c : controls)
	{
		// Labels show the same parameters; the control that edits it takes the mouse.
		if (c->getTag () != static_cast<int32_t> (id) || !c->getMouseEnabled () || dynamic_cast<CParamDisplay*> (c))
			continue;
		CRect r = c->getViewSize ();
		for (CView* p = c->getParentView (); p && p != root; p = p->getParentView ())
			r.offset (p->getViewSize ().left, p->getViewSize ().top);
		where = r;
		found = true;
		break;
	}
	root->forget ();
	return found;
}

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

	// createView ("editor") attached to a host window of the view's size; child is the
	// editor's window once it is on screen.
	Steinberg::IPtr<Steinberg::IPlugView> openEditor (HostWindow& window, unsigned long& child)
	{
		using namespace Steinberg;
		child = 0;
		IPtr<IPlugView> view = owned (controller->createView (Vst::ViewType::kEditor));
		EXPECT_TRUE (view);
		if (!view)
			return nullptr;
		ViewRect size;
		EXPECT_EQ (view->getSize (&size), kResultTrue);
		std::string error;
		EXPECT_TRUE (window.open (size.getWidth (), size.getHeight (), error)) << error;
		EXPECT_EQ (view->setFrame (hostFrame), kResultTrue);
		EXPECT_EQ (view->attached (reinterpret_cast<void*> (window.id ()), kPlatformTypeX11EmbedWindowID), kResultTrue);
		hostFrame->runUntil ([&] {
			auto children = window.children ();
			HostWindow::Geometry g;
			if (children.size () == 1 && window.getGeometry (children[0], g) && g.viewable &&
			    window.capture (children[0]).valid ())
				child = children[0];
			return child != 0;
		});
		EXPECT_NE (child, 0u);
		return view;
	}

	void closeEditor (Steinberg::IPtr<Steinberg::IPlugView>& view)
	{
		EXPECT_EQ (view->removed (), Steinberg::kResultTrue);
		view->setFrame (nullptr);
		view = nullptr;
	}

	// The centre of the control of a parameter, in the editor window's coordinates.
	bool controlCentre (Steinberg::Vst::ParamID id, int& x, int& y) const
	{
		VSTGUI::CRect r;
		if (!findEditorControl (resources (), id, r))
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
};

} // namespace x11test
