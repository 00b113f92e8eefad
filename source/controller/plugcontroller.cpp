#include "source/controller/plugcontroller.h"

#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugparameters.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"

#include "public.sdk/source/main/moduleinit.h"
#include "vstgui/lib/platform/resourcepath.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {

FUnknown* PlugController::createInstance (void* /*context*/)
{
	return static_cast<IEditController*> (new PlugController ());
}

namespace {

// The editor reads "plug.uidesc" and its images from the bundle's Resources folder,
// which the module entry has found by the time the initialisers run.
const ModuleInitializer kEditorResources ([] {
	if (!getModuleResourcesPath ().empty ())
		VSTGUI::setResourcePath (getModuleResourcesPath ());
});

} // namespace

tresult PLUGIN_API PlugController::initialize (FUnknown* context)
{
	// A second initialize without terminate registers nothing twice. The base refuses
	// it only when it already holds a host context, so a null context is caught by the
	// parameter count.
	if (EditController::initialize (context) != kResultOk || parameters.getParameterCount () > 0)
		return kResultOk;

	for (const PlugParameterSpec& spec : kPlugParameters)
		parameters.addParameter (makePlugParameter (spec));
	return kResultOk;
}

tresult PLUGIN_API PlugController::setComponentState (IBStream* state)
{
	PlugState record;
	tresult result = readPlugState (&record, state);
	if (result != kResultOk)
		return result;

	setParamNormalized (kBypassId, record.bypass ? 1.0 : 0.0);
	setParamNormalized (kLevelId, record.levelNorm);
	setParamNormalized (kRangeId, record.rangeNorm);
	for (int32 b = 0; b < kNumEqBands; ++b)
		setParamNormalized (kGainLFId + 4 * b, record.bands[b].gainNorm);
	for (int32 b = 0; b < kNumEqBands; ++b)
		setParamNormalized (kFreqLFId + 4 * b, record.bands[b].freqNorm);
	for (int32 b = 0; b < kNumEqBands; ++b) // the shelves' Q tags have no parameter: no effect
		setParamNormalized (kQLFId + 4 * b, record.bands[b].qNorm);
	for (int32 b = 0; b < kNumEqBands; ++b)
		setParamNormalized (kChanStatusLFId + 4 * b, record.bands[b].enabled ? 1.0 : 0.0);
	return kResultOk;
}

tresult PLUGIN_API PlugController::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	if (paramIndex < 0 || paramIndex >= getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

tresult PLUGIN_API PlugController::getParamStringByValue (ParamID tag, ParamValue valueNormalized,
                                                          String128 string)
{
	Parameter* parameter = getParameterObject (tag);
	if (parameter == nullptr || string == nullptr)
		return kResultFalse;
	if (std::isnan (valueNormalized))
	{
		string[0] = 0;
		return kResultOk;
	}
	// The value the parameter would take, as setParamNormalized limits it.
	parameter->toString (std::min (std::max (valueNormalized, 0.0), 1.0), string);
	return kResultOk;
}

tresult PLUGIN_API PlugController::getParamValueByString (ParamID tag, TChar* string,
                                                          ParamValue& valueNormalized)
{
	Parameter* parameter = getParameterObject (tag);
	if (parameter == nullptr || string == nullptr)
		return kResultFalse;
	ParamValue read = 0.0;
	if (!parameter->fromString (string, read) || !std::isfinite (read))
		return kResultFalse;
	valueNormalized = read;
	return kResultOk;
}

tresult PLUGIN_API PlugController::setParamNormalized (ParamID tag, ParamValue value)
{
	if (!std::isfinite (value))
		return kResultFalse;
	return EditController::setParamNormalized (tag, value);
}

IPlugView* PLUGIN_API PlugController::createView (FIDString name)
{
	if (name == nullptr || std::strcmp (name, ViewType::kEditor) != 0)
		return nullptr;
	// Module-wide: the editor's knobs follow linear mouse movement.
	setKnobMode (kLinearMode);
	return new VSTGUI::VST3Editor (this, "view", "plug.uidesc");
}

VSTGUI::IController* PlugController::createSubController (VSTGUI::UTF8StringPtr name,
                                                          const VSTGUI::IUIDescription* /*description*/,
                                                          VSTGUI::VST3Editor* /*editor*/)
{
	static const char* const kAboutControllerName = "AboutController";
	if (name != kAboutControllerName && (name == nullptr || std::strcmp (name, kAboutControllerName) != 0))
		return nullptr;

	// An Audio Unit wrapper answers for its interface ID on the host context.
	void* wrapper = nullptr;
	bool wrapped = false;
	if (hostContext)
		wrapped = hostContext->queryInterface (kAUWrapperIID, &wrapper) == kResultOk && wrapper != nullptr;

	auto* about = new AboutController (this, wrapped);
	aboutControllers.push_back (about);
	// Only the answer is kept, not the interface.
	if (wrapper)
		static_cast<FUnknown*> (wrapper)->release ();
	return about;
}

void PlugController::removeAboutController (AboutController* controller)
{
	auto it = std::find (aboutControllers.begin (), aboutControllers.end (), controller);
	if (it != aboutControllers.end ())
		aboutControllers.erase (it);
}

} // namespace Vst
} // namespace Steinberg
