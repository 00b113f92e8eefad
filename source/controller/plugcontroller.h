#pragma once

// The edit controller: 25 parameters, set from the processor's stored state, and the
// editor built from "plug.uidesc" with its about view. All calls come on the host's
// main (UI) thread.

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <vector>

namespace Steinberg {
namespace Vst {

template <typename Owner>
class PlugAboutController;

/** The interface ID by which a VST 3 to Audio Unit wrapper shows itself on the host
    context it hands the controller. */
static const FUID kAUWrapperIID (0xA3B8C6C5, 0xC0954688, 0xB0916F0B, 0xB697AA44);

class PlugController : public EditController, public VSTGUI::VST3EditorDelegate
{
public:
	using AboutController = PlugAboutController<PlugController>;

	PlugController () = default;
	~PlugController () SMTG_OVERRIDE = default;

	/** Create function of the controller class; the context is not used. */
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setComponentState (IBStream* state) SMTG_OVERRIDE;
	/** The base's answer for 0 <= index < count; kResultFalse for any other index (the
	    base's container would throw, and no exception may cross the interface). */
	tresult PLUGIN_API getParameterInfo (int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
	/** The text of a value limited to 0..1; a NaN gives an empty text. The text always
	    ends within the host's 128 characters. kResultFalse for a null text. */
	tresult PLUGIN_API getParamStringByValue (ParamID tag, ParamValue valueNormalized,
	                                          String128 string) SMTG_OVERRIDE;
	/** kResultOk and the normalized value of a finite number (limited to the parameter's
	    range); any other text, or a null one, gives kResultFalse and leaves the value. */
	tresult PLUGIN_API getParamValueByString (ParamID tag, TChar* string,
	                                          ParamValue& valueNormalized) SMTG_OVERRIDE;
	/** Values outside 0..1 are limited to it; a value that is not finite gives kResultFalse
	    and changes nothing. */
	tresult PLUGIN_API setParamNormalized (ParamID tag, ParamValue value) SMTG_OVERRIDE;
	/** The editor for "editor", else null. */
	IPlugView* PLUGIN_API createView (FIDString name) SMTG_OVERRIDE;

	/** A new about controller for "AboutController", else null; the editor owns it. */
	VSTGUI::IController* createSubController (VSTGUI::UTF8StringPtr name,
	                                          const VSTGUI::IUIDescription* description,
	                                          VSTGUI::VST3Editor* editor) SMTG_OVERRIDE;

	/** Called by an about controller that is going away. */
	void removeAboutController (AboutController* controller);

	/** The about controllers alive, in order of creation (not owned). */
	const std::vector<AboutController*>& getAboutControllers () const { return aboutControllers; }

private:
	std::vector<AboutController*> aboutControllers;
};

} // namespace Vst
} // namespace Steinberg
