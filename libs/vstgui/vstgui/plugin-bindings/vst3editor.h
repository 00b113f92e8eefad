#pragma once

#include "public.sdk/source/vst/vstguieditor.h"
#include "pluginterfaces/vst/ivstplugview.h"
#include "../uidescription/icontroller.h"
#include "../uidescription/uidescription.h"
#include <map>
#include <memory>
#include <string>

namespace VSTGUI {

class VST3Editor;
namespace X11 {
class FrameWindow;
}

// Hooks of an edit controller into its VST3Editor. The editor finds the delegate by
// dynamic_cast of its EditController.
class VST3EditorDelegate
{
public:
	virtual ~VST3EditorDelegate () noexcept = default;

	virtual CView* createCustomView (UTF8StringPtr /*name*/, const UIAttributes& /*attributes*/,
	                                 const IUIDescription* /*description*/, VST3Editor* /*editor*/)
	{
		return nullptr;
	}
	virtual CView* verifyView (CView* view, const UIAttributes& /*attributes*/,
	                           const IUIDescription* /*description*/, VST3Editor* /*editor*/)
	{
		return view;
	}
	virtual bool findParameter (const CPoint& /*pos*/, Steinberg::Vst::ParamID& /*paramID*/,
	                            VST3Editor* /*editor*/)
	{
		return false;
	}
	virtual bool isPrivateParameter (const Steinberg::Vst::ParamID /*paramID*/) { return false; }
	virtual void didOpen (VST3Editor* /*editor*/) {}
	virtual void willClose (VST3Editor* /*editor*/) {}
	// The editor owns what this returns and deletes it with the view that named it.
	virtual IController* createSubController (UTF8StringPtr /*name*/,
	                                          const IUIDescription* /*description*/,
	                                          VST3Editor* /*editor*/)
	{
		return nullptr;
	}
};

// The editor of an EditController, built from a template of a UI description file in
// the resources folder. Every control with a control-tag that names a parameter of the
// controller is bound to it: the control's begin/end edit and value changes reach the
// controller's beginEdit, setParamNormalized + performEdit and endEdit; a change of the
// parameter (setParamNormalized from the host) moves the control at once.
class VST3Editor : public Steinberg::Vst::VSTGUIEditor, public IController
{
public:
	VST3Editor (Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
	            UTF8StringPtr xmlFile);
	VST3Editor (UIDescription* desc, Steinberg::Vst::EditController* controller,
	            UTF8StringPtr templateName, UTF8StringPtr xmlFile = nullptr);
	~VST3Editor () override;

	// Replaces the frame's content by another template.
	bool exchangeView (UTF8StringPtr templateName);
	UIDescription* getUIDescription () const { return description; }
	VST3EditorDelegate* getDelegate () const { return delegate; }
	const std::string& getTemplateName () const { return templateName; }

	// Builds the frame without a window, drawing into an image surface.
	bool openOffscreen ();
	bool isOpen () const { return frame != nullptr; }
	// Draws the whole editor (opening it offscreen when it is not open) into a PNG file.
	bool renderToPNG (const std::string& filePath);
	// Why the last open, exchange or render failed.
	const std::string& getLastError () const { return lastError; }

	// With the X11 window layer linked in (VSTGUI_X11_WINDOWS), "X11EmbedWindowID" parents
	// are served: open shows the frame in a child window of the host's window, run by the
	// IRunLoop of the IPlugFrame the host set.
	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString type) override;
	bool PLUGIN_API open (void* parent, const PlatformType& type) override;
	void PLUGIN_API close () override;
	// The host's new size reaches the frame and its window.
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override;

	// VSTGUIEditorInterface: edits reach the controller through the bindings instead.
	void beginEdit (int32_t index) override;
	void endEdit (int32_t index) override;

	// IController
	void valueChanged (CControl* pControl) override;
	CView* createView (const UIAttributes& attributes, const IUIDescription* description) override;
	CView* verifyView (CView* view, const UIAttributes& attributes, const IUIDescription* description) override;
	IController* createSubController (UTF8StringPtr name, const IUIDescription* description) override;

	// The number of controls bound to a parameter (0 when none or not open).
	size_t getBoundControlCount (Steinberg::Vst::ParamID id) const;

protected:
	class ParameterBinding;

	bool init ();
	bool buildContent (UTF8StringPtr name);
	void bindControls (CViewContainer* container);
	void releaseBindings ();

	UIDescription* description {nullptr};
	VST3EditorDelegate* delegate {nullptr};
	std::string templateName;
	std::string xmlFile;
	std::string lastError;
	std::map<Steinberg::Vst::ParamID, ParameterBinding*> bindings;
	CPoint templateSize;
	// Held in a shared_ptr for its type-erased deleter: this class is also built without
	// the X11 layer, and then the window's destructor must not be referenced.
	std::shared_ptr<X11::FrameWindow> window;
};

} // VSTGUI
